#pragma once

#include "mupdf/layer.h"

// A PDF held by MuPDF, behind a Qt-typed interface. All calls on one MuDocument, and on the
// documents opened as its siblings, must come from one thread at a time. Failures throw MuError.

#include "values/annotation.h"
#include "values/attachment.h"
#include "values/contentgroup.h"
#include "values/objectstate.h"
#include "values/docinfo.h"
#include "values/exchange.h"
#include "values/formfield.h"
#include "values/protection.h"
#include "values/stamp.h"
#include "values/types.h"

#include <QByteArray>
#include <QImage>
#include <QMarginsF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <QPair>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace pxv::mu {

// What of a document's outline comes along with pages copied from it: nothing, or its entries
// that lead to a copied page with the entries above them (an entry whose own page stays behind
// leads nowhere), held by one new entry titled title when title is not null.
struct OutlineCopy
{
    bool entries = false;
    QString title;
};

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
    // A new document of HTML typeset on pages of pageSize (points) inside margin, as many as it
    // takes.
    static std::unique_ptr<MuDocument> fromHtml(const QByteArray& html, const QSizeF& pageSize, double margin);
    // Opens another file in this document's context so that its pages can be appended here.
    std::unique_ptr<MuDocument> openSibling(const QString& path);
    // The same for a PDF held in memory.
    std::unique_ptr<MuDocument> openSiblingBytes(const QByteArray& bytes);

    ~MuDocument();
    MuDocument(const MuDocument&) = delete;
    MuDocument& operator=(const MuDocument&) = delete;

    bool needsPassword() const;
    bool authenticate(const QByteArray& password);
    // Whether candidate is the file's permissions (owner) password. A failed check leaves MuPDF
    // without its keys: the password that opened the file, accepted, gives them back.
    bool isPermissionsPassword(const QByteArray& candidate, const QByteArray& accepted);
    bool wasRepaired() const;

    int pageCount() const;
    // Page area in points, top-left origin, rotation applied; read from the page object
    // without loading the page.
    QRectF pageBounds(int page) const;
    // Reads the sizes of the next maxPages pages in page order (rotation applied), telling
    // found each page, its size and its object number (as pageObjectNumber() gives it): an empty
    // size for a page that cannot be read. Returns true
    // once every page has been told; the next call starts again from the first page. A tree
    // found damaged on the way (a /Count that lies, a kid leading back up) is mended at the
    // end: pageCount() may change then and the sizes told before may belong to other pages.
    bool scanPageSizes(int maxPages, const std::function<void(int page, const QSizeF& size, int number)>& found);
    // Sets every /Count of the page tree to the pages below it and drops kids that lead back
    // up the tree; once per document, nothing for a tree of more than kMaxPages pages.
    void mendPageTree();
    bool pageTreeMended() const;
    QString metadataTitle() const;
    // The Info dictionary's entries, format, encryption, whether tagged, and every font the
    // pages use (through their forms too). fileSize and linearized are left to the caller.
    DocumentInfo info() const;
    // Writes the fields (empty ones are removed) and the modification date to the Info
    // dictionary, made when missing, and to the XMP metadata stream when there is one (which
    // goes when it cannot be read: it would contradict them).
    void setInfo(const EditableInfo& info);
    // Whether there is an outline with at least one entry, without reading it.
    bool hasOutline() const;
    // Numbering the pages the entries lead to parses most of a long document; Later leaves
    // that out (entries with a target are marked pending), so titles can be shown at once.
    enum class OutlineTargets { Read, Later };
    QList<OutlineItem> outline(OutlineTargets targets = OutlineTargets::Read) const;
    // Outline entries by their path of 0-based indices from the top level. An entry is inserted
    // at path (its last index may be the count of its level, to append), leading to position
    // (points, top-left origin, as OutlineItem::position) on page.
    void insertOutlineEntry(const QVector<int>& path, const QString& title, int page, const QPointF& position);
    // Moves the entry at from, with the entries below it, to the place to names in the outline
    // as it is before the move (to may end one past its level's last entry). Throws when to
    // lies below from or is from itself.
    void moveOutlineEntry(const QVector<int>& from, const QVector<int>& to);
    void renameOutlineEntry(const QVector<int>& path, const QString& title);
    // Deletes the entry and the entries below it.
    void deleteOutlineEntry(const QVector<int>& path);
    // Embedded files (the EmbeddedFiles name tree), by their name there.
    QList<Attachment> attachments() const;
    QByteArray attachmentData(const QString& name) const;
    // Embeds contents under name, replacing a file of that name. mimeType and description may be
    // empty, modified invalid.
    void addAttachment(const QString& name, const QByteArray& contents, const QString& mimeType,
                       const QString& description, const QDateTime& modified);
    void removeAttachment(const QString& name);
    // The optional-content groups in the order the document lists them.
    QList<ContentGroup> contentGroups() const;
    // Draws the groups whose object numbers objects holds (sorted) as hidden and every other
    // group as shown, from now on; not an edit, and never saved.
    void setHiddenGroups(const std::vector<int>& objects);
    QList<PageLink> links(int page) const;
    // Every occurrence of text on the page, in reading order, matched case-insensitively as
    // MuPDF does unless options ask for the same case or whole words. Empty for an empty text.
    QList<TextHit> findText(int page, const QString& text, const SearchOptions& options = {}) const;
    // The text from one point of a page to another (points, as PageLink::area), as a reader
    // drags over it, widened to whole words or lines when unit says so.
    TextSelection selectText(int page, const QPointF& from, const QPointF& to, TextUnit unit) const;
    // All the text of a page, first character to last.
    TextSelection pageText(int page) const;

    // The undo history: MuPDF's journal, switched on by the first step. Everything changed
    // between beginStep() and endStep() is one step; endStep() returns the numbers of the
    // objects it changed, none when the step changed nothing (and so left no step behind).
    void beginStep(const QString& name);
    std::vector<int> endStep();
    // Steps in force, steps recorded (those beyond the position can be redone), and a step's
    // name.
    int historyPosition() const;
    int historyCount() const;
    QString historyStepName(int step) const;
    // Take back or redo one step; each returns the objects it changed.
    std::vector<int> undo();
    std::vector<int> redo();

    // An object as it is now, for handing to other copies of the document.
    ObjectState objectState(int number) const;
    // Makes this copy's objects what the states say (objects made since it was opened are
    // added), and forgets what was drawn or decoded from the objects before. Inside a step,
    // the step takes the changes back on undo.
    void applyObjectStates(const QVector<QPair<int, std::shared_ptr<const ObjectState>>>& states);
    // The object number of a page: what identifies it while pages move. 0 for a page that is
    // not an object of its own.
    int pageObjectNumber(int page) const;
    // Every page's object number in page order.
    QVector<int> pageObjectNumbers() const;
    // The page whose dictionary is object number; -1 when it is no page of the document.
    int pageIndexOfObject(int number) const;
    // Digests of how the page with this object number looks by its dictionary: everything but
    // its place in the tree, with what it inherits (boxes, rotation, resources). Equal digests
    // before and after a step mean the page only moved; equal content digests, that what it
    // shows beneath its annotations stayed as it was.
    struct PageLook
    {
        quint64 page = 0;
        quint64 content = 0; // the same without the list of annotations
    };
    PageLook pageLook(int number) const;
    // Free: an object that no longer exists (an undo took back its creation). FormField: the
    // form's dictionary or a field that is no widget itself.
    enum class ObjectRole { Page, PageTreeNode, Catalog, Outline, Annotation, Free, FormField, Other };
    ObjectRole objectRole(int number) const;
    // The object number of the page an annotation object names as its own, or its parent's for a
    // pop-up (0: none).
    int annotationPage(int number) const;
    // The appearance streams an annotation object holds and the objects they draw with, by
    // object number.
    std::vector<int> appearanceStreams(int number) const;
    // The object number of the page whose list of annotations (/Annots) is the object number, when
    // the list is an object of its own, as some writers make it (0: no page's).
    int annotationListPage(int number) const;

    // The page's annotations in the order the page lists them (links and form fields apart).
    QList<Annotation> annotations(int page) const;
    // Creates an annotation as value describes it, with its appearance stream; returns its id.
    int addAnnotation(int page, const Annotation& value);
    // Makes the annotation with value's id what value says (its type stays) and draws it again.
    void changeAnnotation(int page, const Annotation& value);
    void deleteAnnotation(int page, int id);
    // Comments through the clipboard (muannotcopy.cpp). A copy of the annotation with everything
    // it draws with, as a small PDF of its own; pasting it makes a new annotation of it on page
    // where it was on its own page, and returns its id. Throws when copy holds no comment.
    QByteArray annotationCopy(int page, int id) const;
    int pasteAnnotation(int page, const QByteArray& copy);
    // Moves the annotation by offset (page space) and keeps its appearance as it is.
    void translateAnnotation(int page, int id, const QPointF& offset);
    // Exchange with other programs (muxfdf.cpp). The values of the fields with widgets on the
    // pages, in the order of their first widgets; push buttons and signatures hold none.
    QList<NamedFieldValue> fieldValues() const;
    // Sets each named field as filling it in would (no script runs) and draws its widgets again;
    // returns the names the form has no field for.
    QStringList setFieldValues(const QList<NamedFieldValue>& values);
    // Maps the page's PDF user space (origin at the bottom left, unrotated) to page space.
    QTransform pageTransform(int page) const;
    AnnotationExtras annotationExtras(int id) const;
    void setAnnotationExtras(int id, const AnnotationExtras& extras);

    // Form fields (mufields.cpp). The form widgets of a page in the page's order.
    QList<FormField> formFields(int page) const;
    // Every widget of the form in the document's field order (its /Fields tree, depth first),
    // as (page, widget id); widgets on no page of the document are left out.
    QVector<QPair<int, int>> fieldOrder() const;
    // Sets the field of a widget on page and draws its widgets again. False when a form script
    // refused the value, which then leaves the field as it was.
    bool setFieldValue(int page, int id, const FieldValue& value);
    // Sets every field back to its default value and draws the widgets again.
    void resetForm();
    // Form scripts (calculate, format, validate, keystroke) run through MuPDF's JavaScript
    // engine while enabled; never by default. Whatever a script asks of the program (launching,
    // opening, mailing, submitting, printing, menu items) is refused either way.
    void setScriptsEnabled(bool enabled);
    bool scriptsEnabled() const;

    void appendBlankPage(const QSizeF& points);
    // Appends a page showing the image file (JPEG, PNG, TIFF; JPEG data is kept as it is).
    // Without paper the page is the image's size at its resolution; with paper (points) the
    // image is centred on it, shrunk to fit within margin when larger.
    void appendImagePage(const QString& path, const QSizeF& paper, double margin);
    // A new document showing text in a monospaced font of fontSize points on pages of paper
    // (points) within margin, wrapping long lines; a form feed starts a new page. With font (the
    // data of a TrueType or OpenType font file) the text is in that font, embedded. Characters
    // the font lacks, such as Chinese, come from MuPDF's CJK fonts, which are not embedded.
    static std::unique_ptr<MuDocument> fromText(const QString& text, const QSizeF& paper, double margin,
                                                double fontSize, const QByteArray& font = {});
    // Sets the page's crop box to its media box less the margins (points, of the page as shown).
    void cropPage(int page, const QMarginsF& shown);
    // What the page's crop box leaves off its media box, as cropPage() takes it.
    QMarginsF cropMargins(int page) const;
    // Gives each page a media box of its size in shown (points, of the page as shown) and
    // scales what it showed uniformly into it, centred; annotations and links move with the
    // content, and destinations that lead into the pages show the same part of it.
    void resizePages(const QVector<int>& pages, const QVector<QSizeF>& shown);
    // Stamps each page with textOf(page) on one line (or the style's image), over or under its
    // content as the style says, marked as a pagination artifact in the document's
    // optional-content group for the style's kind. Pages with the same text share one form.
    void addStamps(const QVector<int>& pages, const StampStyle& style, const std::function<QString(int page)>& textOf);
    // Takes out of the pages exactly what addStamps() put there for kind (the group too, once no
    // page uses it); returns how many of the pages had some.
    int removeStamps(const QVector<int>& pages, StampKind kind);
    // Inserts count blank pages of the given size (points) so that the first is page at.
    void insertBlankPages(int at, int count, const QSizeF& points);
    // Deletes the pages (ascending, distinct) and what led to them: links to them go, outline
    // entries to them lead nowhere, form fields whose widgets were all on them leave the form.
    void deletePages(const QVector<int>& pages);
    // Rotates by a multiple of 90 degrees; returns the page's new /Rotate.
    int rotatePage(int page, int degrees);
    // Moves the pages (ascending, distinct) so that the first becomes page target after the
    // move, the others following it in order.
    void movePages(const QVector<int>& pages, int target);
    // Called between slices of an append: may hand back the document written out and opened
    // again (see spillTo), for the append to go on in.
    using Spill = std::function<std::unique_ptr<MuDocument>(std::unique_ptr<MuDocument>)>;
    // Appends every page of source (opened with openSibling) to target with links, annotations
    // and form fields, and one outline entry titled outlineTitle holding source's outline;
    // returns the document appended to. With spill, the pages are copied a slice at a time and
    // spill is called between slices, so that the target need not be held in memory whole.
    static std::unique_ptr<MuDocument> append(std::unique_ptr<MuDocument> target, MuDocument& source,
                                              const QString& outlineTitle, const Spill& spill = {});
    // Copies the chosen pages of source (opened with openSibling or createSibling) with their
    // links, annotations and the form fields of their widgets, so that the first becomes page at.
    // Links to pages that are not copied stay behind.
    // The outline entries that outline asks for are appended to this document's outline.
    void insertPagesOf(MuDocument& source, const QVector<int>& chosen, int at, const OutlineCopy& outline = {});
    // A new document without pages in this document's context, to copy pages into.
    std::unique_ptr<MuDocument> createSibling();

    // The file's permissions as protection() reports them (all when not encrypted).
    int permissions() const;
    // The protection every later full save gives the file instead of keeping the file's own;
    // while one is set, saves are full.
    void setProtection(const Protection& protection);
    // The protection set, or null.
    const Protection* newProtection() const;
    // How the file in memory is encrypted, as MuPDF names it; empty when it is not.
    QString encryptionMethod() const;

    // Incremental saving needs an unrepaired, unencrypted file whose page tree needed no mending.
    bool canSaveIncrementally() const;
    // Appends the given objects as they are now to path, which must hold a copy of the file
    // last saved (or opened), as an update section of its own. The document itself is not
    // touched, so its undo history stays as it is. Returns where the new cross-reference
    // section starts.
    qint64 appendIncrementalSave(const QString& path, const std::vector<int>& objects);
    // Writes what is only in memory to the file at path and returns the document opened from
    // it, in this document's context: the first time (a document that has no file yet) the
    // whole document, after that the objects changed since it was opened from path. The file
    // is not one the user sees: nothing but spillTo() may write to it. Throws MuError.
    std::unique_ptr<MuDocument> spillTo(const QString& path);
    // The update section appendIncrementalSave() would append to a file of offset bytes, and
    // where its cross-reference section starts.
    QByteArray incrementalUpdate(qint64 offset, const std::vector<int>& objects, qint64* startXref = nullptr) const;
    // Encrypted documents are kept encrypted wherever they are written.
    bool isEncrypted() const;
    // Writes the whole document over the contents of the existing file at path, compressing
    // streams, with the same object numbers as in memory: later incremental saves and the
    // undo history go on from there. Objects nothing uses are left out when there is no undo
    // history that could bring them back.
    void saveFull(const QString& path);
    // The file just saved is the one later incremental saves append to: startXref says where
    // its last cross-reference section starts (-1: read it from the file at path).
    void rebase(const QString& path, qint64 startXref);
    // The whole document decrypted, quickly written, for render workers' own copies of a new
    // document.
    QByteArray toBytes();

    // Stores images (8 bits per component, without masks) as JPEG of quality, downsampled to
    // at most what the largest page needs at dpi, where that makes them smaller. goOn is asked
    // between images; false stops with FZ_ERROR_ABORT. Returns how many were rewritten.
    int recompressImages(int dpi, int quality, const std::function<bool()>& goOn);
    // Writes the whole document to path with unused objects dropped (and duplicates merged,
    // unless the file has very many objects) and every stream compressed.
    void saveCompacted(const QString& path);
    // Writes the pages to path with MuPDF's document writer for format ("docx", "odt", "text",
    // "html"); next is asked before each page, and returning false stops with FZ_ERROR_ABORT.
    void writePages(const QVector<int>& pages, const QByteArray& format, const QString& path,
                    const std::function<bool(int index)>& next);
    // Writes one page to path as SVG, text drawn as outlines.
    void writeSvgPage(int page, const QString& path);
    // Writes one page to path as an RGB PNG at dpi, white under the page, with MuPDF's own
    // encoder; large pages are drawn and written in bands.
    void writePngPage(int page, int dpi, const QString& path);
    // What a whole page shows beneath its annotations and form widgets, for drawing only those
    // again when only they changed (see renderPage()).
    struct ContentLayer
    {
        QImage content; // of the page as it is, at the scale drawn; null for none
        bool keep = false;
        QImage kept; // set to the content drawn, when drawn without content but with keep
    };
    // Draws a page into an image of the page's size × scale (less for pages that would exceed
    // 64 megapixels), white under the page. Display lists of recently drawn pages are kept.
    // abort is polled while drawing; an aborted drawing throws MuError with FZ_ERROR_ABORT. A
    // clip (device pixels from the top left of the page's image at scale) draws only that part,
    // at any scale. A whole page drawn with a layer's content is that content with the
    // annotations drawn over it; pages too large to draw in one band ignore the layer.
    QImage renderPage(int page, double scale, const std::atomic<int>* abort, const QRect& clip = QRect(),
                      ContentLayer* layer = nullptr);

    struct Impl;

private:
    explicit MuDocument(std::unique_ptr<Impl> impl);
    // Appends the objects to the file at path as an update section of its own, the objects
    // other than streams packed into compressed object streams, with a cross-reference stream;
    // previous is where the file's last section starts, or -1 for a file still empty, which
    // then gets a header. Returns where the new section's cross-reference stream starts.
    qint64 appendPackedSection(const QString& path, const std::vector<int>& objects, qint64 previous);
    std::unique_ptr<Impl> d;
};

} // namespace pxv::mu
