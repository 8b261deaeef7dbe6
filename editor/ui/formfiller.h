#pragma once

#include "ui/layer.h"

#include "values/formfield.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QMouseEvent;
class QPainter;
class QWidget;

namespace pxv {

class Document;
class FieldEditor;

// Filling a document's form on the page view: the fields tinted so that they can be found, an
// editor over the field being filled, Tab and Shift+Tab through the document's field order.
// Each committed change is one step of the document's history.
class FormFiller : public QObject
{
    Q_OBJECT
public:
    // area maps page points to the viewport, scale is the viewport's pixels per point.
    FormFiller(Document* document, QWidget* viewport, std::function<QRectF(int page, const QRectF& area)> area,
               std::function<double()> scale);
    ~FormFiller() override;

    bool isTinted() const { return m_tinted; }
    void setTinted(bool tinted);

    // The page's form widgets, read once until the page changes.
    const QList<FormField>& fieldsOf(int page);
    // The field at a point of a page (points), or null.
    const FormField* fieldAt(int page, const QPointF& point);
    static bool isFillable(const FormField& field);
    // What the pointer over a field is told.
    static QString tooltip(const FormField& field);

    void paint(QPainter& painter, int page);
    // Starts filling a field: a click toggles a button at once, everything else gets an editor.
    void activate(const FormField& field, bool byPointer);
    // Passes on the press that opened a list of choices to its editor, which acts on it as the
    // field's own list would: the arrow opens the list, a click on an entry picks it.
    void pressEditor(const QMouseEvent& press);
    // Commits the field being filled and goes to the next (or previous) fillable field in the
    // document's order, from the first (or last) when none is being filled. False when the
    // document has none.
    bool step(bool forward);
    FieldEditor* editor() const;
    // Saves the editor's change as one step and closes it.
    void commit();
    void revert();
    // Puts the editor back over its field after the view scrolled or zoomed.
    void place();
    // Pages whose fields may have changed.
    void forget(int page);
    void forgetAll();

signals:
    // The field at area of page should be brought into view.
    void showRequested(int page, const QRectF& area);
    void editFailed(const QString& message);
    // The editor closed: the view takes the keyboard back.
    void closed();

private:
    void open(const FormField& field, bool bringIntoView);
    void close();
    void change(const FormField& field, const FieldValue& value);
    void toggle(const FormField& field);
    void onFocusChanged(QWidget* old, QWidget* now);

    QPointer<Document> m_document;
    QWidget* m_viewport;
    std::function<QRectF(int, const QRectF&)> m_area;
    std::function<double()> m_scale;
    QHash<int, QList<FormField>> m_fields;
    QPointer<FieldEditor> m_editor;
    int m_lastField = 0; // the widget filled last, where Tab goes on from
    bool m_tinted = true;
    bool m_committing = false;
};

} // namespace pxv
