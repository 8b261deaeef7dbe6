#pragma once

#include <QApplication>
#include <QSettings>

#include <memory>

class QTranslator;
class CSingleInstance;

// The application object: prepares the process-wide services, keeps the program to one
// instance, shows the main window and runs the event loop.
class CWinApp : public QApplication
{
public:
    CWinApp(int& argc, char** argv);
    ~CWinApp() override;

    // Returns the process exit code.
    int run();

    // Exceptions thrown from event handlers end here rather than unwinding through Qt.
    bool notify(QObject* receiver, QEvent* event) override;

    static QString translationFile(const QString& appPath, const QString& language);
    // A language code such as "en", "zh_CN" or "pt-BR": two or three letters and at most one
    // short region or script part. Nothing else may become part of a file name.
    static bool isPlainLanguageCode(const QString& language);
    // The program's translation for language from appPath's language folder; logs why not.
    static bool loadTranslation(QTranslator& translator, const QString& appPath, const QString& language);
    // Qt's own texts (file and print dialogs, standard buttons) for language, when installed.
    static bool loadQtTranslation(QTranslator& translator, const QString& language);

private:
    void loadTranslator();

    // Declared before the settings, so that the settings go first and the translators after them.
    std::unique_ptr<QTranslator> m_qtTranslator;
    std::unique_ptr<QTranslator> m_translator;
    QSettings m_settings;
    std::unique_ptr<CSingleInstance> m_instanceLock;
};
