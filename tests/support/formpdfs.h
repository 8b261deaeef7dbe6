#pragma once

// A fillable form written object by object, with a field of every kind, none of them with an
// appearance that shows a value: whatever another reader shows of a value was drawn by the
// program that filled it.

#include <QByteArray>
#include <QStringList>

namespace testpdfs {

struct FormSample
{
    int pages = 2; // US Letter; page 1 holds the fields below, page 2 (/Rotate 90) "second",
                   // every later page a text field "pN" of its own
    // Adds to "total" a calculate script that sets it to twice "name"'s value, and to "name"
    // a keystroke script that asks the program to open a web address and submit the form.
    bool scripts = false;
};

// On page 1: "name" (text, default "Ann"), "notes" (multi-line), "code" (comb, 6 characters),
// "secret" (password), "total" (text), "agree" (check box, on state "Yes"), "color" (radio
// group with buttons "Red" and "Green"), "fruit" (editable combo box: Apple, Banana, Cherry,
// default Banana), "colours" (multiple-selection list box, shown Red/Green/Blue, exported
// r/g/b) and "sign" (an unsigned signature). The form lists them in formOrder(), which is
// neither the order of the page's annotations nor their places on the page.
QByteArray formSample(const FormSample& options);
QStringList formOrder(int pages);

} // namespace testpdfs
