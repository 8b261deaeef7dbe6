#include "dialogprovider.h"

#include "combinedialog.h"
#include "compressdialog.h"
#include "convertdialog.h"
#include "core/document.h"
#include "cropdialog.h"
#include "stampdialog.h"
#include "propertiesdialog.h"
#include "securitydialog.h"
#include "resizedialog.h"
#include "splitdialog.h"
#include "textlayoutdialog.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pxv {

namespace {

QString pdfFilter()
{
    return DialogProvider::tr("PDF documents (*.pdf *.PDF);;All files (*)");
}

} // namespace

QStringList DefaultDialogProvider::openFiles(QWidget* parent, const QString& title)
{
    const QStringList files = QFileDialog::getOpenFileNames(parent, title, m_lastDir, pdfFilter());
    if (!files.isEmpty())
        m_lastDir = QFileInfo(files.last()).absolutePath();
    return files;
}

QVariantMap DefaultDialogProvider::openImages(QWidget* parent)
{
    CombineDialog dialog(parent, CombineDialog::Kind::Images);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QVariantMap parameters{{QStringLiteral("Input"), dialog.files()}};
    if (!dialog.paperSize().isEmpty())
        parameters.insert(QStringLiteral("Size"), dialog.paperSize());
    return parameters;
}

QString DefaultDialogProvider::openTextFile(QWidget* parent)
{
    const QString file = QFileDialog::getOpenFileName(parent, DialogProvider::tr("New from Text File"), m_lastDir,
                                                      DialogProvider::tr("Text files (*.txt);;All files (*)"));
    if (!file.isEmpty())
        m_lastDir = QFileInfo(file).absolutePath();
    return file.isEmpty() ? QString() : file;
}

bool DefaultDialogProvider::textLayout(QWidget* parent, const QString& path, QVariantMap* parameters)
{
    TextLayoutDialog dialog(QFileInfo(path).fileName(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *parameters = dialog.parameters();
    return true;
}

QString DefaultDialogProvider::openPicture(QWidget* parent)
{
    const QString file = QFileDialog::getOpenFileName(parent, DialogProvider::tr("Image Stamp"), m_lastDir,
                                                      DialogProvider::tr("Images (*.png *.jpg *.jpeg)"));
    if (!file.isEmpty())
        m_lastDir = QFileInfo(file).absolutePath();
    return file.isEmpty() ? QString() : file;
}

QString DefaultDialogProvider::saveFile(QWidget* parent, const QString& suggestedPath)
{
    QString file = QFileDialog::getSaveFileName(parent, DialogProvider::tr("Save As"), suggestedPath, pdfFilter());
    if (file.isEmpty())
        return QString();
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    return file;
}

QString DefaultDialogProvider::password(QWidget* parent, const QString& fileName, bool retry)
{
    QString label = DialogProvider::tr("“%1” is protected. Enter its password:").arg(fileName);
    if (retry)
        label = DialogProvider::tr("The password is not correct.") + QLatin1Char('\n') + label;
    bool ok = false;
    const QString text = QInputDialog::getText(parent, DialogProvider::tr("Password"), label, QLineEdit::Password,
                                               QString(), &ok);
    return ok ? text : QString();
}

QStringList DefaultDialogProvider::combineFiles(QWidget* parent)
{
    CombineDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.files();
}

bool DefaultDialogProvider::splitDocument(QWidget* parent, bool hasOutline, SplitChoice* choice)
{
    SplitDialog dialog(hasOutline, *choice, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *choice = dialog.choice();
    return true;
}

QVariantMap DefaultDialogProvider::cropPages(QWidget* parent, const PageDialogContext& context)
{
    CropDialog dialog(context.document, context.currentPage, context.selected, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.parameters() : QVariantMap();
}

QVariantMap DefaultDialogProvider::convertDocument(QWidget* parent, const PageDialogContext& context,
                                                   const ConvertPreset& preset)
{
    ConvertDialog dialog(context.document->pageCount(), context.currentPage, context.selected,
                         context.document->filePath(), preset, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.parameters() : QVariantMap();
}

QVariantMap DefaultDialogProvider::compressDocument(QWidget* parent, const QString& path, qint64 size)
{
    CompressDialog dialog(path, size, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.parameters() : QVariantMap();
}

QVariantMap DefaultDialogProvider::resizePages(QWidget* parent, const PageDialogContext& context)
{
    ResizeDialog dialog(context.document->pageCount(), context.currentPage, context.selected, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.parameters() : QVariantMap();
}

QVariantMap DefaultDialogProvider::stampPages(QWidget* parent, StampKind kind, const PageDialogContext& context)
{
    StampDialog dialog(kind, context.document, context.currentPage, context.selected, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.parameters() : QVariantMap();
}

bool DefaultDialogProvider::documentProperties(QWidget* parent, const PageDialogContext& context, EditableInfo* edited)
{
    PropertiesDialog dialog(context.document->info(), context.document->pageSize(context.currentPage),
                            context.document->pageCount(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *edited = dialog.edited();
    return true;
}

bool DefaultDialogProvider::documentSecurity(QWidget* parent, const ProtectionState& state, Protection* chosen)
{
    SecurityDialog dialog(state, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *chosen = dialog.protection();
    return true;
}

DialogProvider::CloseAnswer DefaultDialogProvider::confirmClose(QWidget* parent, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, DialogProvider::tr("Close"),
                    DialogProvider::tr("“%1” has unsaved changes. Save them before closing?").arg(title),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return CloseAnswer::Save;
    case QMessageBox::Discard:
        return CloseAnswer::Discard;
    default:
        return CloseAnswer::Cancel;
    }
}

bool DefaultDialogProvider::confirmReload(QWidget* parent, const QString& title)
{
    return QMessageBox::question(
               parent, DialogProvider::tr("Reload"),
               DialogProvider::tr("“%1” has unsaved changes. Reload it from the file and lose them?").arg(title),
               QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel)
           == QMessageBox::Yes;
}

DialogProvider::RecoveryAnswer DefaultDialogProvider::recoverDocuments(QWidget* parent, const QStringList& entries)
{
    QMessageBox box(QMessageBox::Question, DialogProvider::tr("Restore Unsaved Changes"),
                    DialogProvider::tr("The editor ended before these documents were saved. Restore their changes?"),
                    QMessageBox::NoButton, parent);
    box.setInformativeText(entries.join(QLatin1Char('\n')));
    QPushButton* restore = box.addButton(DialogProvider::tr("&Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(DialogProvider::tr("&Discard"), QMessageBox::DestructiveRole);
    box.addButton(DialogProvider::tr("&Later"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore)
        return RecoveryAnswer::Restore;
    return box.clickedButton() == discard ? RecoveryAnswer::Discard : RecoveryAnswer::Later;
}

bool DefaultDialogProvider::printSetup(QWidget* parent, QPrinter* printer, const PageDialogContext& context,
                                       bool* fitToPaper)
{
    QPrintDialog dialog(printer, parent);
    dialog.setMinMax(1, context.document->pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !context.selected.isEmpty());
    auto* sizing = new QWidget;
    sizing->setWindowTitle(DialogProvider::tr("Page Sizing"));
    auto* fit = new QRadioButton(DialogProvider::tr("&Fit to paper"), sizing);
    auto* actual = new QRadioButton(DialogProvider::tr("&Actual size"), sizing);
    fit->setChecked(*fitToPaper);
    actual->setChecked(!*fitToPaper);
    auto* layout = new QVBoxLayout(sizing);
    layout->addWidget(fit);
    layout->addWidget(actual);
    layout->addStretch();
    dialog.setOptionTabs({sizing});
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *fitToPaper = fit->isChecked();
    return true;
}

void DefaultDialogProvider::showInformation(QWidget* parent, const QString& message)
{
    QMessageBox::information(parent, DialogProvider::tr("PDF editor"), message);
}

void DefaultDialogProvider::showError(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, DialogProvider::tr("PDF editor"), message);
}

void DefaultDialogProvider::showHelp(QWidget* parent)
{
    QMessageBox::information(parent, DialogProvider::tr("Help"),
                             DialogProvider::tr("<b>Keyboard</b><br>"
                                                "Ctrl+O open, Ctrl+S save, Ctrl+Shift+S save as, Ctrl+W close<br>"
                                                "Ctrl+Tab next document<br>"
                                                "Ctrl++ / Ctrl+− zoom, Ctrl+0 actual size, Ctrl+wheel zoom<br>"
                                                "Page Up / Page Down, Home / End move through the pages"));
}

QString DefaultDialogProvider::exportXfdfFile(QWidget* parent, const QString& suggestedPath)
{
    QString file = QFileDialog::getSaveFileName(parent, DialogProvider::tr("Export Comments and Fields"), suggestedPath,
                                                DialogProvider::tr("XFDF files (*.xfdf);;All files (*)"));
    if (file.isEmpty())
        return QString();
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".xfdf");
    return file;
}

QString DefaultDialogProvider::importXfdfFile(QWidget* parent)
{
    const QString file = QFileDialog::getOpenFileName(parent, DialogProvider::tr("Import Comments and Fields"),
                                                      m_lastDir,
                                                      DialogProvider::tr("XFDF files (*.xfdf *.xml);;All files (*)"));
    if (!file.isEmpty())
        m_lastDir = QFileInfo(file).absolutePath();
    return file.isEmpty() ? QString() : file;
}

QString DefaultDialogProvider::permissionsPassword(QWidget* parent, const QString& title, bool retry)
{
    QString label = DialogProvider::tr("“%1” restricts what may be done with it. Changing its protection needs its "
                                       "permissions password first:")
                        .arg(title);
    if (retry)
        label = DialogProvider::tr("That is not the permissions password.") + QLatin1Char('\n') + label;
    bool ok = false;
    const QString text = QInputDialog::getText(parent, DialogProvider::tr("Permissions Password"), label,
                                               QLineEdit::Password, QString(), &ok);
    return ok ? text : QString();
}

QStringList DefaultDialogProvider::attachFiles(QWidget* parent)
{
    const QStringList files = QFileDialog::getOpenFileNames(parent, DialogProvider::tr("Add Attachments"), m_lastDir);
    if (!files.isEmpty())
        m_lastDir = QFileInfo(files.last()).absolutePath();
    return files;
}

QString DefaultDialogProvider::saveAttachment(QWidget* parent, const QString& fileName)
{
    const QString file = QFileDialog::getSaveFileName(parent, DialogProvider::tr("Save Attachment"),
                                                      QDir(m_lastDir).filePath(fileName));
    if (!file.isEmpty())
        m_lastDir = QFileInfo(file).absolutePath();
    return file;
}

bool DefaultDialogProvider::openExternally(QWidget*, const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QColor DefaultDialogProvider::chooseColor(QWidget* parent, const QColor& initial, const QString& title)
{
    return QColorDialog::getColor(initial, parent, title);
}

} // namespace pxv
