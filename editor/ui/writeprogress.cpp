#include "writeprogress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressBar>

namespace pxv {

namespace {

constexpr int kShowAfterMs = 1000;

} // namespace

WriteProgress::WriteProgress(QWidget* parent, const QString& title)
    : m_dialog(QString(), QCoreApplication::translate("pxv::WriteProgress", "Cancel"), 0, 0, parent),
      m_bar(new QProgressBar(&m_dialog))
{
    m_dialog.setWindowTitle(title);
    m_dialog.setWindowModality(Qt::ApplicationModal);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setMinimumDuration(kShowAfterMs);
    m_dialog.setMinimumWidth(m_dialog.fontMetrics().averageCharWidth() * 50);
    // The dialog's own setValue is avoided: it runs the event loop as it pleases.
    m_dialog.setBar(m_bar);
    m_clock.start();
}

bool WriteProgress::operator()(int index, int count, const QString& path)
{
    m_dialog.setLabelText(QCoreApplication::translate("pxv::WriteProgress", "Writing “%1” (%2 of %3)…")
                              .arg(QFileInfo(path).fileName())
                              .arg(index + 1)
                              .arg(count));
    m_bar->setRange(0, count);
    m_bar->setValue(index);
    if (!m_dialog.isVisible() && m_clock.elapsed() >= kShowAfterMs)
        m_dialog.show();
    // Until the modal dialog is up, clicks and keys wait: the document must not change while
    // it is being written out.
    QCoreApplication::processEvents(m_dialog.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return !m_dialog.wasCanceled();
}

} // namespace pxv
