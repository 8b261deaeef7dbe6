#include "qcommandids.h"

#include "ipxv.h"
#include "textconv.h"
#include "uexception.h"

#include <string>

const char* const commandNames[_last_ + 1] = {
    "cmdbar_menubar",
    "cmdbar_standard",
    "cmdbar_file",
    "cmdbar_view",
    "cmdbar_pageZoom",
    "cmdbar_pageNav",
    "cmdbar_contentEditing",
    "cmdbar_pageLayout",
    "cmdbar_docOptions",
    "cmdbar_commenting",
    "cmdbar_measurement",
    "cmdbar_properties",
    "cmdbar_launchApp",
    "cmdbar_addon",
    "cmdbar_form",
    "pageThumbnailsView",
    "bookmarksView",
    "contentsView",
    "attachmentsView",
    "signaturesView",
    "commentsView",
    "layersView",
    "pdfNamedDestsView",
    "propertiesView",
    "searchView",
    "stampsView",
    "commentStylesView",
    "panzoomView",
    "_op_begin_",
    "op_document_printPages",
    "op_newBlankDoc",
    "op_imagesToDoc",
    "op_textToDoc",
    "op_combineDocs",
    "op_document_insertPages",
    "op_document_insertEmptyPages",
    "op_document_deletePages",
    "op_document_extractPages",
    "op_document_replacePages",
    "op_document_cropPages",
    "op_document_resizePages",
    "op_document_addWatermarks",
    "op_document_summarizeAnnots",
    "op_document_exportCommentsAndFields",
    "op_document_importCommentsAndFields",
    "op_document_exportToImages",
    "_op_end_",
    "_e_begin_",
    "e_activeDocChanged",
    "e_document_modStateChanged",
    "e_document_sourceChanged",
    "e_document_beforeSave",
    "e_document_afterSave",
    "e_pagesView_endLayoutChanging",
    "e_uiLanguageChanged",
    "_e_end_",
    "_last_",
};

std::vector<int> QCommandIDs::m_nIDS;

void QCommandIDs::init(IPXV_Control* pdfCtrl)
{
    U_ASSERT_MSG(nullptr != pdfCtrl, "pdfCtrl is null");
    m_nIDS.resize(_last_);
    for (int index = 0; index < _last_; ++index) {
        const std::string name = commandNames[index];
        if (name[0] == '_') {
            m_nIDS[size_t(index)] = 0;
            continue;
        }
        const std::string dotted = replaceAll(name, "_", ".");
        U_ASSERT_MSG(nullptr != pdfCtrl->inst(), "ipxv inst is null");
        m_nIDS[size_t(index)] = pdfCtrl->inst()->nameToId(QString::fromStdString(dotted), true);
    }
}

int QCommandIDs::id(int index)
{
    // The condition's text is what the error reports, so it stays as written; index is checked
    // non-negative before the comparison with the unsigned size.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"
    U_ASSERT_MSG(index >= 0 && index < m_nIDS.size(), "IDS index error");
#pragma GCC diagnostic pop
    return m_nIDS[size_t(index)];
}
