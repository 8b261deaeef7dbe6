#pragma once

#include "ui_qmainwidget.h"

#include "quserhelp.h"

#include <QPixmap>
#include <QPoint>
#include <QWidget>

#include <memory>

class IDispatch;
class IPXV_Control;
class IUnknown;
class QMenu;

// The program's one top-level window: a frameless frame with its own title bar around the editor
// component.
class QMainWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QMainWidget(QWidget* parent = nullptr);
    ~QMainWidget() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void onBtnMin();
    void onBtnMax();
    void onBtnClose();
    void onOpenFile(const QString& filePath);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeFloatingWindows();
    void hitTest(const QPoint& globalPos);
    void dragStep(const QPoint& globalPos);

    Ui::QMainWidgetClass ui;
    QPoint m_dragPos;
    bool m_bPressed = false;
    int m_region = 0;
    IPXV_Control* m_pdfCtl = nullptr;
    QUserHelp m_userHelp;
};
