#pragma once

#include "ui/layer.h"

#include "core/document.h"
#include "ipxv.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QVariantMap>
#include <QVector>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QFrame;
class QMenuBar;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class CPXVDocument;
class CPXVInst;

namespace pxv {
class ActionSet;
class CommentStyles;
class CommentStylesPane;
class Document;
class DialogProvider;
class DocumentView;
class PageBox;
class PreparedOpen;
struct PageDialogContext;
class ThumbnailPane;
struct ConvertPreset;
class ZoomBox;
} // namespace pxv

// The editor control: toolbar, menus, document tabs and the page views, behind IPXV_Control.
class CPXVControl : public QWidget, public IPXV_Control
{
    Q_OBJECT
public:
    explicit CPXVControl(QWidget* parent = nullptr);
    ~CPXVControl() override;

    // IPXV_Control
    IPXV_Inst* inst() override;
    void enableEvent(int eventId, bool enable) override;
    void advise(EventHandler handler) override;
    QString activeDocPath() const override;
    void openPath(const QString& path, int flags = 0) override;
    void prepareOpen(const QString& path) override;
    bool queryClose() override;
    void showDocument(std::shared_ptr<IPXV_Document> document, int flags = 0) override;
    int setBorderStyle(int style) override;
    void setPlaceKeeper(std::shared_ptr<IPXV_PlaceKeeper> keeper) override;

    // Replaces the dialogs the component shows (tests answer them without a user).
    void setDialogProvider(std::unique_ptr<pxv::DialogProvider> provider);
    pxv::DialogProvider& dialogs() const { return *m_dialogs; }
    // Offers to restore the documents whose records a program that ended left behind.
    void offerRecovery();
    // Opens the view's file again in its place, at the page it shows; asks first when the
    // document has unsaved changes.
    void reloadDocument(pxv::DocumentView* view);

    // Runs one of the component's commands; interactive failures are shown, not thrown.
    void runCommand(const QString& name);

    void setNoValueText(const QString& text);
    void setStartPageVisible(bool visible);
    void applyPaneLimits();
    void applySettings();

    int documentCount() const;
    pxv::DocumentView* activeView() const;
    std::shared_ptr<CPXVDocument> activeDocument() const;
    // Saves document atomically to path and updates its tab; throws PXV_Error (FileError).
    void saveTo(CPXVDocument& document, const QString& path);
    pxv::ActionSet* actions() const { return m_actions; }
    // The look each kind of new comment gets, as the settings hold it.
    pxv::CommentStyles commentStyles() const;

protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void onCurrentTabChanged();
    void onTabCloseRequested(int index);
    void onActionTriggered(const QString& name);

private:
    // A command of the component's user interface: most act on the active document and do
    // nothing without one.
    struct Command
    {
        bool needsDocument;
        std::function<void(pxv::DocumentView*)> run;
    };
    void registerCommands();
    // The Comment menu's tools and pane, and what a document view's pages tell of them.
    void registerCommentCommands();
    void connectCommentCommands(pxv::DocumentView* view);
    void updateCommentActions();
    // Cut, Copy, Paste and Delete as the active pages' selection and the clipboard allow.
    void updateClipboardActions();
    // The Comment toolbar: the menu's tools, shown as the settings say.
    void buildCommentBar();
    void registerPaneCommands();
    void connectPaneCommands(pxv::DocumentView* view);
    void updatePaneActions();
    // The Comment Styles pane serves every document: it lies beside the tabs.
    QWidget* buildCommentStylesPane();
    // Gives the pages of every view and the pane the looks the settings hold.
    void applyCommentStyles();
    // The Form menu: Reset Form, the fields' tint and the signatures pane; form scripts as the
    // settings say.
    void registerFormCommands();
    void applyFormSettings(pxv::DocumentView* view);
    void updateFormActions();
    void buildMenus();
    void buildToolBar();
    QWidget* buildStartPage();
    void updateActions();
    void updateNavigation();
    void updateHistoryActions();
    void connectActiveView();
    void updateTabTitle(pxv::DocumentView* view);
    void fire(const QString& eventName, IUnknown* from = nullptr);
    void notifyActiveDocChanged(bool evenIfSame);

    // Document lifecycle.
    std::shared_ptr<CPXVDocument> openDocument(const QString& cleanPath);
    // Both return the view shown, or null when the user kept the document it was to replace.
    pxv::DocumentView* addDocument(const std::shared_ptr<CPXVDocument>& document, const QElapsedTimer* openTimer);
    pxv::DocumentView* placeView(pxv::DocumentView* view, const QElapsedTimer* openTimer);
    // Shows document in old's place among the tabs, and closes old without asking.
    pxv::DocumentView* replaceView(pxv::DocumentView* old, const std::shared_ptr<CPXVDocument>& document);
    // A document's view with its commands connected, not yet in a tab.
    pxv::DocumentView* makeView(const std::shared_ptr<CPXVDocument>& document, QWidget* parent);
    pxv::DocumentView* findView(const QString& cleanPath) const;
    pxv::DocumentView* viewAt(int index) const;
    pxv::DocumentView* viewOf(const CPXVDocument& document) const;
    bool saveDocument(pxv::DocumentView* view, bool saveAs);
    bool closeDocument(pxv::DocumentView* view);
    bool confirmDiscard(pxv::DocumentView* view);
    // Where files were left: shown when a file opens, told to the keeper when its tab goes.
    void showWhereLeft(pxv::DocumentView* view);
    void rememberPlace(pxv::DocumentView* view);

    // Interactive commands.
    void commandOpen();
    void commandCombine();
    void commandNewBlank();
    void commandNextDocument(int step);

    // Page commands.
    // The thumbnails' selection when that pane shows one, else the current page.
    QVector<int> chosenPages(pxv::DocumentView* view) const;
    // Runs a page operation on the view's document; failures are shown. False when it failed.
    bool runPageOperation(pxv::DocumentView* view, const QString& name, const QVariantMap& parameters,
                          const pxv::SplitProgress& progress = {});
    void connectPageCommands(pxv::DocumentView* view);
    void connectThumbnails(pxv::DocumentView* view, pxv::ThumbnailPane* pane);
    // Rotates the chosen pages by degrees clockwise.
    void rotatePages(pxv::DocumentView* view, int degrees);
    void insertBlankPage(pxv::DocumentView* view);
    void insertPagesFromFile(pxv::DocumentView* view);
    void insertFiles(pxv::DocumentView* view, const QStringList& files, int position);
    void deletePages(pxv::DocumentView* view, const QVector<int>& pages);
    // Copies pages of source, when it is open here, before the 0-based position.
    void copyPages(pxv::DocumentView* view, const pxv::Document* source, const QVector<int>& pages, int position);
    void extractPages(pxv::DocumentView* view);
    void splitDocument(pxv::DocumentView* view);
    // Asks for margins or a new size and the pages, then crops or resizes them.
    void cropPages(pxv::DocumentView* view);
    void resizePages(pxv::DocumentView* view);
    pxv::PageDialogContext pageDialogContext(pxv::DocumentView* view) const;

    // Output commands. Convert asks for a document first when none is open.
    void convertDocument(const pxv::ConvertPreset& preset);
    void compressDocument(pxv::DocumentView* view);
    void printDocument(pxv::DocumentView* view);
    // Document tools: asks for a watermark or a header and footer and stamps it; takes every
    // stamp of the kind off the document.
    void registerToolCommands();
    void stampPages(pxv::DocumentView* view, pxv::StampKind kind);
    void removeStamps(pxv::DocumentView* view, pxv::StampKind kind);
    void editProperties(pxv::DocumentView* view);
    void editSecurity(pxv::DocumentView* view);
    // Comments and form fields exchanged as XFDF through a file chosen by the user.
    void registerXfdfCommands();
    void exportCommentsAndFields(pxv::DocumentView* view);
    void importCommentsAndFields(pxv::DocumentView* view);
    void stepHistory(pxv::DocumentView* view, int steps);
    // Opens each file, showing failures instead of throwing them.
    void openInteractively(const QStringList& files);
    void showDocumentFromOperation(const QString& operationName, const QVariantMap& parameters = {},
                                   const pxv::SplitProgress& progress = {});

    QHash<QString, Command> m_commands;
    std::unique_ptr<pxv::DialogProvider> m_dialogs;
    pxv::ActionSet* m_actions;
    std::unique_ptr<CPXVInst> m_inst;
    QMenuBar* m_menuBar = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_commentBar = nullptr;
    pxv::PageBox* m_pageBox = nullptr;
    pxv::ZoomBox* m_zoomBox = nullptr;
    QFrame* m_separator = nullptr;
    QFrame* m_contentFrame = nullptr;
    QStackedWidget* m_stack = nullptr;
    QWidget* m_emptyArea = nullptr;
    QWidget* m_startPage = nullptr;
    QTabWidget* m_tabs = nullptr;
    pxv::CommentStylesPane* m_stylesPane = nullptr;
    bool m_startPageVisible = true;

    EventHandler m_handler;
    QSet<int> m_enabledEvents;
    std::weak_ptr<CPXVDocument> m_lastActive;
    bool m_hadActive = false;
    std::vector<QMetaObject::Connection> m_viewConnections;
    std::shared_ptr<IPXV_PlaceKeeper> m_placeKeeper;
    std::unique_ptr<pxv::PreparedOpen> m_prepared;
    std::unique_ptr<pxv::DocumentView> m_preparedView; // off screen until its file is opened
};
