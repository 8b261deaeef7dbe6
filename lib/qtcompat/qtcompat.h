#pragma once

// The few places where Qt 5.15 and Qt 6 have no common API; everything else is written once for
// both. Header only, so that the editor component, which depends on Qt alone, can use it too.

#include <QCoreApplication>
#include <QDropEvent>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QSettings>
#include <QString>
#include <QTextStream>
#include <QtGlobal>

#include <utility>

namespace qtcompat {

// Qt 6 reads and writes both as UTF-8 already; Qt 5 uses the locale's codec unless told.
inline void useUtf8(QTextStream& stream)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    stream.setCodec("UTF-8");
#else
    Q_UNUSED(stream)
#endif
}

inline void useUtf8(QSettings& settings)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    settings.setIniCodec("UTF-8");
#else
    Q_UNUSED(settings)
#endif
}

// The running Qt's own translations (qtbase_*.qm), which differ between Qt 5 and Qt 6.
inline QString translationsPath()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

// The event's position in the widget, with the fractions a scaled screen gives.
inline QPointF position(const QMouseEvent* event)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return event->localPos();
#else
    return event->position();
#endif
}

inline QPoint globalPos(const QMouseEvent* event)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return event->globalPos();
#else
    return event->globalPosition().toPoint();
#endif
}

// Where a drag or drop is, in the widget.
inline QPoint pos(const QDropEvent* event)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return event->pos();
#else
    return event->position().toPoint();
#endif
}

// A menu entry with a shortcut that calls slot on receiver; Qt 6.4 wants the shortcut first.
// Templated on the menu so that this header needs no QtWidgets.
template <typename Menu, typename Receiver, typename Slot>
auto addAction(Menu& menu, const QString& text, const QKeySequence& shortcut, const Receiver* receiver, Slot&& slot)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 3, 0)
    return menu.addAction(text, receiver, std::forward<Slot>(slot), shortcut);
#else
    return menu.addAction(text, shortcut, receiver, std::forward<Slot>(slot));
#endif
}

// Whether an action has been added to some widget (a menu bar, a menu, a tool bar). Templated
// on the action, which is a QtWidgets class in Qt 5.
template <typename Action>
bool isAddedToWidgets(const Action* action)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    return !action->associatedWidgets().isEmpty();
#else
    return !action->associatedObjects().isEmpty();
#endif
}

// Qt 6 always scales for high-DPI screens and always has high-DPI pixmaps; Qt 5 must be asked.
inline void enableHighDpi()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

} // namespace qtcompat
