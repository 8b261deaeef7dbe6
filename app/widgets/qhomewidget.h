#pragma once

#include <QWidget>

#include <memory>

class QFrame;
class QListWidgetItem;

namespace Ui {
class QHomeWidget;
}

// The start page shown while no document is active: the recent files on the left, the account
// name and the four task tiles on the right. It performs no task itself; it signals its owner.
class QHomeWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QHomeWidget(QWidget* parent);
    ~QHomeWidget() override;

    // Activates the page with the focus on its first stop (or its last, going backwards).
    void takeKeyboardFocus(bool first);

signals:
    void signal_new_blank_doc();
    void signal_open_doc();
    void signal_login();
    void signal_merge();
    void signal_pdf_convert();

public slots:
    void onBtnClear();
    void onBtnOpenFile();
    void onUserLogin(const QString& nickname);
    void onUserLogout();
    void onUserAvatar(const QPixmap& avatar);
    void onRemoveItem(QListWidgetItem* pItem);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum Tile { TileMerge, TileCreate, TileConvert, TileCompress, TileCount };

    void scaleFixedGeometry();
    void makeKeyboardReachable();
    void chainFocus();
    QFrame* tileFrame(Tile tile) const;
    void rebuildList();
    void addRecentRows();
    void addRow(const QString& path, const QString& name);
    void fireTile(Tile tile);
    void repaintUserLater();

    std::unique_ptr<Ui::QHomeWidget> ui;

    // A tile fires on a left release that follows a left press on it; a double click's second
    // press arrives as a double-click event and so does not re-arm the tile.
    static bool s_tilePressed[TileCount];
};
