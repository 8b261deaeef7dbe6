#include "dialogprovider.h"

#include "combinedialog.h"
#include "core/document.h"
#include "cropdialog.h"
#include "stampdialog.h"
#include "propertiesdialog.h"
#include "securitydialog.h"
#include "resizedialog.h"
#include "splitdialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace pxv {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("pxv::DialogProvider", text);
}

QString pdfFilter()
{
    return tr("PDF documents (*.pdf *.PDF);;All files (*)");
}

} // namespace

QStringList DefaultDialogProvider::openFiles(QWidget* parent)
{
    const QStringList files = QFileDialog::getOpenFileNames(parent, tr("Open"), m_lastDir, pdfFilter());
    if (!files.isEmpty())
        m_lastDir = QFileInfo(files.last()).absolutePath();
    return files;
}

QString DefaultDialogProvider::saveFile(QWidget* parent, const QString& suggestedPath)
{
    QString file = QFileDialog::getSaveFileName(parent, tr("Save As"), suggestedPath, pdfFilter());
    if (file.isEmpty())
        return QString();
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    return file;
}

QString DefaultDialogProvider::password(QWidget* parent, const QString& fileName, bool retry)
{
    QString label = tr("“%1” is protected. Enter its password:").arg(fileName);
    if (retry)
        label = tr("The password is not correct.") + QLatin1Char('\n') + label;
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, tr("Password"), label, QLineEdit::Password, QString(), &ok);
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
    QMessageBox box(QMessageBox::Warning, tr("Close"),
                    tr("“%1” has unsaved changes. Save them before closing?").arg(title),
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

void DefaultDialogProvider::showError(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, tr("PDF editor"), message);
}

void DefaultDialogProvider::showHelp(QWidget* parent)
{
    QMessageBox::information(
        parent, tr("Help"),
        tr("<b>Keyboard</b><br>"
           "Ctrl+O open, Ctrl+S save, Ctrl+Shift+S save as, Ctrl+W close<br>"
           "Ctrl+Tab next document<br>"
           "Ctrl++ / Ctrl+− zoom, Ctrl+0 actual size, Ctrl+wheel zoom<br>"
           "Page Up / Page Down, Home / End move through the pages"));
}

} // namespace pxv
