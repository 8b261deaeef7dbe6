#pragma once

#include "ui/layer.h"

#include "values/types.h"
#include "pagelayout.h"
#include "core/pagerenderer.h"
#include "annotationdraft.h"
#include "inlinetextedit.h"
#include "textselector.h"
#include "viewhistory.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <functional>
#include <optional>

namespace pxv {

class Document;
class FormFiller;

// Shows a document's pages one below the other. Only the visible pages (and one more on each
// side) are asked of the renderer, and a few more in the scroll direction are drawn ahead within
// its cache; everything else is cancelled, so cost follows the viewport and not the page count.
class PageView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    enum class ZoomMode { FitWidth, FitPage, Custom };
    static constexpr double kMinZoom = 0.25;
    // Far zoomed in, pages are drawn in tiles of what is seen.
    static constexpr double kMaxZoom = 32.0;

    explicit PageView(Document* document, QWidget* parent = nullptr);
    ~PageView() override;

    ZoomMode zoomMode() const { return m_zoomMode; }
    void setZoomMode(ZoomMode mode);
    // 1.0 is 100 %: a page at its printed size on a screen of the widget's logical DPI.
    double zoom() const;
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();

    int pageCount() const { return m_layout.pageCount(); }
    int currentPage() const { return m_currentPage; }
    // position is in page points from the page's top-left corner.
    void goToPage(int page, const QPointF& position = QPointF());
    // Where the top left of the view stands on the current page, in page points as goToPage()
    // takes them (clamped to the page): what a bookmark of this view leads back to.
    QPointF viewPosition() const;
    // goToPage() as a jump the reader can come back from: goBack() returns here, goForward()
    // there again.
    void jumpTo(int page, const QPointF& position = QPointF());
    void goBack();
    void goForward();
    bool canGoBack() const { return m_history.canGoBack(); }
    bool canGoForward() const { return m_history.canGoForward(); }

    // Search hits to mark on the pages, in document order; current (an index into hits, or -1)
    // stands out.
    void setTextHits(const QList<TextHit>& hits, int current);
    // Scrolls as little as needed to bring area (page points) into view with some room around.
    void showArea(int page, const QRectF& area);
    // Where an area of a page (in points) is drawn, in viewport coordinates.
    QRectF areaRect(int page, const QRectF& area) const;

    // Where a page is drawn, in viewport coordinates.
    QRectF pageRect(int page) const;
    // Pages asked of the renderer for the current viewport.
    QSet<int> requestedPages() const { return m_requested; }
    PageRenderer* renderer() const { return m_renderer; }

    // The text selected with the pointer (or Ctrl+A), page by page.
    const QList<TextSelection>& selectedText() const { return m_selector.pages(); }
    // Selects all the text of a page; copySelection() puts the selected text on the clipboard.
    void selectPageText(int page);
    void copySelection();
    // The clipboard: copy() takes the selected comment, else the selected text; paste() puts a
    // copied comment, or a picture as a stamp, centred at a point of the viewport, else a comment
    // where it was on the current page and a picture amid the view.
    bool canCopy() const;
    bool canPaste() const;
    void copy();
    void cut();
    void paste(std::optional<QPoint> at = std::nullopt);

    CommentTool tool() const { return m_tool; }
    // The stamp tool places this PNG or JPEG picture, until another tool is chosen; empty for
    // the named stamp.
    void setStampImage(const QString& file) { m_stampImage = file; }
    QString stampImage() const { return m_stampImage; }
    // The standard stamp (its /Name) the stamp tool places without a picture; kept while other
    // tools are used, as a pen keeps its colour.
    void setStampName(const QString& name) { m_stampName = name; }
    QString stampName() const { return m_stampName; }
    // The look each kind of comment drawn next gets.
    void setCommentStyles(const CommentStyles& styles) { m_styles = styles; }
    // A text-marking tool chosen while text is selected marks that text at once.
    void setTool(CommentTool tool);
    // The annotation chosen with the select tool (or from the comments pane); page -1 for none.
    struct AnnotationRef
    {
        int page = -1;
        int id = 0;
        bool operator==(const AnnotationRef& other) const { return page == other.page && id == other.id; }
    };
    AnnotationRef selectedAnnotation() const { return m_selectedAnnot; }
    // The selected annotation as it is now; nothing when none is selected.
    std::optional<Annotation> selectedAnnotationValue();
    void selectAnnotation(int page, int id);
    void deleteSelectedAnnotation();
    // Moves the selected annotation by offset (page points); nudges in a row are one step.
    void nudgeSelectedAnnotation(const QPointF& offset);
    // Types a text box's or note's text where it lies on the page: value is a new one (id 0),
    // made when the text is committed, or one of the page's, changed then; each one step.
    void editText(int page, const Annotation& value);
    InlineTextEdit* textEdit() const { return m_textEdit; }
    bool hasPaintedPage() const { return m_firstPainted; }
    // Filling the document's form fields on the pages.
    FormFiller* forms() const { return m_forms; }

signals:
    void currentPageChanged(int page);
    // Back or Forward may have become possible or impossible.
    void historyChanged();
    void zoomChanged();
    // The page geometry settled after a zoom, resize or change of the pages.
    void layoutChanged();
    // Once, when the first rendered page image reaches the screen.
    void firstPagePainted();
    void toolChanged(pxv::CommentTool tool);
    void annotationSelectionChanged();
    // An edit made with the pointer could not be done; message is for the user.
    void editFailed(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Tab and Shift+Tab go through the document's form fields.
    bool focusNextPrevChild(bool next) override;

private slots:
    void onPageReady(int page, double pixelsPerPoint, const QImage& image);
    void onPageFailed(int page, const QString& message);
    void onSourceChanged();
    void onPagesChanged(const pxv::PageChanges& changes);
    void onReadSomePageSizes();

private:
    struct LinkHit
    {
        int page = -1;
        PageLink link;
    };

    double baseScale() const;
    double devicePixelsPerPoint() const;
    // The sizes known so far, the first page's size standing in for the others.
    QVector<QSizeF> layoutSizes() const;
    // Lays the pages out with layoutSizes(); true when that changed the layout.
    bool readPageSizes();
    void startReadingPageSizes();
    // Reads every size up to page, for placing it exactly.
    void readPageSizesThrough(int page);
    // Applies change to the layout keeping the document point under anchor (viewport
    // coordinates) fixed.
    void keepAnchored(const QPointF& anchor, const std::function<void()>& change);
    void applyScale(double scale, const QPointF& anchor);
    double fitScale() const;
    void fitToViewport();
    std::pair<int, int> edgesInWindow() const;
    int topEdgeShift();
    void updateScrollBars();
    void updateRequests();
    QList<int> requestOrder(const QPair<int, int>& visible, int first, int last) const;
    void updateCurrentPage();
    LinkHit linkAt(const QPoint& pos);
    void activateLink(const LinkHit& hit);
    void paintPage(QPainter& painter, int page, const QRectF& rect);
    // A page's rect (viewport coordinates) on whole device pixels: where its image goes.
    QRectF imageArea(const QRectF& rect) const;
    // Where a tile of the image drawn in imageArea goes.
    QRectF tileArea(const QRectF& imageArea, const QPoint& cell) const;
    // The tiles of a page (drawn in tiles at the current scale) that the viewport shows.
    QList<PageRenderer::Tile> visibleTiles(int page) const;
    // A tiled page: its preview stretched, and the tiles at hand over it.
    void paintTiles(QPainter& painter, int page, const QRectF& area);
    void notePagePainted();
    // Goes to the place ViewHistory::back (or forward) gives.
    void stepHistory(bool back);
    void paintShadow(QPainter& painter, const QRectF& page);
    void paintHits(QPainter& painter, int page);
    void paintSelection(QPainter& painter, int page);
    // The page under a viewport position and the position on it in points; page -1 when there
    // are no pages.
    QPair<int, QPointF> pagePoint(const QPoint& pos) const;
    QTransform pageTransform(int page) const;
    Qt::CursorShape toolCursor() const;
    const QList<Annotation>& annotationsOf(int page);
    AnnotationRef annotationAt(int page, const QPointF& point);
    void paintAnnotationFrame(QPainter& painter, int page);
    // The selected annotation's frame in viewport coordinates as it is drawn now (moved or
    // stretched while the pointer drags it), and the corner handle under pos (-1: none).
    QRectF selectedFrame();
    int handleAt(const QPoint& pos);
    void finishDraft();
    void placeTextEdit();
    void commitText(int page, const Annotation& value);
    // Marks the selected text as tool (a text markup tool) does, as one step.
    void markSelection(CommentTool tool);
    // Copy, and the markups, for the selected text.
    void showSelectionMenu(const QPoint& globalPos);
    // Ctrl+V: at the pointer when it is over the pages.
    void pasteAtPointer();
    // A stamp of picture centred at centre of page; returns its id. Throws DocumentError.
    int pastePicture(const QImage& picture, int page, const QPointF& centre);
    // Runs an edit of the document, telling editFailed when it cannot be done.
    bool edit(const std::function<void()>& change);

    QPointer<Document> m_document;
    PageRenderer* m_renderer;
    FormFiller* m_forms;
    PageLayout m_layout;
    QTimer m_sizeReader; // reads the page sizes not known yet, a slice per turn of the event loop
    ZoomMode m_zoomMode = ZoomMode::FitWidth;
    int m_currentPage = 0;
    PageId m_currentId = 0; // the current page's identity, for finding it after pages moved
    ViewHistory m_history;
    bool m_navigating = false;
    bool m_firstPainted = false;
    int m_lastTop = 0;
    // The viewport's top and bottom edges in the window when the pages were last painted, while shown.
    std::optional<std::pair<int, int>> m_paintedEdges;
    bool m_scrollingUp = false;
    // Only the visible pages are drawn before the first scroll: until then which way the reader
    // goes is unknown, and pages drawn around them would only take memory (and a render copy of
    // the document each).
    bool m_scrolled = false;
    bool m_sizesComplete = true;
    QSet<int> m_requested;
    QHash<int, QString> m_errors;
    QHash<int, QList<PageLink>> m_links; // of the requested pages only
    LinkHit m_pressedLink;
    TextSelector m_selector;
    CommentTool m_tool = CommentTool::Select;
    std::optional<AnnotationDraft> m_draft;
    QPointer<InlineTextEdit> m_textEdit;
    QString m_stampImage;
    QString m_stampName = QStringLiteral("Approved");
    CommentStyles m_styles;
    QHash<int, QList<Annotation>> m_annots; // of pages looked at, until they change
    AnnotationRef m_selectedAnnot;
    // Where the middle button, held down, last dragged the pages from.
    std::optional<QPoint> m_panFrom;
    // The last nudge: which annotation, how far in all, and the history position it left.
    AnnotationRef m_nudged;
    QPointF m_nudgedBy;
    int m_nudgeStep = -1;
    bool m_moving = false;
    int m_resizeCorner = -1; // the handle being dragged: top-left, top-right, bottom-right, bottom-left
    QRectF m_resizeRect; // the annotation's rect as the handle drags it, in page points
    QPointF m_moveStart;
    QPointF m_moveOffset;
    // The last pen stroke: another soon after on the same page joins its annotation.
    AnnotationRef m_lastInk;
    qint64 m_lastInkTime = 0;
    bool m_selecting = false;
    QPoint m_pressPos;
    // When and where the last double-click was: a press soon after there selects the line.
    qint64 m_doubleClickTime = 0;
    QPoint m_doubleClickPos;
    QList<TextHit> m_hits; // shared with the search: setting them costs no copy however many
    int m_currentHit = -1;
};

} // namespace pxv
