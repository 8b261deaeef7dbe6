#include "commentspane.h"

#include "core/document.h"
#include "pageview.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>

namespace pxv {

namespace {

enum Role { PageRole = Qt::UserRole, IdRole, AreaRole };

QString kindName(const Annotation& annotation)
{
    switch (annotation.type) {
    case AnnotationType::Text:
        return CommentsPane::tr("Note");
    case AnnotationType::FreeText:
        return CommentsPane::tr("Text box");
    case AnnotationType::Line:
        return annotation.lineEnd == LineEnding::None ? CommentsPane::tr("Line") : CommentsPane::tr("Arrow");
    case AnnotationType::Square:
        return CommentsPane::tr("Rectangle");
    case AnnotationType::Circle:
        return CommentsPane::tr("Ellipse");
    case AnnotationType::Polygon:
        return CommentsPane::tr("Polygon");
    case AnnotationType::PolyLine:
        return CommentsPane::tr("Polyline");
    case AnnotationType::Highlight:
        return CommentsPane::tr("Highlight");
    case AnnotationType::Underline:
        return CommentsPane::tr("Underline");
    case AnnotationType::StrikeOut:
        return CommentsPane::tr("Strikeout");
    case AnnotationType::Squiggly:
        return CommentsPane::tr("Squiggly");
    case AnnotationType::Stamp:
        return CommentsPane::tr("Stamp: %1").arg(annotation.icon);
    case AnnotationType::Ink:
        return CommentsPane::tr("Drawing");
    case AnnotationType::Other:
        break;
    }
    return annotation.subtype;
}

} // namespace

CommentsPane::CommentsPane(Document* document, PageView* pages, QWidget* parent)
    : QTreeWidget(parent), m_document(document), m_pages(pages)
{
    setObjectName(QStringLiteral("commentsView"));
    setColumnCount(4);
    setHeaderLabels({tr("Comment"), tr("Author"), tr("Date"), tr("Text")});
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setRootIsDecorated(true);
    connect(this, &QTreeWidget::itemClicked, this, &CommentsPane::onItemClicked);
    connect(document, &Document::pagesChanged, this, [this] {
        if (isVisible())
            refresh();
    });
    connect(document, &Document::sourceChanged, this, [this] {
        if (isVisible())
            refresh();
    });
}

void CommentsPane::refresh()
{
    clear();
    if (!m_document)
        return;
    const QLocale locale;
    for (int page = 0; page < m_document->pageCount(); ++page) {
        const QList<Annotation> list = m_document->annotations(page);
        if (list.isEmpty())
            continue;
        auto* pageItem = new QTreeWidgetItem(this, {tr("Page %1").arg(page + 1)});
        pageItem->setData(0, PageRole, page);
        for (const Annotation& annotation : list) {
            auto* item = new QTreeWidgetItem(pageItem, {kindName(annotation), annotation.author,
                                                        locale.toString(annotation.modified, QLocale::ShortFormat),
                                                        annotation.contents.simplified()});
            item->setData(0, PageRole, page);
            item->setData(0, IdRole, annotation.id);
            item->setData(0, AreaRole, annotation.rect);
            item->setToolTip(3, annotation.contents);
        }
        pageItem->setExpanded(true);
    }
}

void CommentsPane::showEvent(QShowEvent* event)
{
    refresh();
    QTreeWidget::showEvent(event);
}

void CommentsPane::onItemClicked(QTreeWidgetItem* item)
{
    const int page = item->data(0, PageRole).toInt();
    const int id = item->data(0, IdRole).toInt();
    if (!m_pages)
        return;
    if (id <= 0) {
        m_pages->goToPage(page);
        return;
    }
    m_pages->showArea(page, item->data(0, AreaRole).toRectF());
    m_pages->selectAnnotation(page, id);
}

void CommentsPane::deleteItem(QTreeWidgetItem* item)
{
    const int id = item ? item->data(0, IdRole).toInt() : 0;
    if (id <= 0 || !m_document)
        return;
    const int page = item->data(0, PageRole).toInt();
    if (m_pages && m_pages->selectedAnnotation() == PageView::AnnotationRef{page, id})
        m_pages->selectAnnotation(-1, 0);
    try {
        m_document->deleteAnnotation(page, id);
    } catch (const DocumentError& error) {
        if (m_pages)
            emit m_pages->editFailed(error.message());
    }
}

void CommentsPane::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        deleteItem(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CommentsPane::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->pos());
    if (!item || item->data(0, IdRole).toInt() <= 0)
        return;
    QMenu menu(this);
    menu.addAction(tr("Delete"), this, [this, item] { deleteItem(item); });
    menu.exec(event->globalPos());
}

} // namespace pxv
