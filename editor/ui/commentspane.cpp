#include "commentspane.h"

#include "core/document.h"
#include "pageview.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>

#include <algorithm>

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
    connect(document, &Document::pagesChanged, this, &CommentsPane::onPagesChanged);
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
    for (int page = 0; page < m_document->pageCount(); ++page)
        refreshPage(page);
}

void CommentsPane::onPagesChanged(const PageChanges& changes)
{
    if (!isVisible() || !m_document)
        return;
    if (changes.structure || changes.everything) {
        refresh();
        return;
    }
    for (PageId id : changes.changed) {
        const int page = m_document->pageIndex(id);
        if (page >= 0)
            refreshPage(page);
    }
}

void CommentsPane::refreshPage(int page)
{
    // Pages are listed in order: the page's place is before the first item of a later page.
    int place = 0;
    while (place < topLevelItemCount() && topLevelItem(place)->data(0, PageRole).toInt() < page)
        ++place;
    if (place < topLevelItemCount() && topLevelItem(place)->data(0, PageRole).toInt() == page)
        delete takeTopLevelItem(place);
    ++m_pagesRead;
    QList<Annotation> list = m_document->annotations(page);
    if (m_kind)
        list.erase(std::remove_if(list.begin(), list.end(), [this](const Annotation& a) { return a.type != *m_kind; }),
                   list.end());
    if (list.isEmpty())
        return;
    const QLocale locale;
    auto* pageItem = new QTreeWidgetItem({tr("Page %1").arg(page + 1)});
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
    insertTopLevelItem(place, pageItem);
    pageItem->setExpanded(true);
}

void CommentsPane::setKindFilter(std::optional<AnnotationType> kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    if (isVisible())
        refresh();
}

QComboBox* CommentsPane::makeFilter(QWidget* parent)
{
    auto* filter = new QComboBox(parent);
    filter->setObjectName(QStringLiteral("commentsFilter"));
    filter->addItem(tr("All comments"), -1);
    for (AnnotationType type :
         {AnnotationType::Highlight, AnnotationType::Underline, AnnotationType::StrikeOut, AnnotationType::Squiggly,
          AnnotationType::Text, AnnotationType::FreeText, AnnotationType::Ink, AnnotationType::Line,
          AnnotationType::Square, AnnotationType::Circle, AnnotationType::Polygon, AnnotationType::PolyLine,
          AnnotationType::Stamp}) {
        Annotation sample;
        sample.type = type;
        filter->addItem(type == AnnotationType::Stamp ? tr("Stamp") : kindName(sample), int(type));
    }
    connect(filter, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this, filter](int index) {
        const int type = filter->itemData(index).toInt();
        setKindFilter(type < 0 ? std::nullopt : std::optional<AnnotationType>(AnnotationType(type)));
    });
    return filter;
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
        m_pages->jumpTo(page);
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
