#pragma once

// A PDF held by MuPDF, behind a Qt-typed interface. All calls on one MuDocument, and on the
// documents opened as its siblings, must come from one thread at a time. Failures throw MuError.

#include "../core/types.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

namespace pxv::mu {

class MuDocument
{
public:
    // Store sizes: documents on the GUI thread need little (sizes, outline, links, saving);
    // render workers keep decoded fonts and images for the pages they draw.
    static constexpr size_t kModelStoreBytes = 32u << 20;
    static constexpr size_t kRenderStoreBytes = 64u << 20;
    // Pages beyond this are not shown: a damaged file can claim billions, and every view and
    // list of page sizes grows with the count.
    static constexpr int kMaxPages = 200000;

    // Opens with MuPDF's repair. The page tree is mended (see mendPageTree) at once when that
    // is cheap or the tree is known to be suspect, else when scanPageSizes() finds it damaged.
    static std::unique_ptr<MuDocument> openFile(const QString& path, size_t storeBytes = kModelStoreBytes);
    static std::unique_ptr<MuDocument> openBytes(const QByteArray& bytes, size_t storeBytes = kModelStoreBytes);
    // A new document without pages.
    static std::unique_ptr<MuDocument> createEmpty();
    // Opens another file in this document's context so that its pages can be appended here.
    std::unique_ptr<MuDocument> openSibling(const QString& path);

    ~MuDocument();
    MuDocument(const MuDocument&) = delete;
    MuDocument& operator=(const MuDocument&) = delete;

    bool needsPassword() const;
    bool authenticate(const QByteArray& password);
    bool wasRepaired() const;

    int pageCount() const;
    // Page area in points, top-left origin, rotation applied; read from the page object
    // without loading the page.
    QRectF pageBounds(int page) const;
    // Reads the sizes of the next maxPages pages in page order (rotation applied), telling
    // found each page and its size: an empty size for a page that cannot be read. Returns true
    // once every page has been told; the next call starts again from the first page. A tree
    // found damaged on the way (a /Count that lies, a kid leading back up) is mended at the
    // end: pageCount() may change then and the sizes told before may belong to other pages.
    bool scanPageSizes(int maxPages, const std::function<void(int page, const QSizeF& size)>& found);
    // Sets every /Count of the page tree to the pages below it and drops kids that lead back
    // up the tree; once per document, nothing for a tree of more than kMaxPages pages.
    void mendPageTree();
    bool pageTreeMended() const;
    QString metadataTitle() const;
    // Whether there is an outline with at least one entry, without reading it.
    bool hasOutline() const;
    QList<OutlineItem> outline() const;
    QList<PageLink> links(int page) const;
    // Every occurrence of text on the page, in reading order, matched case-insensitively as
    // MuPDF does. Empty for an empty text.
    QList<TextHit> findText(int page, const QString& text) const;

    void appendBlankPage(const QSizeF& points);
    // Rotates by a multiple of 90 degrees; returns the page's new /Rotate.
    int rotatePage(int page, int degrees);
    void setPageRotation(int page, int rotation);
    // Appends every page of source (opened with openSibling) with links, annotations and
    // form fields, and one outline entry titled outlineTitle holding source's outline.
    void appendDocument(MuDocument& source, const QString& outlineTitle);

    // Incremental saving needs an unrepaired file of our own.
    bool canSaveIncrementally() const;
    // Appends the changes to path, which must already hold a copy of the original file.
    void appendIncrementalSave(const QString& path);
    // Writes the whole document over the contents of the existing file at path, collecting
    // garbage and compressing streams.
    void saveFull(const QString& path);
    // The whole document decrypted, quickly written, for render workers' own copies of a new
    // document.
    QByteArray toBytes();

    // Draws a page into an image of the page's size × scale (less for pages that would exceed
    // 64 megapixels), white under the page. Display
    // lists of recently drawn pages are kept. abort is polled while drawing; an aborted
    // drawing throws MuError with FZ_ERROR_ABORT.
    QImage renderPage(int page, double scale, const std::atomic<int>* abort);

    struct Impl;

private:
    explicit MuDocument(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};

} // namespace pxv::mu
