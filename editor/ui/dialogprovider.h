#pragma once

#include "ui/layer.h"

#include "values/docinfo.h"
#include "values/protection.h"
#include "values/stamp.h"

#include <QColor>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

class QPrinter;
class QWidget;

namespace pxv {

// How to split a document into files, and the folder they go into.
struct SplitChoice
{
    enum class Way { EveryCount, EachPage, Outline };
    Way way = Way::EveryCount;
    int count = 10; // pages per file, for EveryCount
    QString folder;
};

class Document;
struct ConvertPreset;

// What a page dialog starts from: the document, its current page and the pages selected in the
// thumbnails (0-based; empty when none are).
struct PageDialogContext
{
    Document* document;
    int currentPage;
    QVector<int> selected;
};

// Every question the component asks the user goes through this interface, so that tests can
// answer without modal dialogs. The default implementation shows real dialogs.
class DialogProvider
{
    Q_DECLARE_TR_FUNCTIONS(pxv::DialogProvider)

public:
    enum class CloseAnswer { Save, Discard, Cancel };

    virtual ~DialogProvider() = default;

    // PDF files chosen in a dialog of that title; empty when cancelled.
    virtual QStringList openFiles(QWidget* parent, const QString& title) = 0;
    // The target of a save-as; a null string when cancelled.
    virtual QString saveFile(QWidget* parent, const QString& suggestedPath) = 0;
    // The password for an encrypted file; a null string when cancelled. retry is true after a
    // wrong password.
    virtual QString password(QWidget* parent, const QString& fileName, bool retry) = 0;
    // The parameters of "op.imagesToDoc": "Input", the image files in the order chosen, and
    // "Size" when they are fitted to paper; empty when cancelled.
    virtual QVariantMap openImages(QWidget* parent) = 0;
    // A text file to make a document of; a null string when cancelled.
    virtual QString openTextFile(QWidget* parent) = 0;
    // How the text file at path is laid out: the parameters of "op.textToDoc" other than
    // "Input" go into parameters. False when cancelled.
    virtual bool textLayout(QWidget* parent, const QString& path, QVariantMap* parameters) = 0;
    // One PNG or JPEG picture (an image stamp); a null string when cancelled.
    virtual QString openPicture(QWidget* parent) = 0;
    // The files to combine, in order; empty when cancelled.
    virtual QStringList combineFiles(QWidget* parent) = 0;
    // How to split a document; choice comes with the folder to offer and takes the answer.
    // Splitting at outline entries is offered only when hasOutline. False when cancelled.
    virtual bool splitDocument(QWidget* parent, bool hasOutline, SplitChoice* choice) = 0;
    virtual CloseAnswer confirmClose(QWidget* parent, const QString& title) = 0;
    // The parameters of "op.document.cropPages" or "op.document.resizePages" chosen for the
    // pages; empty when cancelled.
    virtual QVariantMap cropPages(QWidget* parent, const PageDialogContext& context) = 0;
    virtual QVariantMap resizePages(QWidget* parent, const PageDialogContext& context) = 0;
    // Whether to reload a document from its changed file, losing its unsaved changes.
    virtual bool confirmReload(QWidget* parent, const QString& title) = 0;
    enum class RecoveryAnswer { Restore, Discard, Later };
    // What to do with documents whose unsaved changes were kept when the program ended; each
    // entry describes one.
    virtual RecoveryAnswer recoverDocuments(QWidget* parent, const QStringList& entries) = 0;
    // The parameters of "op.document.convert" for the pages, starting from preset; empty when
    // cancelled.
    virtual QVariantMap convertDocument(QWidget* parent, const PageDialogContext& context,
                                        const ConvertPreset& preset) = 0;
    // The parameters of "op.document.compress" for a document whose file is path (null when it
    // has none) of size bytes; empty when cancelled.
    virtual QVariantMap compressDocument(QWidget* parent, const QString& path, qint64 size) = 0;
    // Sets up printer for the context's document (its range, which may be the current page or
    // the selected pages, copies, the printer itself) and tells whether pages are fitted to the
    // paper or printed at their own size; false when cancelled.
    virtual bool printSetup(QWidget* parent, QPrinter* printer, const PageDialogContext& context, bool* fitToPaper) = 0;
    virtual void showInformation(QWidget* parent, const QString& message) = 0;
    // The parameters of "op.document.addWatermarks" or "op.document.addHeaderFooter"; empty
    // when cancelled.
    virtual QVariantMap stampPages(QWidget* parent, StampKind kind, const PageDialogContext& context) = 0;
    // The document's properties, with the fields to edit; false when cancelled.
    virtual bool documentProperties(QWidget* parent, const PageDialogContext& context, EditableInfo* edited) = 0;
    // The protection for the next save, shown with the one the document has; false when cancelled.
    virtual bool documentSecurity(QWidget* parent, const ProtectionState& state, Protection* chosen) = 0;
    virtual void showError(QWidget* parent, const QString& message) = 0;
    // The XFDF file to export comments and fields to, offered as suggestedPath, and the one to
    // import; a null string when cancelled.
    virtual QString exportXfdfFile(QWidget* parent, const QString& suggestedPath) = 0;
    virtual QString importXfdfFile(QWidget* parent) = 0;
    virtual void showHelp(QWidget* parent) = 0;
    // The permissions password that changing a restricted document's protection needs; retry is
    // true after a wrong one. A null string when cancelled.
    virtual QString permissionsPassword(QWidget* parent, const QString& title, bool retry) = 0;
    // Files of any kind to embed in a document; empty when cancelled.
    virtual QStringList attachFiles(QWidget* parent) = 0;
    // Where to save an embedded file called fileName; empty when cancelled.
    virtual QString saveAttachment(QWidget* parent, const QString& fileName) = 0;
    // Opens a file with the desktop's program for its type; false when none could be started.
    virtual bool openExternally(QWidget* parent, const QString& path) = 0;
    // A colour, starting from initial; invalid when cancelled.
    virtual QColor chooseColor(QWidget* parent, const QColor& initial, const QString& title) = 0;
};

class DefaultDialogProvider : public DialogProvider
{
public:
    QStringList openFiles(QWidget* parent, const QString& title) override;
    QString saveFile(QWidget* parent, const QString& suggestedPath) override;
    QString password(QWidget* parent, const QString& fileName, bool retry) override;
    QVariantMap openImages(QWidget* parent) override;
    QString openTextFile(QWidget* parent) override;
    bool textLayout(QWidget* parent, const QString& path, QVariantMap* parameters) override;
    QString openPicture(QWidget* parent) override;
    QStringList combineFiles(QWidget* parent) override;
    bool splitDocument(QWidget* parent, bool hasOutline, SplitChoice* choice) override;
    CloseAnswer confirmClose(QWidget* parent, const QString& title) override;
    QVariantMap cropPages(QWidget* parent, const PageDialogContext& context) override;
    QVariantMap resizePages(QWidget* parent, const PageDialogContext& context) override;
    bool confirmReload(QWidget* parent, const QString& title) override;
    RecoveryAnswer recoverDocuments(QWidget* parent, const QStringList& entries) override;
    QVariantMap convertDocument(QWidget* parent, const PageDialogContext& context,
                                const ConvertPreset& preset) override;
    QVariantMap compressDocument(QWidget* parent, const QString& path, qint64 size) override;
    bool printSetup(QWidget* parent, QPrinter* printer, const PageDialogContext& context, bool* fitToPaper) override;
    void showInformation(QWidget* parent, const QString& message) override;
    QVariantMap stampPages(QWidget* parent, StampKind kind, const PageDialogContext& context) override;
    bool documentProperties(QWidget* parent, const PageDialogContext& context, EditableInfo* edited) override;
    bool documentSecurity(QWidget* parent, const ProtectionState& state, Protection* chosen) override;
    void showError(QWidget* parent, const QString& message) override;
    QString exportXfdfFile(QWidget* parent, const QString& suggestedPath) override;
    QString importXfdfFile(QWidget* parent) override;
    void showHelp(QWidget* parent) override;
    QString permissionsPassword(QWidget* parent, const QString& title, bool retry) override;
    QStringList attachFiles(QWidget* parent) override;
    QString saveAttachment(QWidget* parent, const QString& fileName) override;
    bool openExternally(QWidget* parent, const QString& path) override;
    QColor chooseColor(QWidget* parent, const QColor& initial, const QString& title) override;

private:
    QString m_lastDir;
};

} // namespace pxv
