#include "nametable.h"

namespace pxv {

const NameTable& NameTable::instance()
{
    static const NameTable table;
    return table;
}

NameTable::NameTable()
{
    add(Kind::CommandBar,
        {"cmdbar.menubar", "cmdbar.standard", "cmdbar.file", "cmdbar.view", "cmdbar.pageZoom", "cmdbar.pageNav",
         "cmdbar.contentEditing", "cmdbar.pageLayout", "cmdbar.docOptions", "cmdbar.commenting", "cmdbar.measurement",
         "cmdbar.properties", "cmdbar.launchApp", "cmdbar.addon", "cmdbar.form"});
    add(Kind::Pane, {"pageThumbnailsView", "bookmarksView", "contentsView", "attachmentsView", "signaturesView",
                     "commentsView", "layersView", "pdfNamedDestsView", "propertiesView", "searchView", "stampsView",
                     "commentStylesView", "panzoomView"});
    add(Kind::Operation,
        {"op.document.printPages", names::kNewBlankDoc, "op.imagesToDoc", "op.textToDoc", names::kCombineDocs,
         "op.document.insertPages", "op.document.insertEmptyPages", "op.document.deletePages",
         "op.document.extractPages", "op.document.replacePages", "op.document.cropPages", "op.document.resizePages",
         "op.document.addWatermarks", "op.document.summarizeAnnots", "op.document.exportCommentsAndFields",
         "op.document.importCommentsAndFields", "op.document.exportToImages"});
    add(Kind::Event, {names::kActiveDocChanged, names::kModStateChanged, names::kSourceChanged, names::kBeforeSave,
                      names::kAfterSave, names::kLayoutChanged, names::kLanguageChanged});
    add(Kind::Command,
        {names::kOpen,        names::kNewDocCombine, names::kNewBlank,  names::kSave,        names::kSaveAs,
         names::kClose,       names::kHelp,          names::kZoomIn,    names::kZoomOut,     names::kActualSize,
         names::kFitWidth,    names::kFitPage,       names::kFirstPage, names::kPrevPage,    names::kNextPage,
         names::kLastPage,    names::kNextDoc,       names::kPrevDoc,   names::kShowOutline, names::kRotateLeft,
         names::kRotateRight, names::kFind});
    // Added later, after every kind, so that the ids above stay what they were.
    add(Kind::Operation, {names::kSaveDoc, names::kRotatePages, names::kMovePages});
    add(Kind::Command,
        {names::kUndo, names::kRedo, names::kShowHistory, names::kShowThumbnails, names::kInsertBlankPage,
         names::kInsertPages, names::kDeletePages, names::kExtractPages, names::kCropPages, names::kResizePages});
    add(Kind::Command, {names::kSplitDocument});
    add(Kind::Operation, {names::kAddAnnotOp});
    add(Kind::Command, {names::kShowComments, names::kToolSelect, names::kToolHighlight, names::kToolUnderline,
                        names::kToolStrikeOut, names::kToolNote, names::kToolTextBox, names::kToolPen, names::kToolLine,
                        names::kToolArrow, names::kToolRectangle, names::kToolEllipse, names::kToolStamp});
    add(Kind::Command, {names::kToolSquiggly, names::kToolPolygon, names::kToolPolyline, names::kSummarizeComments,
                        names::kToolImageStamp});
    add(Kind::Operation, {names::kConvertOp, names::kCompressOp});
    add(Kind::Command, {names::kConvert, names::kConvertToWord, names::kConvertToSpreadsheet,
                        names::kConvertToPresentation, names::kConvertToImage, names::kConvertToDrawing,
                        names::kCompress, names::kNewFromImages, names::kNewFromText, names::kPrint});
    add(Kind::Operation, {names::kRemoveWatermarksOp, names::kAddHeaderFooterOp, names::kRemoveHeaderFooterOp});
    add(Kind::Command,
        {names::kAddWatermark, names::kRemoveWatermarks, names::kAddHeaderFooter, names::kRemoveHeaderFooter});
    add(Kind::Operation, {names::kSetPropertiesOp});
    add(Kind::Command, {names::kDocumentProperties});
    add(Kind::Operation, {names::kSetSecurityOp});
    add(Kind::Command, {names::kDocumentSecurity});
    add(Kind::Command, {names::kExportCommentsAndFields, names::kImportCommentsAndFields});
    add(Kind::Command, {names::kAddBookmark, names::kShowAttachments, names::kShowLayers});
    add(Kind::Command, {names::kResetForm, names::kHighlightFields, names::kShowSignatures, names::kRunFormScripts});
    add(Kind::Command, {names::kShowCommentBar, names::kShowStamps});
    add(Kind::Command, {names::kShowCommentStyles});
    add(Kind::Command, {names::kGoBack, names::kGoForward});
    add(Kind::Command, {names::kCut, names::kCopy, names::kPaste, names::kDeleteSelection});
}

void NameTable::add(Kind kind, const QStringList& names)
{
    for (const QString& name : names) {
        m_entries.append({name, kind});
        m_ids.insert(name, m_entries.size()); // ids start at 1
    }
}

int NameTable::id(const QString& name) const
{
    return m_ids.value(name, 0);
}

QString NameTable::name(int id) const
{
    if (id < 1 || id > m_entries.size())
        return QString();
    return m_entries.at(id - 1).name;
}

bool NameTable::isKind(int id, Kind kind) const
{
    return id >= 1 && id <= m_entries.size() && m_entries.at(id - 1).kind == kind;
}

} // namespace pxv
