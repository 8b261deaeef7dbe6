#pragma once

#include <QString>

#include <functional>

// Modal message boxes titled with the application title. Tests install a handler that records
// the text instead of showing a box.
class QMsgBox
{
public:
    enum Kind { Warning, Error, Information };
    using Handler = std::function<void(Kind, const QString&)>;

    static void showWarning(const QString& text, int flags = 1);
    static void showError(const QString& text, int flags = 1);
    static void showInformation(const QString& text, int flags = 1);

    static void setHandler(Handler handler);

private:
    static void show(Kind kind, const QString& text);
};
