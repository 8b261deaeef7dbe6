#include "attachmentspane.h"

#include "core/document.h"
#include "dialogprovider.h"
#include "panerefresh.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pxv {

namespace {

constexpr int kNameRole = Qt::UserRole;

// Copies of attachments opened with other programs: readable by this user only, kept until the
// program ends, since the program that shows one may read it at any time.
QTemporaryDir& openedCopies()
{
    static QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("vellumpad-attachments-XXXXXX")));
    return folder;
}

} // namespace

AttachmentsPane::AttachmentsPane(Document* document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("attachmentsView"));
    m_list = new QTreeWidget(this);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({tr("Name"), tr("Size"), tr("Description")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->header()->setStretchLastSection(true);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);

    const auto button = [this](const QString& text, const QString& icon, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setIcon(QIcon::fromTheme(icon));
        b->setToolTip(tip);
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return b;
    };
    m_add = button(tr("Add…"), QStringLiteral("list-add"), tr("Embed files in the document"));
    m_open = button(tr("Open"), QStringLiteral("document-open"), tr("Open with the program for its type"));
    m_save = button(tr("Save…"), QStringLiteral("document-save-as"), tr("Save a copy of the file"));
    m_remove = button(tr("Remove"), QStringLiteral("list-remove"), tr("Remove the file from the document"));
    connect(m_add, &QToolButton::clicked, this, &AttachmentsPane::addFiles);
    connect(m_open, &QToolButton::clicked, this, &AttachmentsPane::openCurrent);
    connect(m_save, &QToolButton::clicked, this, &AttachmentsPane::saveCurrent);
    connect(m_remove, &QToolButton::clicked, this, &AttachmentsPane::removeCurrent);
    connect(m_list, &QTreeWidget::itemActivated, this, &AttachmentsPane::openCurrent);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &AttachmentsPane::updateButtons);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        const bool chosen = m_list->itemAt(at) != nullptr;
        if (chosen) {
            menu.addAction(m_open->text(), this, &AttachmentsPane::openCurrent);
            menu.addAction(m_save->text(), this, &AttachmentsPane::saveCurrent);
            menu.addAction(m_remove->text(), this, &AttachmentsPane::removeCurrent);
            menu.addSeparator();
        }
        menu.addAction(m_add->text(), this, &AttachmentsPane::addFiles);
        menu.exec(m_list->viewport()->mapToGlobal(at));
    });

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    buttons->setSpacing(2);
    for (QToolButton* b : {m_add, m_open, m_save, m_remove})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(m_list, 1);

    // Read while shown only; any step may have added or removed a file.
    refreshWhileShown(this, document, [this] { refresh(); });
    updateButtons();
}

void AttachmentsPane::refresh()
{
    const QString current = currentName();
    m_list->clear();
    if (!m_document)
        return;
    const QLocale locale;
    for (const Attachment& attachment : m_document->attachments()) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, attachment.fileName);
        item->setText(1, attachment.size >= 0 ? locale.formattedDataSize(attachment.size) : tr("unreadable"));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(2, attachment.description);
        item->setToolTip(0,
                         attachment.modified.isValid()
                             ? tr("%1, changed %2")
                                   .arg(attachment.fileName, locale.toString(attachment.modified, QLocale::ShortFormat))
                             : attachment.fileName);
        item->setData(0, kNameRole, attachment.name);
        if (attachment.name == current)
            m_list->setCurrentItem(item);
    }
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(1);
    updateButtons();
}

QString AttachmentsPane::currentName() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->data(0, kNameRole).toString() : QString();
}

void AttachmentsPane::updateButtons()
{
    const bool chosen = !currentName().isEmpty();
    m_open->setEnabled(chosen);
    m_save->setEnabled(chosen);
    m_remove->setEnabled(chosen);
}

void AttachmentsPane::fail(const QString& message)
{
    if (m_dialogs)
        m_dialogs->showError(this, message);
}

void AttachmentsPane::addFiles()
{
    if (!m_document || !m_dialogs)
        return;
    for (const QString& path : m_dialogs->attachFiles(this)) {
        try {
            m_document->addAttachment(path);
        } catch (const DocumentError& error) {
            fail(error.message());
            return;
        }
    }
}

void AttachmentsPane::openCurrent()
{
    const QString name = currentName();
    if (name.isEmpty() || !m_document || !m_dialogs)
        return;
    QTemporaryDir& copies = openedCopies();
    // A folder of its own for each copy: a program may still show an earlier one of that name.
    const QString folder = copies.isValid()
                               ? QDir(copies.path()).filePath(QString::number(QDateTime::currentMSecsSinceEpoch()))
                               : QString();
    const QString fileName = QFileInfo(m_list->currentItem()->text(0)).fileName();
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        fail(tr("There is no temporary folder to open “%1” from.").arg(fileName));
        return;
    }
    const QString path = QDir(folder).filePath(fileName.isEmpty() ? name : fileName);
    try {
        const QByteArray data = m_document->attachmentData(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            throw DocumentError(DocumentError::SaveFailed,
                                tr("“%1” could not be written: %2").arg(path, file.errorString()));
        file.close();
        // Read-only, so that changes are not made to a copy nobody will save.
        file.setPermissions(QFileDevice::ReadOwner);
    } catch (const DocumentError& error) {
        fail(error.message());
        return;
    }
    if (!m_dialogs->openExternally(this, path))
        fail(tr("No program could be started to open “%1”.").arg(fileName));
}

void AttachmentsPane::saveCurrent()
{
    const QString name = currentName();
    if (name.isEmpty() || !m_document || !m_dialogs)
        return;
    const QString path = m_dialogs->saveAttachment(this, m_list->currentItem()->text(0));
    if (path.isEmpty())
        return;
    try {
        m_document->saveAttachment(name, path);
    } catch (const DocumentError& error) {
        fail(error.message());
    }
}

void AttachmentsPane::removeCurrent()
{
    const QString name = currentName();
    if (name.isEmpty() || !m_document)
        return;
    try {
        m_document->removeAttachment(name);
    } catch (const DocumentError& error) {
        fail(error.message());
    }
}

void AttachmentsPane::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

bool AttachmentsPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        removeCurrent();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace pxv
