#pragma once

#include "ui/convertdialog.h"
#include "ui/dialogprovider.h"

#include <QPrinter>
#include <QQueue>
#include <QStringList>

#include <functional>
#include <optional>

// Answers the component's questions from scripts and records what was asked.
class FakeDialogs : public pxv::DialogProvider
{
public:
    struct PasswordAsk
    {
        QString fileName;
        bool retry;
    };

    QStringList openAnswer;
    QString saveAnswer;
    QQueue<QString> passwordAnswers; // a null string cancels
    QStringList combineAnswer;
    std::function<bool(bool hasOutline, pxv::SplitChoice*)> splitAnswer; // empty: cancel
    QVariantMap cropAnswer; // empty: cancelled
    QVariantMap resizeAnswer;
    QString printAnswer; // the PDF file to print into; empty: cancelled
    QPrinter::PrintRange printRange = QPrinter::AllPages;
    bool printFit = true;
    QVariantMap imagesAnswer; // empty: cancelled
    QString textAnswer;
    std::optional<QVariantMap> textLayoutAnswer = QVariantMap(); // none: cancelled
    QStringList textLayoutAsks;
    QVariantMap convertAnswer; // empty: cancelled
    QStringList convertFormatsAsked;
    QVariantMap compressAnswer; // empty: cancelled
    QStringList informations;
    QVariantMap stampAnswer;
    QList<pxv::StampKind> stampKinds;
    std::optional<pxv::EditableInfo> propertiesAnswer; // none: cancelled
    std::optional<pxv::Protection> securityAnswer;
    QList<pxv::ProtectionState> securityAsks;
    QQueue<CloseAnswer> closeAnswers;
    std::function<void()> whilePasswordAsked; // runs while the password question is open

    QList<PasswordAsk> passwordAsks;
    QStringList errors;
    QStringList closeAsks;
    QStringList saveSuggestions;
    QList<pxv::PageDialogContext> pageDialogAsks;
    int helpShown = 0;

    bool reloadAnswer = false;
    QStringList reloadAsks;
    bool confirmReload(QWidget*, const QString& title) override
    {
        reloadAsks.append(title);
        return reloadAnswer;
    }
    RecoveryAnswer recoveryAnswer = RecoveryAnswer::Later;
    QList<QStringList> recoveryAsks;
    RecoveryAnswer recoverDocuments(QWidget*, const QStringList& entries) override
    {
        recoveryAsks.append(entries);
        return recoveryAnswer;
    }
    QStringList openFiles(QWidget*, const QString&) override { return openAnswer; }
    QString saveFile(QWidget*, const QString& suggestedPath) override
    {
        saveSuggestions.append(suggestedPath);
        return saveAnswer;
    }
    QString password(QWidget*, const QString& fileName, bool retry) override
    {
        passwordAsks.append({fileName, retry});
        if (whilePasswordAsked)
            whilePasswordAsked();
        return passwordAnswers.isEmpty() ? QString() : passwordAnswers.dequeue();
    }
    QStringList combineFiles(QWidget*) override { return combineAnswer; }
    bool splitDocument(QWidget*, bool hasOutline, pxv::SplitChoice* choice) override
    {
        return splitAnswer && splitAnswer(hasOutline, choice);
    }
    CloseAnswer confirmClose(QWidget*, const QString& title) override
    {
        closeAsks.append(title);
        return closeAnswers.isEmpty() ? CloseAnswer::Cancel : closeAnswers.dequeue();
    }
    QVariantMap cropPages(QWidget*, const pxv::PageDialogContext& context) override
    {
        pageDialogAsks.append(context);
        return cropAnswer;
    }
    QVariantMap resizePages(QWidget*, const pxv::PageDialogContext& context) override
    {
        pageDialogAsks.append(context);
        return resizeAnswer;
    }
    QVariantMap convertDocument(QWidget*, const pxv::PageDialogContext& context,
                                const pxv::ConvertPreset& preset) override
    {
        pageDialogAsks.append(context);
        convertFormatsAsked.append(preset.format);
        return convertAnswer;
    }
    QVariantMap compressDocument(QWidget*, const QString&, qint64) override { return compressAnswer; }
    QVariantMap openImages(QWidget*) override { return imagesAnswer; }
    bool printSetup(QWidget*, QPrinter* printer, const pxv::PageDialogContext&, bool* fitToPaper) override
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printAnswer);
        printer->setPrintRange(printRange);
        *fitToPaper = printFit;
        return !printAnswer.isEmpty();
    }
    QString openTextFile(QWidget*) override { return textAnswer; }
    bool textLayout(QWidget*, const QString& path, QVariantMap* parameters) override
    {
        textLayoutAsks.append(path);
        if (textLayoutAnswer)
            *parameters = *textLayoutAnswer;
        return textLayoutAnswer.has_value();
    }
    QString pictureAnswer; // empty: cancelled
    QString openPicture(QWidget*) override { return pictureAnswer; }
    void showInformation(QWidget*, const QString& message) override { informations.append(message); }
    QVariantMap stampPages(QWidget*, pxv::StampKind kind, const pxv::PageDialogContext& context) override
    {
        pageDialogAsks.append(context);
        stampKinds.append(kind);
        return stampAnswer;
    }
    bool documentProperties(QWidget*, const pxv::PageDialogContext& context, pxv::EditableInfo* edited) override
    {
        pageDialogAsks.append(context);
        if (propertiesAnswer)
            *edited = *propertiesAnswer;
        return propertiesAnswer.has_value();
    }
    bool documentSecurity(QWidget*, const pxv::ProtectionState& state, pxv::Protection* chosen) override
    {
        securityAsks.append(state);
        if (securityAnswer)
            *chosen = *securityAnswer;
        return securityAnswer.has_value();
    }
    void showError(QWidget*, const QString& message) override { errors.append(message); }
    void showHelp(QWidget*) override { ++helpShown; }
    QString xfdfAnswer; // the XFDF file to export to or import; empty: cancelled
    QString exportXfdfFile(QWidget*, const QString&) override { return xfdfAnswer; }
    QString importXfdfFile(QWidget*) override { return xfdfAnswer; }
    QQueue<QString> permissionsPasswordAnswers; // none left: cancelled
    QStringList permissionsPasswordAsks;
    QString permissionsPassword(QWidget*, const QString& title, bool retry) override
    {
        permissionsPasswordAsks.append(title + (retry ? " (again)" : ""));
        return permissionsPasswordAnswers.isEmpty() ? QString() : permissionsPasswordAnswers.dequeue();
    }
    QStringList attachAnswer;
    QString saveAttachmentAnswer; // empty: cancelled
    QStringList openedExternally;
    bool openExternallyAnswer = true;
    QColor colorAnswer; // invalid: cancelled
    QList<QColor> colorAsks; // the colours the questions started from
    QStringList attachFiles(QWidget*) override { return attachAnswer; }
    QString saveAttachment(QWidget*, const QString& fileName) override
    {
        saveSuggestions.append(fileName);
        return saveAttachmentAnswer;
    }
    bool openExternally(QWidget*, const QString& path) override
    {
        openedExternally.append(path);
        return openExternallyAnswer;
    }
    QColor chooseColor(QWidget*, const QColor& initial, const QString&) override
    {
        colorAsks.append(initial);
        return colorAnswer;
    }
};
