#pragma once

#include "qmsgbox.h"

#include <QApplication>
#include <QList>
#include <QListWidgetItem>
#include <QMetaType>
#include <QMouseEvent>
#include <QPair>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

Q_DECLARE_METATYPE(QListWidgetItem*)

// A mouse event at the widget's centre, delivered straight to it as the window system would.
inline void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button)
{
    const QPoint pos = target->rect().center();
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// Stands in for the main window: the widgets connect to these slots by signature.
class FakeParent : public QWidget
{
    Q_OBJECT
public:
    int pagemorph = 0;
    int draftmorph = 0;
    QStringList opened;

public slots:
    void onPagemorphClicked() { ++pagemorph; }
    void onDraftmorphClicked() { ++draftmorph; }
    void onOpenFile(const QString& path) { opened << path; }
};

// Records message boxes instead of showing them, for as long as it lives.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        QMsgBox::setHandler([this](QMsgBox::Kind kind, const QString& text) { messages << qMakePair(kind, text); });
    }
    ~MessageRecorder() { QMsgBox::setHandler(nullptr); }

    QList<QPair<QMsgBox::Kind, QString>> messages;
};

// Points the application data folder (and HOME) at a fresh temporary folder before the
// application object exists, so that tests never touch the real profile.
#define VP_WIDGET_TEST_MAIN(TestClass)                                                                                 \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        QTemporaryDir profile;                                                                                         \
        if (!profile.isValid())                                                                                        \
            return 1;                                                                                                  \
        qputenv("HOME", profile.path().toLocal8Bit());                                                                 \
        qputenv("XDG_DATA_HOME", (profile.path() + QStringLiteral("/share")).toLocal8Bit());                           \
        qputenv("XDG_CONFIG_HOME", (profile.path() + QStringLiteral("/config")).toLocal8Bit());                        \
        QApplication app(argc, argv);                                                                                  \
        app.setApplicationName(QStringLiteral("vellumpad"));                                                           \
        qRegisterMetaType<QListWidgetItem*>();                                                                         \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
