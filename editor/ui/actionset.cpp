#include "actionset.h"

#include "icons.h"
#include "nametable.h"

#include <QAction>
#include <QActionGroup>
#include <QWidget>

#include <initializer_list>
#include <tuple>

namespace pxv {

ActionSet::ActionSet(QWidget* owner) : QObject(owner), m_owner(owner)
{
    const QStyle* style = owner->style();
    add(names::kOpen, tr("&Open…"), icons::open(style), {QKeySequence::Open});
    add(names::kNewBlank, tr("&New Blank Document"), icons::newBlank(style), {QKeySequence::New});
    add(names::kNewDocCombine, tr("&Combine Files…"), icons::combine());
    add(names::kSave, tr("&Save"), icons::save(style), {QKeySequence::Save});
    add(names::kSaveAs, tr("Save &As…"), icons::saveAs(style), {QKeySequence(QStringLiteral("Ctrl+Shift+S"))});
    add(names::kClose, tr("&Close"), icons::close(style), {QKeySequence(QStringLiteral("Ctrl+W"))});
    add(names::kZoomIn, tr("Zoom &In"), icons::zoomIn(),
        {QKeySequence::ZoomIn, QKeySequence(QStringLiteral("Ctrl+="))});
    add(names::kZoomOut, tr("Zoom &Out"), icons::zoomOut(), {QKeySequence::ZoomOut});
    add(names::kActualSize, tr("&Actual Size"), QIcon::fromTheme(QStringLiteral("zoom-original")),
        {QKeySequence(QStringLiteral("Ctrl+0"))});
    add(names::kFitWidth, tr("Fit &Width"), icons::fitWidth(), {QKeySequence(QStringLiteral("Ctrl+1"))});
    add(names::kFitPage, tr("Fit &Page"), icons::fitPage(), {QKeySequence(QStringLiteral("Ctrl+2"))});
    add(names::kFirstPage, tr("&First Page"), icons::firstPage(style), {QKeySequence(QStringLiteral("Ctrl+Home"))});
    add(names::kPrevPage, tr("P&revious Page"), icons::previousPage(style),
        {QKeySequence(QStringLiteral("Ctrl+PgUp"))});
    add(names::kNextPage, tr("&Next Page"), icons::nextPage(style), {QKeySequence(QStringLiteral("Ctrl+PgDown"))});
    add(names::kLastPage, tr("&Last Page"), icons::lastPage(style), {QKeySequence(QStringLiteral("Ctrl+End"))});
    add(names::kGoBack, tr("&Back"), QIcon::fromTheme(QStringLiteral("go-previous")),
        {QKeySequence(QStringLiteral("Alt+Left"))});
    add(names::kGoForward, tr("For&ward"), QIcon::fromTheme(QStringLiteral("go-next")),
        {QKeySequence(QStringLiteral("Alt+Right"))});
    add(names::kNextDoc, tr("Next Document"), QIcon(), {QKeySequence(QStringLiteral("Ctrl+Tab"))});
    add(names::kPrevDoc, tr("Previous Document"), QIcon(), {QKeySequence(QStringLiteral("Ctrl+Shift+Tab"))});
    add(names::kRotateLeft, tr("Rotate Page &Left"), icons::rotate(false), {QKeySequence(QStringLiteral("Ctrl+Left"))});
    add(names::kRotateRight, tr("Rotate Page &Right"), icons::rotate(true),
        {QKeySequence(QStringLiteral("Ctrl+Right"))});
    add(names::kFind, tr("&Find…"), icons::find(), {QKeySequence::Find});
    add(names::kUndo, tr("&Undo"), icons::undo(false), {QKeySequence(QStringLiteral("Ctrl+Z"))});
    add(names::kRedo, tr("&Redo"), icons::undo(true),
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    QAction* history = add(names::kShowHistory, tr("Undo &History"), icons::history(),
                           {QKeySequence(QStringLiteral("Ctrl+H"))});
    history->setCheckable(true);
    // They act on what is selected on the pages, which read their keys: typing elsewhere keeps
    // its own cut, copy and paste.
    for (const auto& [name, text, icon, key] :
         std::initializer_list<std::tuple<QString, QString, QString, QKeySequence::StandardKey>>{
             {names::kCut, tr("Cu&t"), QStringLiteral("edit-cut"), QKeySequence::Cut},
             {names::kCopy, tr("&Copy"), QStringLiteral("edit-copy"), QKeySequence::Copy},
             {names::kPaste, tr("&Paste"), QStringLiteral("edit-paste"), QKeySequence::Paste},
             {names::kDeleteSelection, tr("&Delete"), QStringLiteral("edit-delete"), QKeySequence::Delete}})
        add(name, text + QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText),
            QIcon::fromTheme(icon));
    QAction* thumbnails = add(names::kShowThumbnails, tr("Page &Thumbnails"), icons::thumbnails(),
                              {QKeySequence(QStringLiteral("F6"))});
    thumbnails->setCheckable(true);
    add(names::kInsertBlankPage, tr("Insert &Blank Page"), QIcon(), {QKeySequence(QStringLiteral("Ctrl+Shift+B"))});
    add(names::kInsertPages, tr("&Insert Pages from File…"), QIcon(), {QKeySequence(QStringLiteral("Ctrl+Shift+I"))});
    add(names::kDeletePages, tr("&Delete Pages"), QIcon::fromTheme(QStringLiteral("edit-delete")),
        {QKeySequence(QStringLiteral("Ctrl+Shift+D"))});
    add(names::kExtractPages, tr("E&xtract Pages"), QIcon(), {QKeySequence(QStringLiteral("Ctrl+Shift+E"))});
    add(names::kSplitDocument, tr("S&plit Document…"), QIcon(), {});
    add(names::kCropPages, tr("&Crop Pages…"), icons::crop(), {QKeySequence(QStringLiteral("Ctrl+Shift+C"))});
    add(names::kResizePages, tr("Resi&ze Pages…"), icons::resize(), {QKeySequence(QStringLiteral("Ctrl+Shift+R"))});
    add(names::kAddWatermark, tr("&Watermark…"), QIcon(), {});
    add(names::kRemoveWatermarks, tr("Remove &Watermarks"), QIcon(), {});
    add(names::kAddHeaderFooter, tr("&Header and Footer…"), QIcon(), {});
    add(names::kRemoveHeaderFooter, tr("Remove H&eaders and Footers"), QIcon(), {});
    add(names::kDocumentProperties, tr("&Properties…"), QIcon::fromTheme(QStringLiteral("document-properties")),
        {QKeySequence(QStringLiteral("Ctrl+D"))});
    add(names::kDocumentSecurity, tr("&Security…"), QIcon::fromTheme(QStringLiteral("security-high")), {});
    add(names::kExportCommentsAndFields, tr("E&xport Comments and Fields…"),
        QIcon::fromTheme(QStringLiteral("document-export")), {});
    add(names::kImportCommentsAndFields, tr("&Import Comments and Fields…"),
        QIcon::fromTheme(QStringLiteral("document-import")), {});
    add(names::kAddBookmark, tr("Add &Bookmark"), QIcon::fromTheme(QStringLiteral("bookmark-new")),
        {QKeySequence(QStringLiteral("Ctrl+B"))});
    QAction* attachments = add(names::kShowAttachments, tr("&Attachments"),
                               QIcon::fromTheme(QStringLiteral("mail-attachment")),
                               {QKeySequence(QStringLiteral("F8"))});
    attachments->setCheckable(true);
    QAction* layers = add(names::kShowLayers, tr("&Layers"), QIcon::fromTheme(QStringLiteral("layer-visible-on")),
                          {QKeySequence(QStringLiteral("F9"))});
    layers->setCheckable(true);
    QAction* outline = add(names::kShowOutline, tr("&Outline"), icons::outline(), {QKeySequence(QStringLiteral("F4"))});
    outline->setCheckable(true);
    outline->setChecked(true);
    add(names::kConvert, tr("Con&vert…"), QIcon(), {});
    add(names::kConvertToWord, tr("Convert to Word…"), QIcon(), {});
    add(names::kConvertToSpreadsheet, tr("Convert for a Spreadsheet…"), QIcon(), {});
    add(names::kConvertToPresentation, tr("Convert for a Presentation…"), QIcon(), {});
    add(names::kConvertToImage, tr("Convert to Images…"), QIcon(), {});
    add(names::kConvertToDrawing, tr("Convert to Drawings…"), QIcon(), {});
    add(names::kCompress, tr("Co&mpress…"), QIcon(), {});
    add(names::kPrint, tr("&Print…"), QIcon::fromTheme(QStringLiteral("document-print")), {QKeySequence::Print});
    add(names::kNewFromImages, tr("New from &Images…"), QIcon(), {});
    add(names::kNewFromText, tr("New from &Text File…"), QIcon(), {});
    add(names::kHelp, tr("&Help"), icons::help(), {QKeySequence::HelpContents});
    QAction* comments = add(names::kShowComments, tr("&Comments"), QIcon::fromTheme(QStringLiteral("mail-message")),
                            {QKeySequence(QStringLiteral("F7"))});
    comments->setCheckable(true);
    add(names::kSummarizeComments, tr("Su&mmarize Comments"), QIcon(), {});
    add(names::kToolImageStamp, tr("&Image Stamp…"), QIcon(), {});
    add(names::kResetForm, tr("&Reset Form"), QIcon::fromTheme(QStringLiteral("edit-clear")), {});
    QAction* tint = add(names::kHighlightFields, tr("&Highlight Fields"), QIcon(), {});
    tint->setCheckable(true);
    tint->setChecked(true);
    add(names::kRunFormScripts, tr("Run Form &Scripts"), QIcon(), {})->setCheckable(true);
    QAction* signatures = add(names::kShowSignatures, tr("Si&gnatures"), QIcon(), {});
    signatures->setCheckable(true);
    add(names::kShowCommentBar, tr("Co&mment Toolbar"), QIcon(), {})->setCheckable(true);
    add(names::kShowStamps, tr("St&amps"), QIcon(), {QKeySequence(QStringLiteral("Shift+F7"))})->setCheckable(true);
    add(names::kShowCommentStyles, tr("Comment St&yles"), QIcon(), {QKeySequence(QStringLiteral("Shift+F8"))})
        ->setCheckable(true);
    auto* tools = new QActionGroup(this);
    for (const auto& [name, text, key] : std::initializer_list<std::tuple<QString, QString, QString>>{
             {names::kToolSelect, tr("&Select Text and Comments"), "V"},
             {names::kToolHighlight, tr("&Highlight"), "H"},
             {names::kToolUnderline, tr("&Underline"), "U"},
             {names::kToolStrikeOut, tr("Stri&keout"), "K"},
             {names::kToolNote, tr("Sticky &Note"), "N"},
             {names::kToolTextBox, tr("&Text Box"), "T"},
             {names::kToolPen, tr("&Pen"), "P"},
             {names::kToolLine, tr("&Line"), "L"},
             {names::kToolArrow, tr("&Arrow"), "A"},
             {names::kToolRectangle, tr("&Rectangle"), "R"},
             {names::kToolEllipse, tr("&Ellipse"), "E"},
             {names::kToolStamp, tr("&Stamp"), "S"},
             {names::kToolSquiggly, tr("S&quiggly Underline"), ""},
             {names::kToolPolygon, tr("Pol&ygon"), ""},
             {names::kToolPolyline, tr("P&olyline"), ""}}) {
        // The key works while the pages have the focus only (the page view reads it), so the
        // action shows it without owning it as a shortcut that would steal typing elsewhere.
        QAction* tool = add(name, text, icons::commentTool(name));
        if (!key.isEmpty()) {
            tool->setText(text + QLatin1Char('\t') + key);
            tool->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QLatin1Char('&')), key));
        }
        tool->setCheckable(true);
        tools->addAction(tool);
    }
}

QAction* ActionSet::add(const QString& name, const QString& text, const QIcon& icon, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(icon, text, this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (!keys.isEmpty())
        action->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QLatin1Char('&')).remove(QChar(0x2026)),
                                                         keys.first().toString(QKeySequence::NativeText)));
    m_owner->addAction(action);
    connect(action, &QAction::triggered, this, [this, name] { emit signal_triggered(name); });
    m_actions.insert(name, action);
    m_order.append(name);
    return action;
}

} // namespace pxv
