#pragma once

// A form field's widget as the model hands it to views, and the value a view gives it back.

#include <QRectF>
#include <QString>
#include <QStringList>

namespace pxv {

enum class FieldType { Text, CheckBox, RadioButton, PushButton, ComboBox, ListBox, Signature, Other };

// One widget of a field: a field shown in several places has a widget in each, all sharing the
// field's name and value. Geometry is in page points, top-left origin, rotation applied.
struct FormField
{
    int id = 0; // the widget's object number
    int page = -1;
    FieldType type = FieldType::Other;
    QString name; // the field's full name ("address.street")
    QString tooltip; // the field's alternate name (/TU), when it has one
    QRectF rect;
    QString value; // text; the chosen option's export value; a button's state ("Off" when off)
    QString onState; // CheckBox, RadioButton: the state that turns this widget on
    bool checked = false;
    QStringList options; // ComboBox, ListBox: what is shown, in order
    QStringList exportValues; // the same options as written to the value
    QStringList selected; // ListBox: the export values chosen
    int maxLength = 0; // Text: 0 for none
    bool multiline = false;
    bool comb = false;
    bool password = false;
    bool editable = false; // ComboBox: a typed entry is allowed
    bool multiSelect = false; // ListBox
    bool readOnly = false;
    bool isSigned = false; // Signature
    int quarterTurns = 0; // the page's rotation in clockwise quarter turns
};

// What a widget is set to: text for Text and ComboBox, checked for CheckBox and RadioButton
// (a radio button turns its group's other buttons off), selected for ListBox.
struct FieldValue
{
    QString text;
    bool checked = false;
    QStringList selected;
};

} // namespace pxv
