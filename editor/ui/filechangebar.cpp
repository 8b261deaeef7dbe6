#include "filechangebar.h"

#include "core/document.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace pxv {

FileChangeBar::FileChangeBar(Document* document, QWidget* parent) : QFrame(parent), m_document(document)
{
    setObjectName(QStringLiteral("fileChangeBar"));
    hide();
    // A save replaces the file by renaming a new one over it, which ends the watch: the saved
    // file is watched anew, and it is what the document knows.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileChangeBar::checkFile);
    connect(document, &Document::saved, this, [this] {
        hide();
        follow();
    });
    follow();
}

void FileChangeBar::buildContents()
{
    // Made when first shown: most files never change while open, and every open pays for what
    // is made with its view.
    if (layout())
        return;
    setAttribute(Qt::WA_StyledBackground);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setStyleSheet(QStringLiteral(
        "#fileChangeBar { background: #e4efff; border: 1px solid #8fb3e8; border-radius: 4px; margin: 6px; }"));
    auto* text = new QLabel(tr("The file was changed on disk by another program."), this);
    text->setWordWrap(true);
    auto* reload = new QPushButton(tr("Reload"), this);
    reload->setObjectName(QStringLiteral("fileChangeReload"));
    auto* close = new QToolButton(this);
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    close->setToolTip(tr("Close"));
    close->setAccessibleName(tr("Close"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 6, 8, 6);
    row->setSpacing(10);
    row->addWidget(text, 1);
    row->addWidget(reload);
    row->addWidget(close);
    connect(reload, &QPushButton::clicked, this, &FileChangeBar::reloadRequested);
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
}

void FileChangeBar::follow()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    const QString path = m_document->filePath();
    if (path.isNull())
        return;
    m_known = stamp(path);
    m_watcher.addPath(path);
}

void FileChangeBar::checkFile()
{
    const QString path = m_document->filePath();
    if (path.isNull())
        return;
    // Replacing a file by rename ends its watch; the new file is watched from now on.
    if (!m_watcher.files().contains(path))
        m_watcher.addPath(path);
    if (stamp(path) != m_known) {
        buildContents();
        show();
    }
}

FileChangeBar::Stamp FileChangeBar::stamp(const QString& path)
{
    // Size and time, as text editors judge it: hashing the file here would read megabytes on
    // the GUI thread with every open and save.
    const QFileInfo file(path);
    return {file.size(), file.lastModified()};
}

} // namespace pxv
