#pragma once

#include "core/layer.h"

// The document model: one open PDF, independent of any widget. Views observe it through its
// signals; rendering goes through PageRenderer.

#include "values/annotation.h"
#include "values/attachment.h"
#include "values/contentgroup.h"
#include "values/objectstate.h"
#include "values/types.h"
#include "values/docinfo.h"
#include "values/formfield.h"
#include "values/protection.h"
#include "values/stamp.h"

#include <QDate>
#include <QHash>
#include <QMarginsF>
#include <QObject>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace pxv {

class ScratchFile;

// A document could not be opened, combined or saved. message() is written for the user.
class DocumentError : public std::runtime_error
{
public:
    enum Kind {
        Failed, // anything else; the message says what
        NotFound, // the file does not exist or cannot be read
        NotPdf, // the file is not a PDF
        Damaged, // a PDF too damaged to open
        WrongPassword, // combine: a source's password was not accepted
        Cancelled, // the user cancelled a password prompt
        SaveFailed, // writing the file failed; the target is untouched
    };

    DocumentError(Kind kind, const QString& message);

    Kind kind() const { return m_kind; }
    QString message() const { return m_message; }

private:
    Kind m_kind;
    QString m_message;
};

// Asks the user for the password of an encrypted file while combining. fileName is the file's
// path; retry is true after a wrong password. Returns false when the user cancels.
using PasswordProvider = std::function<bool(const QString& fileName, bool retry, QString* password)>;

// Told before each file of a combine is read (index counts from 0); returning false stops the
// combine between files.
using CombineProgress = std::function<bool(int index, const QString& fileName)>;

// Told before each file of a split is written (index counts from 0 of count files); returning
// false stops the split between files.
using SplitProgress = std::function<bool(int index, int count, const QString& path)>;

struct SplitPart;
struct XfdfImport;
enum class XfdfContent;
struct RecoveryRecord;

// What a render worker opens its own copy of the document from: the file last saved (or, for a
// document without one, its bytes as created). Shared by every version of the document until
// the next save; a worker keeps its copy open as long as the base lives.
struct RenderBase
{
    QString path; // used when bytes is empty
    QByteArray bytes; // a new document as created
    std::shared_ptr<const ScratchFile> scratch; // keeps path readable when it is one
    bool mendPageTree = false; // the page tree had to be mended, so the copy's must be too
    QByteArray password;
    quint64 key = 0; // unique per base
};

// One version of the document for render workers: the base and every object changed since,
// as it is in this version. A worker brings its copy from one version to another by taking
// over the objects whose states differ, so an edit costs what it changed, not the file's size.
// Immutable; a new one is made on every change.
struct RenderSource
{
    std::shared_ptr<const RenderBase> base;
    ObjectStates objects;
    quint64 key = 0; // unique per version, for worker-side caches
};

// Each document has its own MuPDF context, so open(), createBlank() and combine() may run on
// any thread (a long combine need not block the GUI); the document then belongs to that thread
// until moved with moveToThread(). One document is used by one thread at a time.
class Document : public QObject
{
    Q_OBJECT
public:
    ~Document() override;

    // Opens a PDF by path, repairing it when needed. Throws DocumentError when the file is
    // missing, not a PDF or too damaged. An encrypted file opens locked: see needsPassword().
    static std::unique_ptr<Document> open(const QString& path);

    // A new document with one blank A4 portrait page, no file, counting as unsaved.
    static std::unique_ptr<Document> createBlank();

    // A new document without a file holding every page of the given files in order, with
    // their links and form fields (clashing field names are renamed) and, for each file, one
    // top-level outline entry named after the file holding that file's outline. Encrypted
    // files ask passwords through the provider (null provider: they fail). A progress handler
    // that returns false ends the combine with DocumentError::Cancelled.
    static std::unique_ptr<Document> combine(const QStringList& paths, const PasswordProvider& passwords = {},
                                             const CombineProgress& progress = {});

    // A new document without a file with one page for each image file (JPEG, PNG, TIFF), in
    // order: the page is the image's size at its resolution, or paper (points) when not empty,
    // the image centred and shrunk to fit within margin. JPEG data is embedded unchanged.
    static std::unique_ptr<Document> fromImages(const QStringList& paths, const QSizeF& paper, double margin,
                                                const CombineProgress& progress = {});
    // A new document without a file showing the UTF-8 text file at path in fontSize points on
    // pages of paper (points) within margin; a form feed starts a new page. The font is font (a
    // font file's data, see fontForFamily()), embedded, or a monospaced one without it.
    static std::unique_ptr<Document> fromText(const QString& path, const QSizeF& paper, double margin, double fontSize,
                                              const QByteArray& font = {});
    // True while an encrypted document still waits for its password; until then it shows no
    // pages.
    bool needsPassword() const;
    bool authenticate(const QString& password);

    // Absolute, clean path of the file; a null string for a document without a file.
    QString filePath() const;
    // The document's title from its metadata, or else the file name ("Untitled" without file).
    QString title() const;
    // True when the file had to be repaired to open.
    bool wasRepaired() const;

    // Opening reads the page count and the first page only; the other sizes are read when
    // asked for, or ahead of time in slices with readPageSizes(). A large damaged page tree is
    // mended when that scan reaches its end: the count may change then (with sourceChanged).
    int pageCount() const;
    // Page size in points with the page's rotation applied; an empty size for a bad index or
    // a page that cannot be read. Read now when not known yet.
    QSizeF pageSize(int page) const;
    bool isPageSizeKnown(int page) const;
    // Every size is known and the page count is final.
    bool areAllPageSizesKnown() const;
    // Reads the sizes of up to maxPages more pages in page order. Returns true once every size
    // is known and the page count is final.
    bool readPageSizes(int maxPages);
    // Reads every size up to page: what a layout needs to place that page exactly.
    void readPageSizesThrough(int page);
    // Whether the document has an outline, without reading it.
    bool hasOutline() const;
    // The whole outline with every entry's page: for a long document this maps the whole page
    // tree, which OutlineLoader does on a thread of its own.
    QList<OutlineItem> outline() const;
    // Bookmarks, each edit one step. Entries go by their path of 0-based indices from the top
    // level; a new one is inserted at path (the last index may be the count of its level, to
    // append) and leads to position on page (points, top-left origin; the top by default).
    void addBookmark(const QVector<int>& path, const QString& title, int page, const QPointF& position = {});
    void renameBookmark(const QVector<int>& path, const QString& title);
    // Deletes the entry with the entries below it.
    void deleteBookmark(const QVector<int>& path);
    // Moves the entry at from, with the entries below it, to the place to names in the outline
    // as it was before the move: to the end of a level, or below another entry to nest it.
    void moveBookmark(const QVector<int>& from, const QVector<int>& to);
    // Files embedded in the document, by name.
    QList<Attachment> attachments() const;
    // Embeds the file at path under its file name (numbered when the name is taken) with
    // description, as one step; returns the name. Throws DocumentError when it cannot be read.
    QString addAttachment(const QString& path, const QString& description = QString());
    void removeAttachment(const QString& name);
    // The bytes of an embedded file, and the same written atomically to path.
    QByteArray attachmentData(const QString& name) const;
    void saveAttachment(const QString& name, const QString& path) const;
    // Optional-content groups ("layers"), and whether the views show each: a view setting shared
    // by every view of the document, not an edit, never saved. Until set, groups show as the
    // document's default configuration says.
    QList<ContentGroup> contentGroups() const;
    bool isGroupShown(int object) const;
    void setGroupShown(int object, bool shown);
    // The groups render workers draw hidden (sorted object numbers); null while nothing was set.
    std::shared_ptr<const std::vector<int>> hiddenGroups() const;
    QList<PageLink> links(int page) const;
    // Every occurrence of text on a page in reading order, ignoring case unless options say
    // otherwise; empty for a bad page, an empty text or a page whose text cannot be read. Costs
    // about as much as drawing the page once: TextSearch spreads a whole-document search over
    // the event loop.
    QList<TextHit> findText(int page, const QString& text, const SearchOptions& options = {}) const;
    // The text a reader selects by dragging from one point of a page to another (points, as
    // PageLink::area), widened to whole words or lines by unit; empty for a bad page or one whose
    // text cannot be read. The page's text is read once and kept while the drag goes on.
    TextSelection selectText(int page, const QPointF& from, const QPointF& to,
                             TextUnit unit = TextUnit::Characters) const;
    // All the text of a page.
    TextSelection pageText(int page) const;

    // The identity of a page (0-based index), and the page that has an identity now (-1 when
    // it is not in the document).
    PageId pageId(int page) const;
    int pageIndex(PageId id) const;
    // Changes whenever what a page shows beneath its annotations may have changed, and stays
    // the same while only its annotations (form widgets among them) change: for drawings kept
    // of that content.
    quint64 contentGeneration(PageId id) const;

    // Edits. Each is one step of the undo history, named for the menu ("Rotate Page"); each
    // throws DocumentError and leaves the document as it was when it cannot be done.
    // Rotates pages by a multiple of 90 degrees, clockwise.
    void rotatePages(const QVector<int>& pages, int degrees);
    void rotatePage(int page, int degrees);
    // Moves pages (in their document order) so that the first of them becomes page position,
    // counted as after the move; the others follow it.
    void movePages(const QVector<int>& pages, int position);

    // Deletes pages; deleting every page is refused. Links to them go, outline entries to them
    // lead nowhere, form fields whose widgets were all on them leave the form.
    void deletePages(const QVector<int>& pages);
    // Inserts count blank pages of size (points) so that the first becomes page position.
    void insertBlankPages(int position, int count, const QSizeF& size);
    // Inserts the pages that range chooses of the file at path ("all" for every page; see
    // PageRange) so that the first becomes page position, asking passwords through passwords.
    // Throws PageRangeError for a range that does not fit the file.
    void insertPages(const QString& path, const QString& range, int position, const PasswordProvider& passwords);
    // Inserts copies of pages of another open document (or of this one) as they are now, so
    // that the first becomes page position.
    void insertPagesOf(const Document& source, const QVector<int>& pages, int position);
    // Replaces pages by the pages range chooses of the file at path, in one step: the new pages
    // stand where the first replaced page stood.
    void replacePages(const QVector<int>& pages, const QString& path, const QString& range,
                      const PasswordProvider& passwords);
    // Crops pages to their media box less margins (points, left, top, right and bottom of the
    // page as shown): sets their crop box.
    void cropPages(const QVector<int>& pages, const QMarginsF& margins);
    // The margins a page is cropped by now, as cropPages() takes them; none for a bad page or
    // one that cannot be read.
    QMarginsF cropMargins(int page) const;
    // Which way up resized pages stand: taller than wide, wider than tall, or as each page was.
    enum class Orientation { Portrait, Landscape, AsPage };
    // Pages are 1 to 14400 points wide and high.
    static bool isPageSizeAllowed(const QSizeF& size);
    // Resizes pages as shown to size (points) turned to orientation, scaling the content they
    // show uniformly to fit, centred; annotations and links move with the content, and links,
    // outline entries and named destinations that lead into the pages still show the same spot.
    void resizePages(const QVector<int>& pages, const QSizeF& size, Orientation orientation);
    // Resizes pages as shown by factor (0.1 to 10), their content with them.
    void scalePages(const QVector<int>& pages, double factor);
    // Stamps text (or style.imagePath's image) on each page as style says: one step. Throws
    // DocumentError for an empty text or an image that cannot be read.
    void addWatermark(const QVector<int>& pages, const QString& text, const StampStyle& style);
    // Stamps a header or footer line on each page: in pattern, {n} is the page's number
    // (firstNumber for the first of the pages, counting on), {N} the last such number, {date}
    // today's date and {file} the file's name. One step.
    void addHeaderFooter(const QVector<int>& pages, const QString& pattern, int firstNumber, const StampStyle& style);
    // Takes stamps of kind off the pages as one step; returns how many pages had some (no step
    // when none).
    int removeStamps(const QVector<int>& pages, StampKind kind);
    // The line a header or footer pattern gives for page number n of last.
    static QString headerFooterText(const QString& pattern, int n, int last, const QString& fileName,
                                    const QDate& date);
    // The line page gets from addHeaderFooter(pages, pattern, firstNumber, …) today.
    QString headerFooterLine(const QVector<int>& pages, int page, const QString& pattern, int firstNumber) const;

    // What the document says about itself, with the size of its file (as last saved) and
    // whether that file is linearized.
    DocumentInfo info() const;
    // Writes title, author, subject and keywords to the Info dictionary as one step.
    void setInfo(const EditableInfo& info);

    // How the document is protected: as its file is, or as the next save will make it.
    ProtectionState protection() const;
    // Gives the permissions password that changing a restricted file's protection needs;
    // false when it is not that password.
    bool unlockProtection(const QString& permissionsPassword);
    // The protection the next save gives the file (and saves after it keep): AES-256 with
    // the passwords, or none when both are empty. Saving then writes the whole file. The
    // document counts as modified until saved; this is no step of the history. Throws
    // DocumentError while the protection needs the permissions password.
    void setProtection(const Protection& protection);

    // A new document without a file holding copies of the pages with their links, annotations,
    // form fields and the outline entries that lead to them (with the entries above those),
    // and nothing else of this one: links to pages left behind stay behind.
    std::unique_ptr<Document> extractPages(const QVector<int>& pages) const;
    // Writes each part into folder as a new file of its file name holding what extractPages()
    // gives for its pages, each file replaced atomically as save() does. Refuses before writing
    // anything when one of the files exists. When a file cannot be written or progress stops
    // the split (DocumentError::Cancelled), the files written so far are removed again. Returns
    // the paths written. The document does not change.
    QStringList splitInto(const QString& folder, const QList<SplitPart>& parts,
                          const SplitProgress& progress = {}) const;
    // Throws DocumentError unless folder is an existing folder that files can be written into.
    static void checkOutputFolder(const QString& folder);

    // Comments: the standard annotations of a page in the page's order (links and form fields
    // apart); empty for a bad page or one that cannot be read.
    QList<Annotation> annotations(int page) const;
    // Each of these is one step. A new annotation gets the author annotationAuthor() when value
    // names none, and the time now; returns its id. Changing keeps the type and stamps the time.
    int addAnnotation(int page, Annotation value);
    void changeAnnotation(int page, Annotation value);
    void moveAnnotation(int page, int id, const QPointF& offset);
    void deleteAnnotation(int page, int id);
    // Comments through the clipboard: a copy of a comment with its look, for pasteAnnotation().
    // Throws DocumentError when the comment is not on the page.
    QByteArray copyAnnotation(int page, int id) const;
    // Makes a new comment of copy on page as one step and returns its id: centred at centre when
    // one is given, else where it was on its own page, moved down and right while it would lie
    // on a comment of its kind; inside the page either way. Throws DocumentError when copy holds
    // no comment.
    int pasteAnnotation(int page, const QByteArray& copy, std::optional<QPointF> centre = std::nullopt);
    // Whose name new annotations carry: set by the host (the signed-in account), else the
    // user's login name. Shared by every document of the program.
    static void setAnnotationAuthor(const QString& author);
    static QString annotationAuthor();
    // A new A4 document without a file listing every page's comments with their kind, author,
    // date and text, under a picture of the page at a quarter of its size; it says so when there
    // are none. Made from a copy of source's version of its own, so it may run on a worker:
    // progress is told before each page (the document's), returning false stops with
    // DocumentError::Cancelled. The result belongs to the calling thread.
    static std::unique_ptr<Document> summarizeAnnotations(const RenderSource& source, const QString& title,
                                                          const SplitProgress& progress = {});
    // The same of this version of the document, on the calling thread.
    std::unique_ptr<Document> summarizeAnnotations() const;
    // Field values and comments in XFDF, the XML form in which programs exchange them: writes
    // what of them is asked for to path, replacing it atomically.
    void exportXfdf(const QString& path, XfdfContent what) const;
    // Reads the XFDF file at path into the document as one step: values into the fields of the
    // same full names, comments onto their pages. Throws DocumentError, changing nothing, for a
    // file that cannot be read, is not XFDF or does not fit the document.
    XfdfImport importXfdf(const QString& path);

    // Form fields: the widgets of a page in the page's order; empty for a bad page or one that
    // cannot be read.
    QList<FormField> formFields(int page) const;
    // Every widget in the document's field order as (page, widget id): the order Tab follows.
    QVector<QPair<int, int>> fieldOrder() const;
    // Fills the field of a widget as one step, its appearance drawn for every reader. Throws
    // DocumentError, changing nothing, when it cannot be done or a form script refuses the value.
    void setFieldValue(int page, int id, const FieldValue& value);
    // Sets every field back to its default value as one step ("Reset Form"); none when nothing
    // changed.
    void resetForm();
    // Whether the document's form scripts run (calculate, format, validate, keystroke); off
    // unless asked for. Nothing a document asks of the program beyond its pages is done either way.
    void setScriptsEnabled(bool enabled);
    bool scriptsEnabled() const;

    // The undo history: the names of every step, oldest first, of which the first
    // historyPosition() are in force. A save keeps it.
    QStringList historySteps() const;
    int historyPosition() const;
    bool canUndo() const;
    bool canRedo() const;
    // The name of the step an undo or redo would take back or make again; empty when none.
    QString undoName() const;
    QString redoName() const;
    void undo();
    void redo();
    // Undoes or redoes steps until position steps are in force.
    void setHistoryPosition(int position);

    // Differs from the file: edits since the last save, or a document that has no file yet.
    // Undoing back to the saved state makes it unmodified again.
    bool isModified() const;

    // Saves atomically to path (which may be the document's own file): a temporary file in the
    // same folder is written, flushed and renamed over the target, keeping its permissions.
    // An unmodified document is copied byte for byte, a modified one with a file is saved
    // incrementally, a new one in full with garbage collection and compression. Throws
    // DocumentError and leaves the target untouched on failure. The document then belongs to
    // path and is unmodified.
    void save(const QString& path);

    // The unsaved changes as a recovery record: the update section a save would append now,
    // or the whole document for one without a file or that needs a full save. False, and
    // record untouched, for an unmodified document, for an encrypted one, whose contents must
    // not be written anywhere in clear, and for a whole document of more than 64 MB.
    // With finish given, the costly parts are left out of *record: a whole document's bytes,
    // made from a copy of this version of it, and the digest of the file an update applies to.
    // *finish fills them in on any thread, so that they need not hold up the one the document
    // lives on; it returns false when they cannot be had.
    using RecordFinish = std::function<bool(RecoveryRecord* record)>;
    bool recoveryRecord(RecoveryRecord* record, RecordFinish* finish = nullptr) const;
    // Opens the document a record kept, its changes in force and unsaved: the file at source
    // (the record's own by default) with the record's update applied as one step, or the
    // whole document kept in the record as a new one. Throws DocumentError.
    static std::unique_ptr<Document> restore(const RecoveryRecord& record, const QString& source = QString());

    // The current version for render workers; changes on every edit, undo, redo and save.
    std::shared_ptr<const RenderSource> renderSource() const;

signals:
    void modifiedChanged(bool modified);
    // Everything may have changed (a password accepted, a damaged page tree mended).
    void sourceChanged();
    // An edit, undo or redo changed what changes says.
    void pagesChanged(const pxv::PageChanges& changes);
    // Steps were added, undone or redone.
    void historyChanged();
    // The document belongs to another file now.
    void filePathChanged();
    void aboutToSave();
    // The views show other optional-content groups now: every page image must be drawn again.
    void shownGroupsChanged();
    void saved();

private:
    Document();
    enum class StepKind { Content, Structure }; // Structure: pages are inserted, removed or moved
    // Runs edit as one step named name.
    void runStep(const QString& name, StepKind kind, const std::function<void()>& edit);
    // Resizes each of the pages (sorted, distinct) to the size as shown that shownSize tells.
    void resizeEach(const QVector<int>& pages, const std::function<QSizeF(int page)>& shownSize);
    // What {file} in a header or footer stands for.
    QString stampFileName() const;

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace pxv
