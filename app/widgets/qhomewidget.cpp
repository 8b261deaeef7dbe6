#include "qhomewidget.h"

#include "ui_qhomewidget.h"

#include "historystore.h"
#include "logger.h"
#include "qitemfilewidget.h"
#include "qmsgbox.h"
#include "scale.h"
#include "uexception.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QShortcut>
#include <QTimer>

bool QHomeWidget::s_tilePressed[QHomeWidget::TileCount] = {};

QHomeWidget::QHomeWidget(QWidget* parent) : QWidget(parent), ui(new Ui::QHomeWidget)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    setStyleSheet(readStyleSheet(QStringLiteral(":/qss/home.css")));

    connect(ui->btnClear, SIGNAL(clicked()), this, SLOT(onBtnClear()));
    connect(ui->btnOpenFile, SIGNAL(clicked()), this, SLOT(onBtnOpenFile()));

    ui->frameUser->installEventFilter(this);
    for (int tile = 0; tile < TileCount; ++tile)
        tileFrame(Tile(tile))->installEventFilter(this);
    makeKeyboardReachable();

    ui->listWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->listWidget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    scaleFixedGeometry();
    // The two longer tile texts need a third line, and the badges grow with the display.
    ui->labelHomeText6->resize(scaled(145), scaled(61));
    ui->labelHomeText7->resize(scaled(145), scaled(61));
    ui->labelRecommand1->setGeometry(scaled(128), scaled(0), scaled(58), scaled(20));
    ui->labelRecommand2->setGeometry(scaled(128), scaled(0), scaled(58), scaled(20));

    // The avatar is kept current but not shown; the user area is not clickable.
    ui->labelAvatar->hide();
    ui->frameUser->setCursor(Qt::ArrowCursor);
    ui->labelAvatar->setCursor(Qt::ArrowCursor);
    ui->labelNickname->setCursor(Qt::ArrowCursor);

    if (parentWidget())
        connect(this, SIGNAL(signal_pdf_convert()), parentWidget(), SLOT(onPagemorphClicked()));
}

QHomeWidget::~QHomeWidget() = default;

QFrame* QHomeWidget::tileFrame(Tile tile) const
{
    QFrame* const frames[TileCount] = {ui->frameMerge, ui->frameCreate, ui->frameConvert, ui->frameCompress};
    return frames[tile];
}

void QHomeWidget::makeKeyboardReachable()
{
    // The tiles are frames: they take focus, and tell screen readers what they do, only when told.
    const QLabel* const titles[TileCount] = {ui->labelHomeTitle1, ui->labelHomeTitle2, ui->labelHomeTitle3,
                                             ui->labelHomeTitle4};
    const QLabel* const texts[TileCount] = {ui->labelHomeText4, ui->labelHomeText5, ui->labelHomeText6,
                                            ui->labelHomeText7};
    for (int tile = 0; tile < TileCount; ++tile) {
        QFrame* frame = tileFrame(Tile(tile));
        frame->setFocusPolicy(Qt::StrongFocus);
        frame->setAccessibleName(titles[tile]->text());
        frame->setAccessibleDescription(texts[tile]->text());
    }
    // Rows take focus one by one so that Tab walks them; the list itself would keep Tab.
    ui->listWidget->setFocusPolicy(Qt::NoFocus);
    // Outside a dialog a push button answers Enter only as an auto-default button.
    ui->btnClear->setAutoDefault(true);
    ui->btnOpenFile->setAutoDefault(true);
    // Once the page has the keyboard, the owner's shortcuts no longer reach it; the two that
    // belong here are its own.
    new QShortcut(QKeySequence::Open, this, this, [this] { emit signal_open_doc(); });
    new QShortcut(QKeySequence::New, this, this, [this] { emit signal_new_blank_doc(); });
}

void QHomeWidget::takeKeyboardFocus(bool first)
{
    activateWindow();
    QWidget* stop = first ? static_cast<QWidget*>(ui->btnClear) : tileFrame(Tile(TileCount - 1));
    stop->setFocus(first ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void QHomeWidget::chainFocus()
{
    QWidget* previous = ui->btnClear;
    for (int i = 0; i < ui->listWidget->count(); ++i) {
        // The row's frame takes its focus; tab order skips widgets that take none themselves.
        QWidget* row = ui->listWidget->itemWidget(ui->listWidget->item(i))->focusProxy();
        setTabOrder(previous, row);
        previous = row;
    }
    setTabOrder(previous, ui->btnOpenFile);
    previous = ui->btnOpenFile;
    for (int tile = 0; tile < TileCount; ++tile) {
        setTabOrder(previous, tileFrame(Tile(tile)));
        previous = tileFrame(Tile(tile));
    }
}

void QHomeWidget::scaleFixedGeometry()
{
    // The form is drawn for a factor of 1.0. On larger displays the style sheet's fonts grow, so
    // the fixed boxes around them must grow too, or titles and texts are cut off.
    if (scaled(100) == 100)
        return;
    for (QFrame* tile : {ui->frameMerge, ui->frameCreate, ui->frameConvert, ui->frameCompress}) {
        for (QLabel* label : tile->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
            const QRect r = label->geometry();
            label->setGeometry(scaled(r.x()), scaled(r.y()), scaled(r.width()), scaled(r.height()));
        }
    }
    ui->frameRight->setFixedWidth(scaled(ui->frameRight->maximumWidth()));
    ui->frameTitle->setFixedHeight(scaled(ui->frameTitle->maximumHeight()));
    ui->frameUser->setFixedHeight(scaled(ui->frameUser->maximumHeight()));
    for (QWidget* w : {static_cast<QWidget*>(ui->labelAvatar), static_cast<QWidget*>(ui->btnClear),
                       static_cast<QWidget*>(ui->btnOpenFile)})
        w->setFixedSize(scaled(w->maximumWidth()), scaled(w->maximumHeight()));
}

void QHomeWidget::showEvent(QShowEvent* event)
{
    rebuildList();
    QWidget::showEvent(event);
}

void QHomeWidget::rebuildList()
{
    ui->listWidget->clear();
    // Before anything was recorded there is nothing to list, and no database to create yet.
    if (HistoryStore::hasDatabase())
        addRecentRows();
    chainFocus();
}

void QHomeWidget::addRecentRows()
{
    // A damaged or unreachable history database must not take the program down: the page then
    // simply lists nothing, and the cause goes to the log.
    try {
        QTable records = HistoryStore::instance()->recent();
        for (size_t i = 0; i < records.size(); ++i) {
            QRow& record = records.row(i);
            addRow(QString::fromStdString(record[L"filePath"].asString()),
                   QString::fromStdString(record[L"fileName"].asString()));
        }
    } catch (const UException& e) {
        sth::logger::log(1, __FILE__, __LINE__, e.toString());
        ui->listWidget->clear();
    }
}

void QHomeWidget::addRow(const QString& path, const QString& name)
{
    auto* item = new QListWidgetItem();
    auto* row = new QItemFileWidget(item, nullptr);
    item->setSizeHint(row->size());
    connect(row, SIGNAL(signal_remove_item(QListWidgetItem*)), this, SLOT(onRemoveItem(QListWidgetItem*)));
    if (parentWidget())
        connect(row, SIGNAL(signal_open_file(const QString&)), parentWidget(), SLOT(onOpenFile(const QString&)));
    row->setFile(path, name);
    ui->listWidget->addItem(item);
    ui->listWidget->setItemWidget(item, row);
}

void QHomeWidget::onBtnClear()
{
    try {
        HistoryStore::instance()->clear();
        ui->listWidget->clear();
    } catch (const UException& e) {
        // The records are still there, so the list keeps showing them.
        sth::logger::log(1, __FILE__, __LINE__, e.toString());
        QMsgBox::showError(tr("无法清空最近编辑列表。"), 1);
    }
}

void QHomeWidget::onBtnOpenFile()
{
    emit signal_open_doc();
}

void QHomeWidget::onUserLogin(const QString& nickname)
{
    ui->labelNickname->setText(nickname);
    repaintUserLater();
}

void QHomeWidget::onUserLogout()
{
    QFile file(QStringLiteral(":/Images/user.avatar.png"));
    if (file.open(QIODevice::ReadOnly)) {
        QPixmap avatar;
        avatar.loadFromData(file.readAll());
        ui->labelAvatar->setPixmap(avatar);
        ui->labelAvatar->setScaledContents(true);
    }
    ui->labelNickname->setText(tr("点击登录"));
    repaintUserLater();
}

void QHomeWidget::onUserAvatar(const QPixmap& avatar)
{
    ui->labelAvatar->setPixmap(avatar);
    ui->labelAvatar->setScaledContents(true);
    repaintUserLater();
}

void QHomeWidget::onRemoveItem(QListWidgetItem* pItem)
{
    if (!pItem)
        return;
    const int row = ui->listWidget->row(pItem);
    if (row < 0)
        return;
    QWidget* rowWidget = ui->listWidget->itemWidget(pItem);
    const bool hadFocus = rowWidget && rowWidget->hasFocus();
    delete ui->listWidget->takeItem(row);
    // A row removed from the keyboard hands the focus to its neighbour, not to nowhere.
    if (hadFocus) {
        const int count = ui->listWidget->count();
        if (count > 0)
            ui->listWidget->itemWidget(ui->listWidget->item(qMin(row, count - 1)))->setFocus(Qt::TabFocusReason);
        else
            ui->btnOpenFile->setFocus(Qt::TabFocusReason);
    }
}

void QHomeWidget::repaintUserLater()
{
    QTimer::singleShot(50, this, [this] {
        ui->labelAvatar->update();
        ui->labelNickname->update();
    });
}

bool QHomeWidget::eventFilter(QObject* watched, QEvent* event)
{
    Tile tile = TileCount;
    for (int t = 0; t < TileCount; ++t) {
        if (watched == tileFrame(Tile(t)))
            tile = Tile(t);
    }
    if (tile != TileCount && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            fireTile(tile);
            return true;
        }
    }

    if (tile != TileCount && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (event->type() == QEvent::MouseButtonPress) {
            s_tilePressed[tile] = true;
        } else if (s_tilePressed[tile]) {
            fireTile(tile);
            s_tilePressed[tile] = false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QHomeWidget::fireTile(Tile tile)
{
    switch (tile) {
    case TileMerge:
        emit signal_merge();
        break;
    case TileCreate:
        emit signal_new_blank_doc();
        break;
    case TileConvert:
    case TileCompress:
        emit signal_pdf_convert();
        break;
    case TileCount:
        break;
    }
}
