#pragma once

#include "ui/layer.h"

#include <QListView>
#include <QTimer>

class QMimeData;

namespace pxv {

class Document;
class ThumbnailModel;

// The pages of a document, drawn small, one below the other. The current page is marked and kept
// in view; a click goes to a page. Click, Ctrl+click, Shift+click, Ctrl+A and the arrow keys
// select; Delete asks to delete the selection; dragging the selection moves it to where the
// marker shows, or, dragged out sideways, to another document's pane, which copies them; PDF
// files dropped from a file manager insert their pages where the marker shows.
class ThumbnailPane : public QListView
{
    Q_OBJECT
public:
    explicit ThumbnailPane(Document* document, QWidget* parent = nullptr);

    ThumbnailModel* thumbnails() const { return m_model; }
    // 0-based pages of the selection, ascending.
    QVector<int> selectedPages() const;
    void setCurrentPage(int page);
    // Where a drop at pos (viewport coordinates) would put pages: the 0-based page they go before.
    int dropPosition(const QPoint& pos) const;

signals:
    void signal_goTo(int page);
    void signal_deletePages(const QVector<int>& pages);
    // 0-based pages, and the 0-based place the first of them takes afterwards.
    void signal_movePages(const QVector<int>& pages, int position);
    // PDF files dropped before the 0-based page position.
    void signal_insertFiles(const QStringList& files, int position);
    // Pages of another document dropped before the 0-based page position: copies wanted.
    void signal_copyPages(const pxv::Document* source, const QVector<int>& pages, int position);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void scheduleRequests();
    void requestVisible();
    QModelIndex rowNear(int y, int step) const;
    void showMarker(int position);
    // Hands the move of the selection over to drag and drop, for another pane to take.
    void dragPagesOut();
    // Whether a drag brings something this pane takes: PDF files or pages.
    bool takes(const QMimeData* data) const;
    // The place the first of pages takes when they move to the 0-based position.
    static int movedPosition(const QVector<int>& pages, int position);

    Document* m_document;
    ThumbnailModel* m_model;
    QTimer m_requestTimer; // requests once per turn of the event loop, however many scroll steps
    int m_currentPage = 0;
    // A move of the selection by the mouse: where it started, and where the pages would go.
    QPoint m_pressPos;
    bool m_pressedOnSelection = false;
    bool m_moving = false;
    int m_marker = -1;
};

} // namespace pxv
