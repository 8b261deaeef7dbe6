#pragma once

#include "ui/layer.h"

#include "values/types.h"

#include <QAbstractListModel>
#include <QPointer>

namespace pxv {

class Document;
class PageRenderer;

// A document's pages as a list for the thumbnails pane: the page number as text, the page drawn
// small as decoration once the renderer has it. Drawing is asked for only by requestVisible(),
// so cost follows the rows on screen, not the page count.
class ThumbnailModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int kThumbnailWidth = 112; // logical pixels
    static constexpr int kThumbnailHeight = 150;
    static constexpr qint64 kCacheBytes = 12ll * 1024 * 1024;

    explicit ThumbnailModel(Document* document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Draws the rows first to last (and no others) at devicePixelRatio.
    void requestVisible(int first, int last, double devicePixelRatio);
    PageRenderer* renderer() const { return m_renderer; }

private slots:
    void onPageReady(int page);
    void onPagesChanged(const pxv::PageChanges& changes);

private:
    double scaleOf(int page) const;

    QPointer<Document> m_document;
    PageRenderer* m_renderer;
    double m_devicePixelRatio = 1.0;
};

} // namespace pxv
