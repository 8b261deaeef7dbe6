#include "documentview.h"

#include "annotationbar.h"
#include "attachmentspane.h"
#include "layerspane.h"
#include "stampspane.h"
#include "commentspane.h"

#include "core/document.h"
#include "core/outlineloader.h"
#include "cpxvdocument.h"
#include "filechangebar.h"
#include "findbar.h"
#include "historypane.h"
#include "thumbnailpane.h"
#include "outlinepane.h"
#include "pageview.h"
#include "panelayout.h"
#include "signaturespane.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace pxv {

namespace {
constexpr int kDefaultOutlineWidth = 220;
constexpr int kDefaultThumbnailsWidth = 160;
constexpr int kDefaultCommentsWidth = 300;
constexpr int kOutlineLatestMs = 1000;
} // namespace

DocumentView::DocumentView(std::shared_ptr<CPXVDocument> document, QWidget* parent)
    : QWidget(parent), m_document(std::move(document))
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_pageView = new PageView(m_document->model(), m_splitter);
    m_outline = new OutlinePane(m_document->model(), m_pageView, m_splitter);
    m_history = new HistoryPane(m_document->model(), m_splitter);
    m_history->hide();
    m_commentsPanel = new QWidget(m_splitter);
    m_comments = new CommentsPane(m_document->model(), m_pageView, m_commentsPanel);
    auto* commentsLayout = new QVBoxLayout(m_commentsPanel);
    commentsLayout->setContentsMargins(0, 0, 0, 0);
    commentsLayout->setSpacing(2);
    commentsLayout->addWidget(m_comments->makeFilter(m_commentsPanel));
    commentsLayout->addWidget(m_comments, 1);
    m_commentsPanel->hide();
    m_attachments = new AttachmentsPane(m_document->model(), m_splitter);
    m_attachments->hide();
    m_layers = new LayersPane(m_document->model(), m_splitter);
    m_layers->hide();
    m_signatures = new SignaturesPane(m_document->model(), m_pageView, m_splitter);
    m_signatures->hide();
    m_stamps = new StampsPane(m_pageView, m_splitter);
    m_stamps->hide();
    m_thumbnails = new ThumbnailPane(m_document->model(), m_splitter);
    m_thumbnails->hide();
    m_splitter->addWidget(m_thumbnails);
    m_splitter->addWidget(m_outline);
    m_splitter->addWidget(m_pageView);
    m_splitter->addWidget(m_history);
    m_splitter->addWidget(m_commentsPanel);
    m_splitter->addWidget(m_attachments);
    m_splitter->addWidget(m_layers);
    m_splitter->addWidget(m_signatures);
    m_splitter->addWidget(m_stamps);
    for (int pane = 0; pane < m_splitter->count(); ++pane)
        m_splitter->setStretchFactor(pane, m_splitter->widget(pane) == m_pageView ? 1 : 0);
    m_splitter->setSizes({kDefaultThumbnailsWidth, kDefaultOutlineWidth, 800, kDefaultOutlineWidth,
                          kDefaultCommentsWidth, kDefaultCommentsWidth, kDefaultOutlineWidth, kDefaultCommentsWidth,
                          kDefaultOutlineWidth});
    connect(m_thumbnails, &ThumbnailPane::signal_goTo, m_pageView, [this](int page) { m_pageView->goToPage(page); });
    connect(m_pageView, &PageView::currentPageChanged, m_thumbnails, &ThumbnailPane::setCurrentPage);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (m_document->model()->wasRepaired()) {
        // Not a modal box: a file opened by the host must open without waiting for anyone.
        m_repairNotice = buildRepairNotice();
        layout->addWidget(m_repairNotice);
        // Once saved, the file on disk is the repaired one and the notice has said its piece.
        connect(m_document->model(), &Document::saved, m_repairNotice, &QWidget::hide);
    }
    m_fileChange = new FileChangeBar(m_document->model(), this);
    layout->addWidget(m_fileChange);
    m_annotationBar = new AnnotationBar(m_document->model(), m_pageView, this);
    layout->addWidget(m_annotationBar);
    layout->addWidget(m_splitter, 1);
    setFocusProxy(m_pageView);

    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, this, [this] { findBar()->findNext(); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this, nullptr, nullptr,
                                   Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, this, [this] { findBar()->findPrevious(); });

    connect(m_outline, &OutlinePane::signal_goTo, m_pageView, &PageView::goToPage);
    m_outlineLoader = new OutlineLoader(this);
    connect(m_outlineLoader, &OutlineLoader::loaded, this, &DocumentView::onOutlineLoaded);
    // Reading the outline takes a core: it waits until the first page is on screen, or a moment
    // when that page cannot be drawn or the tab is not shown.
    connect(m_pageView, &PageView::firstPagePainted, this, &DocumentView::loadPendingOutline);
    QTimer::singleShot(kOutlineLatestMs, this, &DocumentView::loadPendingOutline);
    connect(m_document->model(), &Document::sourceChanged, this, &DocumentView::onSourceChanged);
    connect(m_document->model(), &Document::pagesChanged, this, [this](const PageChanges& changes) {
        if (changes.outline || changes.everything)
            onSourceChanged();
    });
    onSourceChanged();
}

DocumentView::~DocumentView() = default;

QFrame* DocumentView::buildRepairNotice()
{
    auto* notice = new QFrame(this);
    notice->setObjectName(QStringLiteral("repairNotice"));
    notice->setAttribute(Qt::WA_StyledBackground);
    notice->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    notice->setStyleSheet(QStringLiteral(
        "#repairNotice { background: #fff4c2; border: 1px solid #e2bf4a; border-radius: 4px; margin: 6px; }"
        "#repairNotice QLabel { color: #3a3000; }"));

    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize) * 3 / 2;
    auto* icon = new QLabel(notice);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize));
    auto* text = new QLabel(tr("This file was damaged and has been repaired. "
                               "Save it to keep the repaired version."),
                            notice);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QToolButton(notice);
    close->setObjectName(QStringLiteral("repairNoticeClose"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    close->setToolTip(tr("Close"));
    close->setAccessibleName(tr("Close"));
    connect(close, &QToolButton::clicked, notice, &QWidget::hide);

    auto* row = new QHBoxLayout(notice);
    // The style sheet's margin sits outside the border; the padding inside it comes from here.
    row->setContentsMargins(14, 8, 8, 8);
    row->setSpacing(10);
    row->addWidget(icon);
    row->addWidget(text, 1);
    row->addWidget(close);
    return notice;
}

FindBar* DocumentView::findBar()
{
    // Made on first use, under the pages: most documents are read without a search.
    if (m_findBar)
        return m_findBar;
    m_findBar = new FindBar(
        m_document->model(), [pages = m_pageView] { return pages->currentPage(); }, this);
    m_findBar->hide();
    layout()->addWidget(m_findBar);
    connect(m_findBar, &FindBar::signal_hitsChanged, m_pageView, &PageView::setTextHits);
    connect(m_findBar, &FindBar::signal_showHit, this,
            [this](const TextHit& hit) { m_pageView->showArea(hit.page, hit.areas.value(0)); });
    connect(m_findBar, &FindBar::signal_dismissed, m_pageView, [this] { m_pageView->setFocus(); });
    return m_findBar;
}

void DocumentView::showFindBar()
{
    findBar()->activate();
}

bool DocumentView::areThumbnailsVisible() const
{
    return !m_thumbnails->isHidden();
}

void DocumentView::setThumbnailsVisible(bool visible)
{
    m_thumbnails->setVisible(visible);
    if (visible)
        m_thumbnails->setCurrentPage(m_pageView->currentPage());
}

bool DocumentView::isCommentsVisible() const
{
    return !m_commentsPanel->isHidden();
}

void DocumentView::setCommentsVisible(bool visible)
{
    m_commentsPanel->setVisible(visible);
}

bool DocumentView::isAttachmentsVisible() const
{
    return !m_attachments->isHidden();
}

void DocumentView::setAttachmentsVisible(bool visible)
{
    m_attachments->setVisible(visible);
}

bool DocumentView::isLayersVisible() const
{
    return !m_layers->isHidden();
}

void DocumentView::setLayersVisible(bool visible)
{
    m_layers->setVisible(visible);
}

bool DocumentView::isStampsVisible() const
{
    return !m_stamps->isHidden();
}

void DocumentView::setStampsVisible(bool visible)
{
    m_stamps->setVisible(visible);
}

bool DocumentView::isSignaturesVisible() const
{
    return !m_signatures->isHidden();
}

void DocumentView::setSignaturesVisible(bool visible)
{
    m_signatures->setVisible(visible);
}

bool DocumentView::isHistoryVisible() const
{
    return !m_history->isHidden();
}

void DocumentView::setHistoryVisible(bool visible)
{
    m_history->setVisible(visible);
}

bool DocumentView::hasOutline() const
{
    return m_hasOutline;
}

bool DocumentView::isOutlineVisible() const
{
    return !m_outline->isHidden();
}

void DocumentView::setOutlineVisible(bool visible)
{
    m_outlineWanted = visible;
    const bool show = visible && hasOutline();
    if (show == isOutlineVisible())
        return;
    m_outline->setVisible(show);
    emit signal_outlineVisibilityChanged(show);
}

void DocumentView::applyPaneLimits(const PaneLimits& limits)
{
    m_outline->setMinimumWidth(limits.minWidth);
    m_outline->setMaximumWidth(limits.maxWidth > 0 ? limits.maxWidth : QWIDGETSIZE_MAX);
}

void DocumentView::onSourceChanged()
{
    Document* model = m_document->model();
    const std::shared_ptr<const RenderSource> source = model->renderSource();
    if (source->base->path.isEmpty()) {
        // A document made here (new, combined) has its outline at hand already.
        m_outline->setOutline(model->outline());
        m_hasOutline = !m_outline->isEmpty();
    } else {
        // Whether there is one is known at once, so the pane takes its room before the first
        // page is laid out; the entries follow.
        m_hasOutline = model->hasOutline();
        m_pendingOutline = source;
        if (m_pageView->hasPaintedPage())
            loadPendingOutline();
    }
    showOutlineIfWanted();
}

void DocumentView::loadPendingOutline()
{
    if (m_pendingOutline)
        m_outlineLoader->load(std::move(m_pendingOutline));
    m_pendingOutline.reset();
}

void DocumentView::onOutlineLoaded(const QList<OutlineItem>& items)
{
    m_outline->setOutline(items);
    const bool had = m_hasOutline;
    m_hasOutline = !items.isEmpty();
    if (had != m_hasOutline)
        showOutlineIfWanted();
}

void DocumentView::showOutlineIfWanted()
{
    const bool show = m_outlineWanted && m_hasOutline;
    m_outline->setVisible(show);
    emit signal_outlineVisibilityChanged(show);
}

} // namespace pxv
