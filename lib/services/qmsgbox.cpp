#include "qmsgbox.h"

#include "cglobal.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QMsgBox::Handler g_handler;
}

void QMsgBox::setHandler(Handler handler)
{
    g_handler = std::move(handler);
}

void QMsgBox::showWarning(const QString& text, int)
{
    show(Warning, text);
}

void QMsgBox::showError(const QString& text, int)
{
    show(Error, text);
}

void QMsgBox::showInformation(const QString& text, int)
{
    show(Information, text);
}

void QMsgBox::show(Kind kind, const QString& text)
{
    if (g_handler) {
        g_handler(kind, text);
        return;
    }
    const QMessageBox::Icon icon = kind == Error     ? QMessageBox::Critical
                                   : kind == Warning ? QMessageBox::Warning
                                                     : QMessageBox::Information;
    QMessageBox box(icon, CGlobal::getAppTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}
