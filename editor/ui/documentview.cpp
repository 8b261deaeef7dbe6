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
#include "paneslot.h"
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
    Document* model = m_document->model();
    m_pageView = new PageView(model, m_splitter);
    m_outline = new OutlinePane(model, m_pageView, m_splitter);
    m_thumbnails = makeSlot([this, model](PaneSlot* slot, QVBoxLayout* layout) {
        auto* pane = new ThumbnailPane(model, slot);
        connect(pane, &ThumbnailPane::signal_goTo, m_pageView, [this](int page) { m_pageView->jumpTo(page); });
        connect(m_pageView, &PageView::currentPageChanged, pane, &ThumbnailPane::setCurrentPage);
        layout->addWidget(pane);
        return pane;
    });
    m_history = makeSlot(alone([model](QWidget* slot) { return new HistoryPane(model, slot); }));
    m_comments = makeSlot([this, model](PaneSlot* slot, QVBoxLayout* layout) {
        auto* pane = new CommentsPane(model, m_pageView, slot);
        layout->addWidget(pane->makeFilter(slot));
        layout->addWidget(pane, 1);
        return pane;
    });
    m_attachments = makeSlot(alone([model](QWidget* slot) { return new AttachmentsPane(model, slot); }));
    m_layers = makeSlot(alone([model](QWidget* slot) { return new LayersPane(model, slot); }));
    m_signatures = makeSlot(
        alone([this, model](QWidget* slot) { return new SignaturesPane(model, m_pageView, slot); }));
    m_stamps = makeSlot(alone([this](QWidget* slot) { return new StampsPane(m_pageView, slot); }));
    for (QWidget* pane : std::initializer_list<QWidget*>{m_thumbnails, m_outline, m_pageView, m_history, m_comments,
                                                         m_attachments, m_layers, m_signatures, m_stamps})
        m_splitter->addWidget(pane);
    for (int pane = 0; pane < m_splitter->count(); ++pane)
        m_splitter->setStretchFactor(pane, m_splitter->widget(pane) == m_pageView ? 1 : 0);
    m_splitter->setSizes({kDefaultThumbnailsWidth, kDefaultOutlineWidth, 800, kDefaultOutlineWidth,
                          kDefaultCommentsWidth, kDefaultCommentsWidth, kDefaultOutlineWidth, kDefaultCommentsWidth,
                          kDefaultOutlineWidth});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (model->wasRepaired()) {
        // Not a modal box: a file opened by the host must open without waiting for anyone.
        m_repairNotice = buildRepairNotice();
        layout->addWidget(m_repairNotice);
        // Once saved, the file on disk is the repaired one and the notice has said its piece.
        connect(model, &Document::saved, m_repairNotice, &QWidget::hide);
    }
    m_fileChange = new FileChangeBar(model, this);
    layout->addWidget(m_fileChange);
    m_annotationBar = new AnnotationBar(model, m_pageView, this);
    layout->addWidget(m_annotationBar);
    layout->addWidget(m_splitter, 1);
    setFocusProxy(m_pageView);

    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(next, &QShortcut::activated, this, [this] { findBar()->findNext(); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this, nullptr, nullptr,
                                   Qt::WidgetWithChildrenShortcut);
    connect(previous, &QShortcut::activated, this, [this] { findBar()->findPrevious(); });

    connect(m_outline, &OutlinePane::signal_goTo, m_pageView, &PageView::jumpTo);
    m_outlineLoader = new OutlineLoader(this);
    connect(m_outlineLoader, &OutlineLoader::loaded, this, &DocumentView::onOutlineLoaded);
    // Reading the outline takes a core: it waits until the first page is on screen, or a moment
    // when that page cannot be drawn or the tab is not shown.
    connect(m_pageView, &PageView::firstPagePainted, this, &DocumentView::loadPendingOutline);
    QTimer::singleShot(kOutlineLatestMs, this, &DocumentView::loadPendingOutline);
    connect(model, &Document::sourceChanged, this, &DocumentView::onSourceChanged);
    connect(model, &Document::pagesChanged, this, [this](const PageChanges& changes) {
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

PaneSlot* DocumentView::makeSlot(PaneSlot::Maker make)
{
    auto* slot = new PaneSlot(std::move(make), m_splitter);
    connect(slot, &PaneSlot::made, this, &DocumentView::signal_paneMade);
    return slot;
}

PaneSlot::Maker DocumentView::alone(const std::function<QWidget*(QWidget* slot)>& make)
{
    return [make](PaneSlot* slot, QVBoxLayout* layout) {
        QWidget* pane = make(slot);
        layout->addWidget(pane);
        return pane;
    };
}

void DocumentView::showSlot(PaneSlot* slot, bool visible)
{
    if (visible)
        slot->pane();
    slot->setVisible(visible);
}

HistoryPane* DocumentView::historyPane()
{
    return static_cast<HistoryPane*>(m_history->pane());
}

ThumbnailPane* DocumentView::thumbnailPane()
{
    return static_cast<ThumbnailPane*>(m_thumbnails->pane());
}

CommentsPane* DocumentView::commentsPane()
{
    return static_cast<CommentsPane*>(m_comments->pane());
}

AttachmentsPane* DocumentView::attachmentsPane()
{
    return static_cast<AttachmentsPane*>(m_attachments->pane());
}

LayersPane* DocumentView::layersPane()
{
    return static_cast<LayersPane*>(m_layers->pane());
}

StampsPane* DocumentView::stampsPane()
{
    return static_cast<StampsPane*>(m_stamps->pane());
}

SignaturesPane* DocumentView::signaturesPane()
{
    return static_cast<SignaturesPane*>(m_signatures->pane());
}

bool DocumentView::areThumbnailsVisible() const
{
    return !m_thumbnails->isHidden();
}

void DocumentView::setThumbnailsVisible(bool visible)
{
    showSlot(m_thumbnails, visible);
    if (visible)
        thumbnailPane()->setCurrentPage(m_pageView->currentPage());
}

bool DocumentView::isCommentsVisible() const
{
    return !m_comments->isHidden();
}

void DocumentView::setCommentsVisible(bool visible)
{
    showSlot(m_comments, visible);
}

bool DocumentView::isAttachmentsVisible() const
{
    return !m_attachments->isHidden();
}

void DocumentView::setAttachmentsVisible(bool visible)
{
    showSlot(m_attachments, visible);
}

bool DocumentView::isLayersVisible() const
{
    return !m_layers->isHidden();
}

void DocumentView::setLayersVisible(bool visible)
{
    showSlot(m_layers, visible);
}

bool DocumentView::isStampsVisible() const
{
    return !m_stamps->isHidden();
}

void DocumentView::setStampsVisible(bool visible)
{
    showSlot(m_stamps, visible);
}

bool DocumentView::isSignaturesVisible() const
{
    return !m_signatures->isHidden();
}

void DocumentView::setSignaturesVisible(bool visible)
{
    showSlot(m_signatures, visible);
}

bool DocumentView::isHistoryVisible() const
{
    return !m_history->isHidden();
}

void DocumentView::setHistoryVisible(bool visible)
{
    showSlot(m_history, visible);
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

void DocumentView::takeOutlineLoader(std::unique_ptr<OutlineLoader> loader)
{
    delete m_outlineLoader;
    m_outlineLoader = loader.release();
    m_outlineLoader->setParent(this);
    connect(m_outlineLoader, &OutlineLoader::loaded, this, &DocumentView::onOutlineLoaded);
    m_pendingOutline.reset();
    if (m_outlineLoader->hasLoaded())
        onOutlineLoaded(m_outlineLoader->latest());
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
