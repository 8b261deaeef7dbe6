#include "firstpaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

// Watches a widget for its first paint event, then goes away.
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget* widget, std::function<void()> done) : QObject(widget), m_done(std::move(done))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_done) {
            // The backing store reaches the window right after the paint event, before the event
            // loop runs the timer.
            QTimer::singleShot(0, watched, std::move(m_done));
            m_done = nullptr;
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_done;
};

} // namespace

void callAfterFirstPaint(QWidget* widget, std::function<void()> done)
{
    new FirstPaintWatch(widget, std::move(done));
}
