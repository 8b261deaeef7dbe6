#pragma once

#include "ui/layer.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace pxv {

// Every name the component answers to (command bars, panes, operations, events and its own
// commands) with a stable positive id. Ids are positions in one fixed list, so they are the same
// for the whole run and across runs.
class NameTable
{
public:
    enum class Kind { CommandBar, Pane, Operation, Event, Command };

    static const NameTable& instance();

    // 0 for an unknown name.
    int id(const QString& name) const;
    // A null string for an unknown id.
    QString name(int id) const;
    bool isKind(int id, Kind kind) const;

private:
    NameTable();
    void add(Kind kind, const QStringList& names);

    struct Entry
    {
        QString name;
        Kind kind;
    };
    QList<Entry> m_entries;
    QHash<QString, int> m_ids;
};

// Names used inside the component.
namespace names {
inline const QString kActiveDocChanged = QStringLiteral("e.activeDocChanged");
inline const QString kModStateChanged = QStringLiteral("e.document.modStateChanged");
inline const QString kSourceChanged = QStringLiteral("e.document.sourceChanged");
inline const QString kBeforeSave = QStringLiteral("e.document.beforeSave");
inline const QString kAfterSave = QStringLiteral("e.document.afterSave");
inline const QString kLayoutChanged = QStringLiteral("e.pagesView.endLayoutChanging");
inline const QString kLanguageChanged = QStringLiteral("e.uiLanguageChanged");

inline const QString kNewBlankDoc = QStringLiteral("op.newBlankDoc");
inline const QString kCombineDocs = QStringLiteral("op.combineDocs");
inline const QString kSaveDoc = QStringLiteral("op.document.save");
inline const QString kRotatePages = QStringLiteral("op.document.rotatePages");
inline const QString kMovePages = QStringLiteral("op.document.movePages");
inline const QString kDeletePagesOp = QStringLiteral("op.document.deletePages");
inline const QString kInsertEmptyPagesOp = QStringLiteral("op.document.insertEmptyPages");
inline const QString kInsertPagesOp = QStringLiteral("op.document.insertPages");
inline const QString kReplacePagesOp = QStringLiteral("op.document.replacePages");
inline const QString kExtractPagesOp = QStringLiteral("op.document.extractPages");
inline const QString kCropPagesOp = QStringLiteral("op.document.cropPages");
inline const QString kResizePagesOp = QStringLiteral("op.document.resizePages");
inline const QString kAddAnnotOp = QStringLiteral("op.document.addAnnot");
inline const QString kSummarizeAnnotsOp = QStringLiteral("op.document.summarizeAnnots");
inline const QString kAddWatermarksOp = QStringLiteral("op.document.addWatermarks");
inline const QString kRemoveWatermarksOp = QStringLiteral("op.document.removeWatermarks");
inline const QString kAddHeaderFooterOp = QStringLiteral("op.document.addHeaderFooter");
inline const QString kRemoveHeaderFooterOp = QStringLiteral("op.document.removeHeaderFooter");
inline const QString kSetPropertiesOp = QStringLiteral("op.document.setProperties");
inline const QString kSetSecurityOp = QStringLiteral("op.document.setSecurity");
inline const QString kExportXfdfOp = QStringLiteral("op.document.exportCommentsAndFields");
inline const QString kImportXfdfOp = QStringLiteral("op.document.importCommentsAndFields");

inline const QString kOpen = QStringLiteral("cmd.open");
inline const QString kNewDocCombine = QStringLiteral("cmd.newDocCombine");
inline const QString kNewBlank = QStringLiteral("cmd.newBlankDoc");
inline const QString kSave = QStringLiteral("cmd.save");
inline const QString kSaveAs = QStringLiteral("cmd.saveAs");
inline const QString kClose = QStringLiteral("cmd.close");
inline const QString kHelp = QStringLiteral("cmd.help");
inline const QString kZoomIn = QStringLiteral("cmd.zoomIn");
inline const QString kZoomOut = QStringLiteral("cmd.zoomOut");
inline const QString kActualSize = QStringLiteral("cmd.actualSize");
inline const QString kFitWidth = QStringLiteral("cmd.fitWidth");
inline const QString kFitPage = QStringLiteral("cmd.fitPage");
inline const QString kFirstPage = QStringLiteral("cmd.firstPage");
inline const QString kPrevPage = QStringLiteral("cmd.prevPage");
inline const QString kNextPage = QStringLiteral("cmd.nextPage");
inline const QString kLastPage = QStringLiteral("cmd.lastPage");
inline const QString kGoBack = QStringLiteral("cmd.goBack");
inline const QString kGoForward = QStringLiteral("cmd.goForward");
inline const QString kNextDoc = QStringLiteral("cmd.nextDoc");
inline const QString kPrevDoc = QStringLiteral("cmd.prevDoc");
inline const QString kShowOutline = QStringLiteral("cmd.showOutline");
inline const QString kRotateLeft = QStringLiteral("cmd.rotateLeft");
inline const QString kRotateRight = QStringLiteral("cmd.rotateRight");
inline const QString kFind = QStringLiteral("cmd.find");
inline const QString kUndo = QStringLiteral("cmd.undo");
inline const QString kRedo = QStringLiteral("cmd.redo");
inline const QString kShowHistory = QStringLiteral("cmd.showHistory");
inline const QString kCut = QStringLiteral("cmd.cut");
inline const QString kCopy = QStringLiteral("cmd.copy");
inline const QString kPaste = QStringLiteral("cmd.paste");
inline const QString kDeleteSelection = QStringLiteral("cmd.delete");
inline const QString kShowThumbnails = QStringLiteral("cmd.showThumbnails");
inline const QString kInsertBlankPage = QStringLiteral("cmd.insertBlankPage");
inline const QString kInsertPages = QStringLiteral("cmd.insertPages");
inline const QString kDeletePages = QStringLiteral("cmd.deletePages");
inline const QString kExtractPages = QStringLiteral("cmd.extractPages");
inline const QString kSplitDocument = QStringLiteral("cmd.splitDocument");
inline const QString kCropPages = QStringLiteral("cmd.cropPages");
inline const QString kResizePages = QStringLiteral("cmd.resizePages");
inline const QString kShowComments = QStringLiteral("cmd.showComments");
inline const QString kToolSelect = QStringLiteral("cmd.tool.select");
inline const QString kToolHighlight = QStringLiteral("cmd.tool.highlight");
inline const QString kToolUnderline = QStringLiteral("cmd.tool.underline");
inline const QString kToolStrikeOut = QStringLiteral("cmd.tool.strikeout");
inline const QString kToolNote = QStringLiteral("cmd.tool.note");
inline const QString kToolTextBox = QStringLiteral("cmd.tool.textBox");
inline const QString kToolPen = QStringLiteral("cmd.tool.pen");
inline const QString kToolLine = QStringLiteral("cmd.tool.line");
inline const QString kToolArrow = QStringLiteral("cmd.tool.arrow");
inline const QString kToolRectangle = QStringLiteral("cmd.tool.rectangle");
inline const QString kToolEllipse = QStringLiteral("cmd.tool.ellipse");
inline const QString kToolStamp = QStringLiteral("cmd.tool.stamp");
inline const QString kToolSquiggly = QStringLiteral("cmd.tool.squiggly");
inline const QString kToolPolygon = QStringLiteral("cmd.tool.polygon");
inline const QString kToolPolyline = QStringLiteral("cmd.tool.polyline");
inline const QString kToolImageStamp = QStringLiteral("cmd.tool.imageStamp");
inline const QString kSummarizeComments = QStringLiteral("cmd.summarizeComments");
inline const QString kConvert = QStringLiteral("cmd.convert");
inline const QString kConvertToWord = QStringLiteral("cmd.convertToWord");
inline const QString kConvertToSpreadsheet = QStringLiteral("cmd.convertToSpreadsheet");
inline const QString kConvertToPresentation = QStringLiteral("cmd.convertToPresentation");
inline const QString kConvertToImage = QStringLiteral("cmd.convertToImage");
inline const QString kConvertToDrawing = QStringLiteral("cmd.convertToDrawing");
inline const QString kCompress = QStringLiteral("cmd.compress");
inline const QString kNewFromImages = QStringLiteral("cmd.newFromImages");
inline const QString kNewFromText = QStringLiteral("cmd.newFromText");
inline const QString kImagesToDoc = QStringLiteral("op.imagesToDoc");
inline const QString kTextToDoc = QStringLiteral("op.textToDoc");
inline const QString kPrint = QStringLiteral("cmd.print");
inline const QString kConvertOp = QStringLiteral("op.document.convert");
inline const QString kCompressOp = QStringLiteral("op.document.compress");
inline const QString kAddWatermark = QStringLiteral("cmd.addWatermark");
inline const QString kRemoveWatermarks = QStringLiteral("cmd.removeWatermarks");
inline const QString kAddHeaderFooter = QStringLiteral("cmd.addHeaderFooter");
inline const QString kRemoveHeaderFooter = QStringLiteral("cmd.removeHeaderFooter");
inline const QString kDocumentProperties = QStringLiteral("cmd.documentProperties");
inline const QString kDocumentSecurity = QStringLiteral("cmd.documentSecurity");
inline const QString kExportCommentsAndFields = QStringLiteral("cmd.exportCommentsAndFields");
inline const QString kImportCommentsAndFields = QStringLiteral("cmd.importCommentsAndFields");
inline const QString kAddBookmark = QStringLiteral("cmd.addBookmark");
inline const QString kShowAttachments = QStringLiteral("cmd.showAttachments");
inline const QString kShowLayers = QStringLiteral("cmd.showLayers");
inline const QString kResetForm = QStringLiteral("cmd.form.reset");
inline const QString kHighlightFields = QStringLiteral("cmd.form.highlightFields");
inline const QString kShowSignatures = QStringLiteral("cmd.showSignatures");
inline const QString kRunFormScripts = QStringLiteral("cmd.form.runScripts");
inline const QString kShowCommentBar = QStringLiteral("cmd.showCommentBar");
inline const QString kShowStamps = QStringLiteral("cmd.showStamps");
inline const QString kShowCommentStyles = QStringLiteral("cmd.showCommentStyles");
} // namespace names

} // namespace pxv
