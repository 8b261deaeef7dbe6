#include "cwinapp.h"

#include "cglobal.h"
#include "ipxv.h"
#include "logger.h"
#include "perf.h"
#include "qdtaproduct.h"
#include "qhomewidget.h"
#include "qhttpclient.h"
#include "qmainwidget.h"
#include "qmsgbox.h"
#include "quser.h"
#include "scale.h"
#include "singleinstance.h"
#include "uexception.h"

#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include <json/json.h>

Q_DECLARE_METATYPE(Json::Value)

namespace {

const char kInstanceName[] = "VELLUM_PAD_1_1";
const char kVersion[] = "2.0.0.4";

void logException(const UException& e)
{
    sth::logger::log(1, "cwinapp", 84, e.toString());
}

} // namespace

CWinApp::CWinApp(int& argc, char** argv)
    : QApplication(argc, argv),
      m_settings(QCoreApplication::applicationDirPath() + QStringLiteral("/start.ini"), QSettings::IniFormat)
{
    qRegisterMetaType<Json::Value>("QValue");
    m_settings.setIniCodec("UTF-8");
    CGlobal::init();
    loadTranslator();
    initScaleFactor();
    QHttpClient::Instance()->start(3);
    CGlobal::setAppTitle(QObject::tr("OrvantoPDF编辑器"));
    QUser::Instance()->setProduct(QDtaProduct(1, QStringLiteral("vellumpad_win"), QObject::tr("OrvantoPDF编辑器"),
                                              QString::fromLatin1(kVersion)));
    setWindowIcon(QIcon(QStringLiteral(":/res/resource.ico")));
}

CWinApp::~CWinApp()
{
    QHttpClient::Instance()->close();
    CGlobal::release();
}

QString CWinApp::translationFile(const QString& appPath, const QString& language)
{
    return QStringLiteral("%1language/vellumpad_%2.qm").arg(appPath).arg(language);
}

void CWinApp::loadTranslator()
{
    const QString language = m_settings.value(QStringLiteral("config/language"), QStringLiteral("en")).toString();
    m_translator = std::make_unique<QTranslator>();
    m_translator->load(translationFile(CGlobal::getAppPath(), language), QString(), QString(), QString());
    QCoreApplication::installTranslator(m_translator.get());
}

int CWinApp::run()
{
    try {
        m_instanceLock = std::make_unique<CSingleInstance>(QString::fromLatin1(kInstanceName));
        if (m_instanceLock->anotherIsRunning()) {
            QMsgBox::showWarning(QObject::tr("软件已启动，请勿重复运行！"), 1);
            return 0;
        }

        auto window = std::make_unique<QMainWidget>();
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window->move(screen->availableGeometry().center() - window->rect().center());
        window->show();
        QTimer::singleShot(0, [] { perfMilestone("main window shown"); });
        perfMilestoneOnFirstPaint(window->homeWidget(), "home page painted");

        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() > 1)
            window->onOpenFile(arguments.at(1));

        const int result = exec();
        window.reset();
        return result;
    } catch (UException& e) {
        logException(e);
        return 1;
    }
}

bool CWinApp::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (UException& e) {
        logException(e);
        exit(1);
    } catch (PXV_Error& e) {
        // A failing editor call the caller did not handle: tell the user and keep running.
        QMsgBox::showError(e.message(), 1);
    } catch (std::exception& e) {
        QMsgBox::showError(QString::fromLocal8Bit(e.what()), 1);
    }
    return false;
}
