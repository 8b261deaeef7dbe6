#pragma once

#include <vector>

class IPXV_Control;

// The editor component's run-time ids of the command bars, panes, operations and events the
// program knows by name, resolved once after the component is created.
enum CommandIndex {
    cmdbar_menubar,
    cmdbar_standard,
    cmdbar_file,
    cmdbar_view,
    cmdbar_pageZoom,
    cmdbar_pageNav,
    cmdbar_contentEditing,
    cmdbar_pageLayout,
    cmdbar_docOptions,
    cmdbar_commenting,
    cmdbar_measurement,
    cmdbar_properties,
    cmdbar_launchApp,
    cmdbar_addon,
    cmdbar_form,
    pageThumbnailsView,
    bookmarksView,
    contentsView,
    attachmentsView,
    signaturesView,
    commentsView,
    layersView,
    pdfNamedDestsView,
    propertiesView,
    searchView,
    stampsView,
    commentStylesView,
    panzoomView,
    _op_begin_,
    op_document_printPages,
    op_newBlankDoc,
    op_imagesToDoc,
    op_textToDoc,
    op_combineDocs,
    op_document_insertPages,
    op_document_insertEmptyPages,
    op_document_deletePages,
    op_document_extractPages,
    op_document_replacePages,
    op_document_cropPages,
    op_document_resizePages,
    op_document_addWatermarks,
    op_document_summarizeAnnots,
    op_document_exportCommentsAndFields,
    op_document_importCommentsAndFields,
    op_document_exportToImages,
    _op_end_,
    _e_begin_,
    e_activeDocChanged,
    e_document_modStateChanged,
    e_document_sourceChanged,
    e_document_beforeSave,
    e_document_afterSave,
    e_pagesView_endLayoutChanging,
    e_uiLanguageChanged,
    _e_end_,
    _last_,
};

extern const char* const commandNames[_last_ + 1];

class QCommandIDs
{
public:
    static void init(IPXV_Control* pdfCtrl);
    static int id(int index);

private:
    static std::vector<int> m_nIDS;
};
