#pragma once

#include "ui_qmainwidget.h"

#include "quserhelp.h"

#include <QEvent>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <memory>

class IDispatch;
class IPXV_Control;
class IUnknown;
class QFloatExWidget;
class QHomeWidget;
class QMenu;

// Posted to the main window and handled later from the event loop, never inside the editor's own
// call.
constexpr QEvent::Type WM_DOC_CHANGED = QEvent::Type(QEvent::User + 1);
constexpr QEvent::Type WM_NEW_BLANK_DOC = QEvent::Type(QEvent::User + 3);

// The program's one top-level window: a frameless frame with its own title bar around the editor
// component, the home page and the floating tool panel.
class QMainWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QMainWidget(QWidget* parent = nullptr);
    ~QMainWidget() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    QHomeWidget* homeWidget() const { return m_homeWidget.get(); }
    // Made on first need, at the latest when a document shows.
    QFloatExWidget* floatExWidget();
    QMenu* menu() const { return m_menu.get(); }
    IPXV_Control* control();

public slots:
    void onBtnLogin();
    void onBtnCustomer();
    void onBtnMenu();
    void onBtnMin();
    void onBtnMax();
    void onBtnClose();
    void onMenuHelp();
    void onMenuAbout();
    void onMenuUpdate();
    void onControlEvent(int nEventID, IDispatch* pEvent, IUnknown* pFrom);
    void onActiveDocChanged();
    void onUserLogin(const QString& name);
    void onUserLogout();
    void onUserAvatar(const QPixmap& avatar);
    void onOpenDoc();
    void onNewBlankDoc();
    void onMergePDF();
    void onOpenFile(const QString& filePath);
    // Offers to restore the documents a previous run left unsaved (the editor is made for it).
    void offerRecovery();
    void onPagemorphClicked();
    void onDraftmorphClicked();

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Makes the editor control, which the first paint does not need.
    void completeSetup();
    // Lets the services library hand the conversion tools' links to the editor's Convert.
    void installConvertHandler();
    void initControl();
    void setupControl();
    void createBlankDoc();
    void recordInHistory(const QString& path);
    // Reads the file and makes what showing it takes while the open waits.
    void prepareToShow(const QString& path);
    void updateDocViews();
    void initMenu();
    void initConnections();
    void nameTitleButtons();
    void updateTitleBar();
    void accountAreaEvent(QEvent* event);
    void placeFloatingWindows();
    void raiseFloatingWindows();
    void hitTest(const QPoint& globalPos);
    void dragStep(const QPoint& globalPos);

    Ui::QMainWidgetClass ui;
    QPoint m_dragPos;
    bool m_bPressed = false;
    int m_region = 0;
    IPXV_Control* m_pdfCtl = nullptr;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QHomeWidget> m_homeWidget;
    std::unique_ptr<QFloatExWidget> m_floatExWidget;
    bool m_homePainted = false;
    QString m_toPrepare; // a file to open whose reading waits for the first paint
    bool m_userPressed = false;
    QUserHelp m_userHelp;
};
