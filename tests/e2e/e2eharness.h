#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// End-to-end tests run the real program on a private X server, drive it with xdotool and read
// back what it did. One X server and one fresh profile (HOME, XDG dirs) per test object.
class E2EHarness
{
public:
    // Missing tools make tests skip (ctest exit 77), never fail silently.
    static QString missingTool();

    explicit E2EHarness(bool withWindowManager);
    ~E2EHarness();

    bool isReady() const { return m_display.size() > 0; }
    const QString& display() const { return m_display; }
    QString home() const { return m_profile.path(); }
    QString historyDb() const;
    QProcessEnvironment environment() const;

    // Starts the program with arguments in `workDir` (the profile when empty).
    QProcess* startProgram(const QStringList& arguments = {}, const QString& workDir = {}, const QString& program = {});
    static QString programPath();
    // A deadline for the program's work, longer in sanitizer builds where it runs slower.
    static int slow(int ms);
    // Copies the program into dir, with its English translation in dir/language when asked;
    // returns the copy's path, or an empty string when copying failed.
    static QString copyProgram(const QString& dir, bool withTranslation);

    // The program's main window, waited for up to `timeoutMs`; 0 when none appeared. This wait and
    // waitForExit's are longer in sanitizer builds, where the program runs several times slower.
    qulonglong waitForWindow(const QString& title, int timeoutMs = 10000) const;
    QString xdotool(const QStringList& arguments) const;
    // The visible windows of a started program (main window, home page, message boxes...).
    QStringList windowsOf(const QProcess* program) const;
    // The home page's window, 0 while it is hidden.
    qulonglong homePage() const;
    // The program maps its tool windows once more when its main window first shows, so that the
    // window manager stacks them above it: for that moment the home page is not mapped though it
    // stays up, so it counts as gone only when a few reads in a row miss it.
    bool homePageVisible() const;
    // A document is open: the tool panel that goes with one is up and the home page is not.
    bool documentShown() const;
    // Waits up to timeoutMs (stretched under sanitizers) for documentShown().
    bool waitForDocument(int timeoutMs = 20000) const;
    // Activates the window and types keys into it, e.g. "ctrl+s".
    void typeKeys(qulonglong window, const QString& keys) const;
    QRect windowGeometry(qulonglong window) const;
    bool waitForGeometry(qulonglong window, const std::function<bool(const QRect&)>& predicate,
                         int timeoutMs = 3000) const;
    bool screenshot(const QString& path) const;
    // Rows of an SQL query against the program's history database, via the sqlite3 tool.
    QStringList queryHistory(const QString& sql) const;
    // What the program wrote to its log so far.
    QString logText() const;

    static bool waitForExit(QProcess* process, int timeoutMs = 10000);

private:
    QTemporaryDir m_profile;
    std::unique_ptr<QProcess> m_xvfb;
    std::unique_ptr<QProcess> m_wm;
    std::vector<std::unique_ptr<QProcess>> m_programs;
    QString m_display;
};

// Skips the current QTest function when the harness could not start.
#define E2E_REQUIRE(harness)                                                                                           \
    do {                                                                                                               \
        if (!E2EHarness::missingTool().isEmpty())                                                                      \
            QSKIP(qPrintable("missing tool: " + E2EHarness::missingTool()));                                           \
        QVERIFY2((harness).isReady(), "Xvfb did not start");                                                           \
    } while (false)
