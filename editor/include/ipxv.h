#pragma once

// Public interface of the PDF editor component: the control's main interface, the instance and
// the objects they hand out. Hosts use nothing else of the component.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <exception>
#include <functional>
#include <memory>
#include <string>

// Opaque base types of event objects and event sources.
class IUnknown
{
public:
    virtual ~IUnknown() = default;
};

class IDispatch : public IUnknown
{};

// The component's one error type: a failing call throws it with a code and a message for people.
class PXV_Error : public std::exception
{
public:
    enum Code {
        Failed = 1,
        InvalidArgument,
        NotFound,
        NotImplemented,
        FileError,
        Cancelled,
    };

    PXV_Error(int code, const QString& message) : m_code(code), m_message(message), m_what(message.toStdString()) {}

    int code() const { return m_code; }
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_code;
    QString m_message;
    std::string m_what;
};

// An open document. Owned by the instance; handed out as shared pointers.
class IPXV_Document : public IDispatch
{
public:
    // The file behind the document: a null string for a document that has no file yet.
    virtual QString srcPath() const = 0;
    virtual QString title() const = 0;
    virtual int pageCount() const = 0;
    virtual bool isModified() const = 0;
};

// One node of an operation's parameter tree. child() creates a missing node.
class IPXV_ParamNode
{
public:
    virtual ~IPXV_ParamNode() = default;
    virtual IPXV_ParamNode* child(const QString& name) = 0;
    virtual bool hasChild(const QString& name) const = 0;
    // The names of the children, sorted.
    virtual QStringList childNames() const = 0;
    virtual QVariant value() const = 0;
    virtual void setValue(const QVariant& value) = 0;
    virtual std::shared_ptr<IUnknown> object() const = 0;
    virtual void setObject(std::shared_ptr<IUnknown> object) = 0;
};

class IPXV_Operation : public IDispatch
{
public:
    virtual int id() const = 0;
    virtual QString name() const = 0;
    virtual IPXV_ParamNode* params() = 0;
};

class IPXV_Settings
{
public:
    virtual ~IPXV_Settings() = default;
    virtual void setBool(const QString& name, bool value) = 0;
    virtual bool getBool(const QString& name, bool defaultValue = false) const = 0;
    // "Comments.Author": the name new comments carry (the signed-in account); the user's login
    // name when empty. "Forms.Scripts" (bool, default false): documents' form scripts run
    // (calculate, format, validate, keystroke); nothing a document asks of the program beyond
    // its pages (opening, launching, mailing, submitting) is done either way.
    // "Comments.Styles": the look new comments of each kind get (the Comment Styles pane's
    // text); kept across runs.
    virtual void setString(const QString& name, const QString& value) = 0;
    virtual QString getString(const QString& name, const QString& defaultValue = QString()) const = 0;
};

// A command of the component's user interface.
class IPXV_Command
{
public:
    virtual ~IPXV_Command() = default;
    virtual QString name() const = 0;
    // A hidden command is left out of the component's toolbar and menus.
    virtual void setHidden(bool hidden) = 0;
    virtual bool isHidden() const = 0;
};

class IPXV_CommandList
{
public:
    virtual ~IPXV_CommandList() = default;
    virtual IPXV_Command* find(const QString& name) = 0;
};

// The "UIX" extension: the component's commands as the user interface shows them.
class IPXV_Extension
{
public:
    virtual ~IPXV_Extension() = default;
    virtual IPXV_CommandList* commands() = 0;
};

// The area of a view's side panes; limits in pixels.
class IPXV_PaneArea
{
public:
    virtual ~IPXV_PaneArea() = default;
    virtual void setSizeLimits(int maxWidth, int minWidth, int maxHeight, int minHeight) = 0;
};

class IPXV_View
{
public:
    virtual ~IPXV_View() = default;
    virtual IPXV_PaneArea* paneArea() = 0;
};

class IPXV_Frame
{
public:
    virtual ~IPXV_Frame() = default;
    virtual IPXV_View* view() = 0;
};

// A user-interface layout: the normal one, and the full-screen one it leads to.
class IPXV_Layout
{
public:
    virtual ~IPXV_Layout() = default;
    virtual IPXV_Frame* frame() = 0;
    virtual IPXV_Layout* fullScreen() = 0;
};

class IPXV_Inst
{
public:
    virtual ~IPXV_Inst() = default;

    // A stable id for every command, operation, event, pane and command bar name; an unknown
    // name throws PXV_Error.
    virtual int nameToId(const QString& name, bool flag = true) = 0;
    virtual QString idToName(int id) const = 0;

    // Runs one of the component's commands with its own dialogs.
    virtual void runCommand(const QString& name, int flags = 0) = 0;

    // Operations are the component's scripting API: create one by the id of its name, fill its
    // parameter tree, run it. Each operation that changes a document is one undoable step.
    // A parameter the operation does not know, or a bad value, throws PXV_Error
    // (InvalidArgument) naming it, and nothing changes; an operation of the command identifier
    // table that this version cannot do yet throws PXV_Error (NotImplemented).
    //
    // Parameters that mean the same thing have the same name in every operation:
    //   "Input"    the document to work on (an IPXV_Document object); the active one when absent.
    //   "Pages"    a page range: "1-3,7,10-", "-5", "all", "odd" or "even", page numbers from 1;
    //              all pages when absent.
    //   "Position" the page number (from 1) that the first inserted or moved page has afterwards.
    //   "Path"     a file to write.
    //   "Output"   set by the operation: the document it made or worked on.
    //
    //   "op.newBlankDoc"            a new document of one blank A4 page. Output: the document.
    //   "op.combineDocs"            Input: the list of file paths (a QStringList value), in order.
    //                               Output: a new document of all their pages, with their
    //                               outlines, links and form fields.
    //   "op.document.save"          Input, Path (the document's own file when absent; required
    //                               for a document that has no file yet). Atomic: a failed save
    //                               leaves the target as it was. The undo history is kept.
    //   "op.document.rotatePages"   Input, Pages, "Angle": 90, 180 or 270 degrees clockwise
    //                               (-90 is 270). One step.
    //   "op.document.movePages"     Input, Pages, Position. Moves the pages, in document order,
    //                               so that the first of them becomes page Position. One step.
    //   "op.document.deletePages"   Input, Pages. Deleting every page is refused. Links to the
    //                               pages go, outline entries to them lead nowhere, fields whose
    //                               widgets were all on them leave the form. One step.
    //   "op.document.insertEmptyPages"  Input, Position (after the last page when absent), "Count"
    //                               (1), "Size": "neighbour" (the page before, the default), "A3",
    //                               "A4", "A5", "Letter" or "Legal"; "Width" and "Height" in points
    //                               override it; "Orientation": "portrait" or "landscape". One step.
    //   "op.document.insertPages"   Input, "Source" (a PDF file, whose password is asked; or an
    //                               open IPXV_Document object, taken as it is now), Pages (of
    //                               Source), Position (after the last page when absent). The
    //                               pages come with their links, annotations and fields. One step.
    //   "op.document.replacePages"  Input, Pages, Source, "SourcePages" (of Source, all when
    //                               absent): the new pages stand where the first replaced one
    //                               stood. One step.
    //   "op.document.cropPages"     Input, Pages, "Left", "Top", "Right", "Bottom": margins in
    //                               points of the page as shown (0 when absent), taken off its
    //                               media box to give its crop box. One step.
    //   "op.document.resizePages"   Input, Pages, and either a size: "Size" ("A3", "A4", "A5",
    //                               "Letter", "Legal") and/or "Width" and "Height" in points (1 to
    //                               14400; they override the paper's), with "Orientation":
    //                               "portrait", "landscape" or "auto" (as each page stands, the
    //                               default); or "Scale", a factor of 0.1 to 10. Sizes are of the
    //                               pages as shown. What a page shows is scaled uniformly to fit
    //                               its new media box and centred; annotations and links move
    //                               with it, and destinations into it follow. One step.
    //   "op.document.addWatermarks" Input, Pages, "Text" or "Image" (a PNG or JPEG file), with
    //                               "FontSize" (points, 1 to 1000; 48), "Color" ("#rrggbb";
    //                               grey), "Opacity" (0 to 1; 1), "Rotation" (degrees counter-
    //                               clockwise; 0), "Position" ("center", the default, "tile",
    //                               "top-left", "top", "top-right", "bottom-left", "bottom",
    //                               "bottom-right"; 36 points from the edges) and "Behind"
    //                               (true: under the page's content). Latin text is set in
    //                               Helvetica, other text in a CJK font the reader supplies;
    //                               an image larger than 60% of the page is scaled to that,
    //                               unless "Scale" (0.01 to 10, of the image's own size; images
    //                               only) says how large it is.
    //                               Drawn as a pagination artifact in an optional-content group
    //                               "Watermark". One step.
    //   "op.document.removeWatermarks" Input, Pages: takes off exactly what addWatermarks put
    //                               there, in this session or in the saved file. One step (none
    //                               when the pages have no watermark).
    //   "op.document.addHeaderFooter" Input, Pages, "Text" ({n}: the page's number, counted
    //                               from "StartNumber" (1) over Pages; {N}: the last such
    //                               number; {date}: today; {file}: the file's name; "{n}" when
    //                               absent), "Position" ("top-left", "top", "top-right",
    //                               "bottom-left", "bottom" (the default), "bottom-right"),
    //                               "Left", "Top", "Right", "Bottom" (margins in points; 36),
    //                               and "FontSize" (10), "Color", "Opacity", "Rotation",
    //                               "Behind" as for watermarks. One step.
    //   "op.document.removeHeaderFooter" Input, Pages: as removeWatermarks, for headers and
    //                               footers.
    //   "op.document.setProperties" Input, "Title", "Author", "Subject", "Keywords": written to
    //                               the Info dictionary (an absent one stays, an empty one is
    //                               removed) with the modification date; an XMP metadata stream
    //                               goes, as it would say otherwise. One step.
    //   "op.document.setSecurity"   Input, "OpenPassword", "PermissionsPassword" (absent or
    //                               empty: none; at most 127 bytes each), and what may be done
    //                               without the permissions password: "Print", "Copy", "Edit",
    //                               "Annotate", "FillForms" (true or false; true when absent;
    //                               only with a permissions password). Applied by the next save,
    //                               which writes the whole file encrypted with AES-256, or
    //                               unencrypted when neither password is given. The document
    //                               counts as modified until then; no step.
    //   "op.document.extractPages"  Input, Pages, Path (optional: the new document is saved
    //                               there). Output: a new document with copies of the pages and
    //                               only the objects they use, with the outline entries that
    //                               lead to them (and the entries above those, which lead
    //                               nowhere when their own page was not taken).
    //                               "Split" writes files instead: "none" (the default, as
    //                               above), "pages" (one file per page of Pages), "ranges" (one
    //                               per comma-separated item of Pages: "1-3,7" gives two),
    //                               "count" (every "Count" pages of Pages a file; Count ≥ 1,
    //                               taken only here) or "outline" (one per top-level outline
    //                               entry with a page, from it to the page before the next one;
    //                               pages before the first entry make a file of their own; only
    //                               pages of Pages go in). Path then names an existing folder
    //                               that can be written into. Files are named after the
    //                               document and their pages ("report - pages 1-3.pdf",
    //                               "report - page 7.pdf") or, for "outline", after the entry's
    //                               title made safe for a file name; equal names are numbered
    //                               ("Intro (2).pdf"). Each is written atomically with its
    //                               pages' outline entries and only the objects its pages use.
    //                               An existing file is refused, naming it, before anything is
    //                               written; a split that fails or is cancelled removes the
    //                               files it wrote. Output: the paths written (a QStringList
    //                               value). The document does not change: no step.
    //   "op.document.addAnnot"      Input, "Page" (from 1; 1 when absent), "Type": "Text" (a
    //                               sticky note), "FreeText", "Line", "Square", "Circle",
    //                               "Polygon", "PolyLine", "Highlight", "Underline", "StrikeOut",
    //                               "Squiggly", "Stamp" or "Ink". Geometry in points from the top-
    //                               left corner of the page as shown: "Rect" (left, top, width,
    //                               height; Text, FreeText, Square, Circle, Stamp) or "Points" (a
    //                               list of numbers: x1 y1 x2 y2 for Line; x y pairs for Polygon,
    //                               PolyLine and one Ink stroke; eight per quadrilateral, corners
    //                               upper-left, upper-right, lower-right, lower-left, for the text
    //                               markups). Optional: "Color" ("#rrggbb" or a colour name),
    //                               "FillColor" (the same, for Square, Circle, Polygon and a
    //                               Line's endings), "Opacity" (above 0 to 1), "Width" (line
    //                               width in points), "FontSize" (FreeText) - each, when absent,
    //                               as the "Comments.Styles" setting (the Comment Styles pane)
    //                               has it for the kind (a Line with a LineEnd is an arrow),
    //                               "Contents", "Author" (the "Comments.Author" setting, else the
    //                               login name), "Icon" (a note's icon
    //                               or a stamp's name: "Approved", "Draft", "Confidential",
    //                               "Final", "NotApproved", "ForComment", ...), "LineEnd" ("None",
    //                               "OpenArrow", "ClosedArrow", "Square", "Circle", "Diamond",
    //                               "Butt", "ROpenArrow", "RClosedArrow", "Slash"), "ImageFile"
    //                               (Stamp: a PNG or JPEG file drawn as the stamp, its Rect
    //                               shrunk to the picture's proportions). Output: the
    //                               annotation's object number (a value). One step.
    //   "op.document.summarizeAnnots"  Input, Path (optional: the summary is saved there).
    //                               Output: a new A4 document listing every page's comments
    //                               with their kind, author, date and text, each commented
    //                               page under a picture of it at a quarter of its size. Made
    //                               on a worker from a copy; the call returns when it is done.
    //                               The document does not change: no step.
    //   "op.document.exportCommentsAndFields"  Input, Path (the XFDF file to write, replaced
    //                               atomically), "What": "fields", "comments" or "both" (the
    //                               default). Writes XFDF 1.0: the document's file name, the
    //                               fields' values by full name (a check box's or radio group's
    //                               export value, "Off" when none is on; one value for each
    //                               choice of a list with multiple selection) and the comments
    //                               with their page (0-based), geometry in PDF user space, colour,
    //                               opacity, width, name, author, subject, dates, flags and text.
    //                               Output: the path written (a value). No step.
    //   "op.document.importCommentsAndFields"  Input, Path (an XFDF file). Sets the fields of the
    //                               same full names and adds the comments to their pages, with
    //                               their appearances, as one step. Fields the document lacks and
    //                               kinds of comment the editor cannot add are skipped. A file
    //                               that is not XML, not XFDF, names a page the document lacks or
    //                               holds numbers that are none fails with a message saying so
    //                               and changes nothing. Output: a QVariantMap value of counts:
    //                               "Fields", "Comments", "SkippedFields", "SkippedComments".
    //   "op.document.exportToImages"  Input, Pages, "Format": "png" (the default) or "jpeg";
    //                               "Quality" 1-100 for JPEG (90); "Resolution" in dpi, 10-1200
    //                               (150); Path: an existing folder; "Pattern": the file name,
    //                               "{n}" standing for the page number ("page-{n}.png" or
    //                               "page-{n}.jpg"; needed for more than one page). Pages are
    //                               drawn as the document is now, unsaved edits included, on a
    //                               thread of their own; an existing file of the same name is
    //                               replaced atomically. A failure or Cancel removes the images
    //                               written. Output: the paths written (a QStringList value).
    //   "op.document.convert"       Input, Pages, "Format": "docx", "odt", "txt", "html", "svg",
    //                               "png" or "jpeg" ("Resolution" and "Quality" as for
    //                               exportToImages); Path: a file, or an existing folder for one
    //                               file per page named after the document ("report - page
    //                               3.svg"). A file of svg, png or jpeg holds one page. Written
    //                               from the document as it is now on a thread of its own, each
    //                               file atomically. Output: the paths written (a QStringList).
    //   "op.document.compress"      Input, Path (required: a file other than the document's
    //                               own), "Level": "lossless" (the default: unused and duplicate
    //                               objects dropped, every stream compressed) or "lossy"
    //                               (images also stored as JPEG of "Quality" 1-100 (75),
    //                               downsampled to what the largest page needs at "Resolution"
    //                               dpi (150)). The smaller of both writings is kept, and an
    //                               unedited document's own file is copied when the result
    //                               would be larger. Output: a QVariantMap with "Before" (the
    //                               document's file size; 0 without one) and "After" in bytes.
    //   "op.document.printPages"    Input, Pages, Path (optional: a PDF file to print into
    //                               instead of the default printer), "Copies" (1-999, 1), "Fit":
    //                               "true" (the default: each page scaled to the printable area)
    //                               or "false" (at its own size, shrunk only when larger). Pages
    //                               are drawn as the document is now on a thread of their own.
    //   "op.imagesToDoc"            Input: the list of image files (JPEG, PNG, TIFF; a
    //                               QStringList value), one page each, in order. Without "Size"
    //                               each page is its image's size at the image's resolution;
    //                               with "Size" ("A4", "Letter", ...) the image is centred on
    //                               that paper, shrunk to fit within "Margin" points (36) when
    //                               larger. JPEG data is embedded as it is. Output: the new
    //                               document, without a file.
    //   "op.textToDoc"              Input: a UTF-8 text file. Laid out in a monospaced font of
    //                               "FontSize" points (4-72, 10) on pages of "Size" (A4) within
    //                               "Margin" points (56), long lines wrapped; a form feed starts
    //                               a new page; Chinese, Japanese and Korean text is shown with
    //                               a font that has it. "Font": an installed font family
    //                               ("DejaVu Serif") to use instead, a TrueType or OpenType one,
    //                               embedded in the document.
    //                               Output: the new document, without a file.
    virtual std::shared_ptr<IPXV_Operation> createOperation(int operationId) = 0;
    virtual void runOperation(IPXV_Operation* operation, int flags = 0) = 0;

    virtual IPXV_Settings* settings() = 0;
    // "UIX" is the only extension; other names throw PXV_Error.
    virtual IPXV_Extension* extension(const QString& name) = 0;
    virtual IPXV_Layout* layout() = 0;

    // Text shown where a value is missing (the page box without a document, empty properties).
    virtual void setNoValueText(const QString& text) = 0;
    // Preference 9 is the component's own start page when no document is open (0 hides it).
    virtual void setPreference(int preference, int value) = 0;
};

// Where a file was shown when it was closed: the page at the top of its view and the zoom.
struct PXV_ViewPlace
{
    enum class Fit { None, Width, Page };
    int page = 0; // from 0
    Fit fit = Fit::Width; // None: zoom holds
    double zoom = 1.0; // 1.0 is 100 %
};

// Kept by the host, so that a file opens where it was left. The component asks it when it opens
// a file, and tells it when it closes one (its tab, or the control with every tab at the end).
class IPXV_PlaceKeeper
{
public:
    virtual ~IPXV_PlaceKeeper() = default;
    // False when the file's place is not known; the file then opens at its first page.
    virtual bool recall(const QString& path, PXV_ViewPlace* place) = 0;
    virtual void remember(const QString& path, const PXV_ViewPlace& place) = 0;
};

class IPXV_Control
{
public:
    using EventHandler = std::function<void(int eventId, IDispatch* event, IUnknown* from)>;

    virtual ~IPXV_Control() = default;

    virtual IPXV_Inst* inst() = 0;

    // Events are delivered synchronously from inside the component's own calls, and only for
    // ids enabled here.
    virtual void enableEvent(int eventId, bool enable) = 0;
    virtual void advise(EventHandler handler) = 0;

    // The active document's absolute, clean path; a null string when no document is active and
    // an empty one for a document that has no file yet.
    virtual QString activeDocPath() const = 0;

    // Opens a file and makes it the active document; throws PXV_Error when it cannot.
    virtual void openPath(const QString& path, int flags = 0) = 0;
    // Starts reading a file that openPath will be asked for soon (a host that waits before it
    // opens), so that it shows at once then. Nothing is shown, fired or reported; a file changed
    // in between, or one that cannot be read, is left to openPath. A later call replaces it.
    virtual void prepareOpen(const QString& path) = 0;
    virtual void showDocument(std::shared_ptr<IPXV_Document> document, int flags = 0) = 0;

    // Asks about every document with unsaved changes (save, discard or cancel); false when the
    // user cancels, so that the host keeps running with everything still open.
    virtual bool queryClose() = 0;

    // The keeper of where files were left; null (the default) keeps nothing.
    virtual void setPlaceKeeper(std::shared_ptr<IPXV_PlaceKeeper> keeper) = 0;

    // 0 no border, 1 line, 2 sunken, 3 flat separator line; returns 0, or -1 for an unknown style.
    virtual int setBorderStyle(int style) = 0;
};
