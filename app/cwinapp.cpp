#include "cwinapp.h"

#include "cglobal.h"
#include "ipxv.h"
#include "logger.h"
#include "perf.h"
#include "qdtaproduct.h"
#include "qhomewidget.h"
#include "qhttpclient.h"
#include "qmainwidget.h"
#include "pxveditor.h"
#include "qmsgbox.h"
#include "qtcompat.h"
#include "quser.h"
#include "scale.h"
#include "singleinstance.h"
#include "uexception.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QTranslator>

#include <json/json.h>

Q_DECLARE_METATYPE(Json::Value)

namespace {

const char kInstanceName[] = "VELLUM_PAD_1_1";
const char kVersion[] = "2.0.0.4";
// Enough of a rejected setting to recognise it in the log.
const int kLoggedValueLength = 80;

QString startIniPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/start.ini");
}

// Reading a FIFO would block the start until some writer came; what is not a regular file is
// not read (an empty name gives settings without a file).
QString readableStartIni()
{
    const QFileInfo info(startIniPath());
    return !info.exists() || info.isFile() ? info.filePath() : QString();
}

// Longer than the editor takes to be made and painted after the home page's first paint.
constexpr int kWindowIconDelayMs = 300;

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/res/resource.ico"));
}

void logException(const UException& e)
{
    sth::logger::log(1, "cwinapp", 84, e.toString());
}

} // namespace

CWinApp::CWinApp(int& argc, char** argv)
    : QApplication(argc, argv), m_settings(readableStartIni(), QSettings::IniFormat)
{
    qRegisterMetaType<Json::Value>("QValue");
    qtcompat::useUtf8(m_settings);
    CGlobal::init();
    loadTranslator();
    initScaleFactor();
    QHttpClient::Instance()->start(3);
    CGlobal::setAppTitle(QObject::tr("OrvantoPDF编辑器"));
    QUser::Instance()->setProduct(QDtaProduct(1, QStringLiteral("vellumpad_win"), QObject::tr("OrvantoPDF编辑器"),
                                              QString::fromLatin1(kVersion)));
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

bool CWinApp::isPlainLanguageCode(const QString& language)
{
    static const QRegularExpression code(
        QRegularExpression::anchoredPattern(QStringLiteral("[A-Za-z]{2,3}([_-][A-Za-z0-9]{2,4})?")));
    return code.match(language).hasMatch();
}

bool CWinApp::loadTranslation(QTranslator& translator, const QString& appPath, const QString& language)
{
    // Empty (not null) delimiters and suffix: exactly this file, never a shortened name that
    // could reach a file outside the language folder.
    const QString file = translationFile(appPath, language);
    const QString none = QStringLiteral("");
    if (translator.load(file, none, none, none))
        return true;
    const QString problem = QFileInfo::exists(file) ? QStringLiteral("cannot be read as a translation")
                                                    : QStringLiteral("is missing");
    sth::logger::log(1, __FILE__, __LINE__,
                     QStringLiteral("Translation file %1 %2; the interface shows the source texts.")
                         .arg(file, problem)
                         .toStdWString());
    return false;
}

bool CWinApp::loadQtTranslation(QTranslator& translator, const QString& language)
{
    // "zh" finds qtbase_zh_CN.qm through the locale's fallbacks; the code is checked already, so
    // the name stays inside Qt's translation folder.
    return translator.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                           qtcompat::translationsPath());
}

void CWinApp::loadTranslator()
{
    if (readableStartIni().isEmpty())
        sth::logger::log(
            1, __FILE__, __LINE__,
            QStringLiteral("%1 is not a regular file and is not read.").arg(startIniPath()).toStdWString());
    QString language = m_settings.value(QStringLiteral("config/language"), QStringLiteral("en")).toString();
    // An empty value names "vellumpad_.qm", which is safe to try and normally absent.
    if (!language.isEmpty() && !isPlainLanguageCode(language)) {
        sth::logger::log(1, __FILE__, __LINE__,
                         QStringLiteral("start.ini: config/language \"%1\" is not a language code; using \"en\".")
                             .arg(language.left(kLoggedValueLength))
                             .toStdWString());
        language = QStringLiteral("en");
    }
    // Qt's own dialogs and buttons follow the same language; without Qt's translations they stay
    // English, which is no fault worth a log line.
    m_qtTranslator = std::make_unique<QTranslator>();
    if (!language.isEmpty() && loadQtTranslation(*m_qtTranslator, language))
        QCoreApplication::installTranslator(m_qtTranslator.get());
    m_translator = std::make_unique<QTranslator>();
    loadTranslation(*m_translator, CGlobal::getAppPath(), language);
    QCoreApplication::installTranslator(m_translator.get());
}

namespace {

// Where unsaved changes are kept for recovery: $XDG_STATE_HOME/vellumpad/recovery, else
// ~/.local/state/vellumpad/recovery.
QString recoveryFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/vellumpad/recovery");
}

} // namespace

int CWinApp::run()
{
    try {
        m_instanceLock = std::make_unique<CSingleInstance>(QString::fromLatin1(kInstanceName));
        if (m_instanceLock->anotherIsRunning()) {
            setWindowIcon(applicationIcon());
            QMsgBox::showWarning(QObject::tr("软件已启动，请勿重复运行！"), 1);
            return 0;
        }

        setPXVRecoveryFolder(recoveryFolder(), [](const QString& message) { QMsgBox::showWarning(message, 1); });
        auto window = std::make_unique<QMainWidget>();
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window->move(screen->availableGeometry().center() - window->rect().center());
        window->show();
        QTimer::singleShot(0, [] { perfMilestone("main window shown"); });
        // Every size of the multi-size icon is decoded and sent to the X server, a tenth of the
        // start, for a picture that no window manager shows before the window. Windows without an
        // icon of their own, the main window included, take this one. It comes after the editor,
        // made right after the home page's first paint, is on screen too.
        QTimer::singleShot(kWindowIconDelayMs, qApp, [] { setWindowIcon(applicationIcon()); });
        perfMilestoneOnFirstPaint(window->homeWidget(), "home page painted");

        if (pxvRecoveryPending()) {
            QMainWidget* shown = window.get();
            QTimer::singleShot(0, shown, [shown] { shown->offerRecovery(); });
        }

        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() > 1)
            window->onOpenFile(arguments.at(1));

        const int result = exec();
        window.reset();
        setPXVRecoveryFolder(QString(), {}); // the last records are on disk before the program ends
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
