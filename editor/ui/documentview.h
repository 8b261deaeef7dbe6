#pragma once

#include "ui/layer.h"

#include "ui/paneslot.h"
#include "values/types.h"

#include <QWidget>

#include <memory>

class QFrame;
class QSplitter;
class CPXVDocument;

namespace pxv {

class FileChangeBar;
class AnnotationBar;
class AttachmentsPane;
class LayersPane;
class CommentsPane;
class SignaturesPane;
class StampsPane;
class FindBar;
class HistoryPane;
class ThumbnailPane;
class OutlineLoader;
struct RenderSource;
class OutlinePane;
class PageView;
struct PaneLimits;

// One tab: a document's outline beside its pages.
class DocumentView : public QWidget
{
    Q_OBJECT
public:
    DocumentView(std::shared_ptr<CPXVDocument> document, QWidget* parent = nullptr);
    ~DocumentView() override;

    const std::shared_ptr<CPXVDocument>& document() const { return m_document; }
    PageView* pageView() const { return m_pageView; }
    OutlinePane* outlinePane() const { return m_outline; }
    // The bar above the pages saying the file was repaired; null for a file that needed none.
    QFrame* repairNotice() const { return m_repairNotice; }
    // The find bar under the pages; hidden until asked for.
    FindBar* findBar();
    FileChangeBar* fileChangeBar() const { return m_fileChange; }
    void showFindBar();

    HistoryPane* historyPane();
    ThumbnailPane* thumbnailPane();
    bool areThumbnailsVisible() const;
    void setThumbnailsVisible(bool visible);
    CommentsPane* commentsPane();
    bool isCommentsVisible() const;
    void setCommentsVisible(bool visible);
    AttachmentsPane* attachmentsPane();
    bool isAttachmentsVisible() const;
    void setAttachmentsVisible(bool visible);
    LayersPane* layersPane();
    bool isLayersVisible() const;
    void setLayersVisible(bool visible);
    StampsPane* stampsPane();
    bool isStampsVisible() const;
    void setStampsVisible(bool visible);
    SignaturesPane* signaturesPane();
    bool isSignaturesVisible() const;
    void setSignaturesVisible(bool visible);
    bool isHistoryVisible() const;
    void setHistoryVisible(bool visible);

    bool hasOutline() const;
    bool isOutlineVisible() const;
    void setOutlineVisible(bool visible);
    void applyPaneLimits(const PaneLimits& limits);
    // Takes over a loader that was already reading this document's outline as it is now: what
    // it has read shows at once, the rest when it comes.
    void takeOutlineLoader(std::unique_ptr<OutlineLoader> loader);

signals:
    void signal_outlineVisibilityChanged(bool visible);
    // A side pane was made, on its first need.
    void signal_paneMade(QWidget* pane);

private slots:
    void onSourceChanged();
    void onOutlineLoaded(const QList<OutlineItem>& items);
    void loadPendingOutline();

private:
    QFrame* buildRepairNotice();
    PaneSlot* makeSlot(PaneSlot::Maker make);
    static PaneSlot::Maker alone(const std::function<QWidget*(QWidget* slot)>& make);
    static void showSlot(PaneSlot* slot, bool visible);
    void showOutlineIfWanted();

    std::shared_ptr<CPXVDocument> m_document;
    QFrame* m_repairNotice = nullptr;
    QSplitter* m_splitter;
    OutlinePane* m_outline;
    PageView* m_pageView;
    PaneSlot* m_history;
    PaneSlot* m_comments;
    PaneSlot* m_attachments;
    PaneSlot* m_layers;
    PaneSlot* m_signatures;
    PaneSlot* m_stamps;
    AnnotationBar* m_annotationBar;
    PaneSlot* m_thumbnails;
    FindBar* m_findBar = nullptr;
    FileChangeBar* m_fileChange;
    OutlineLoader* m_outlineLoader;
    std::shared_ptr<const RenderSource> m_pendingOutline; // to be read once the first page shows
    bool m_outlineWanted = true;
    bool m_hasOutline = false;
};

} // namespace pxv
