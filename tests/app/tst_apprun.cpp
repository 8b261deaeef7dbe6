// One whole run of the application object, in a process of its own: the single-instance lock
// is taken once per process.
#include "cwinapp.h"
#include "pxveditor.h"
#include "qmsgbox.h"

#include <QIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TstAppRun : public QObject
{
    Q_OBJECT

private slots:
    void windowIconIsSetOnceRunning();
};

void TstAppRun::windowIconIsSetOnceRunning()
{
    QStringList messages;
    QMsgBox::setHandler([&messages](QMsgBox::Kind, const QString& text) { messages << text; });
    // The icon is left out of the first picture and set from the event loop after it.
    QVERIFY(qApp->windowIcon().isNull());
    bool iconSet = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&iconSet] {
        iconSet = !qApp->windowIcon().isNull();
        if (iconSet)
            QCoreApplication::exit(0);
    });
    watch.start(10);
    // Turns a run that never sets the icon into a failure instead of a hang.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(2); });
    const int result = static_cast<CWinApp*>(qApp)->run();
    QCOMPARE(messages, QStringList());
    QCOMPARE(result, 0);
    QVERIFY(iconSet);
    QVERIFY(qApp->windowIcon().availableSizes().contains(QSize(32, 32)));
}

int main(int argc, char** argv)
{
    QTemporaryDir profile;
    qputenv("XDG_DATA_HOME", profile.filePath("data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", profile.path().toLocal8Bit());
    registerPXVEditor();
    CWinApp app(argc, argv);
    TstAppRun test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_apprun.moc"
