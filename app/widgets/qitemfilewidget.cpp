#include "qitemfilewidget.h"

#include "ui_qitemfilewidget.h"

#include "historystore.h"
#include "logger.h"
#include "qmsgbox.h"
#include "scale.h"
#include "uexception.h"

#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

bool QItemFileWidget::s_pressed = false;

QItemFileWidget::QItemFileWidget(QListWidgetItem* item, QWidget* parent)
    : QWidget(parent), ui(new Ui::QItemFileWidget), m_item(item)
{
    ui->setupUi(this);
    // The row's font grows with the display, so the row and its artwork do too (nothing changes
    // at a factor of 1.0).
    resize(scaled(width()), scaled(height()));
    for (QWidget* w : {static_cast<QWidget*>(ui->labelItemIco), static_cast<QWidget*>(ui->btnRemove)})
        w->setFixedSize(scaled(w->maximumWidth()), scaled(w->maximumHeight()));
    setStyleSheet(readStyleSheet(QStringLiteral(":/qss/item.css")));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    connect(ui->btnRemove, SIGNAL(clicked()), this, SLOT(onBtnRemove()));
    ui->labelItemName->installEventFilter(this);
    ui->labelItemIco->installEventFilter(this);
    // From the keyboard a row is one stop: Enter opens it, Delete removes it.
    ui->frameMain->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(ui->frameMain);
    ui->frameMain->installEventFilter(this);
    ui->btnRemove->setFocusPolicy(Qt::NoFocus);
    ui->btnRemove->setAccessibleName(ui->btnRemove->toolTip());
}

QItemFileWidget::~QItemFileWidget() = default;

void QItemFileWidget::setFile(const QString& path, const QString& name)
{
    m_name = name;
    m_path = path;
    ui->labelItemName->setText(name);
    ui->frameMain->setAccessibleName(name);
    ui->frameMain->setAccessibleDescription(path);

    // Called before the row is laid out, so these are the form's sizes.
    const int available = width() - ui->labelItemIco->width() - ui->btnRemove->width() - scaled(46);
    const QFontMetrics metrics = ui->labelItemName->fontMetrics();
    if (metrics.horizontalAdvance(name) <= available)
        return;
    ui->labelItemName->setText(metrics.elidedText(name, Qt::ElideRight, available));
    ui->labelItemName->setToolTip(name);
}

void QItemFileWidget::onBtnRemove()
{
    dropRecord();
}

bool QItemFileWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->frameMain && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            openOrDrop();
            return true;
        case Qt::Key_Delete:
            dropRecord();
            return true;
        default:
            break;
        }
    }
    if ((watched == ui->labelItemName || watched == ui->labelItemIco)
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (event->type() == QEvent::MouseButtonPress) {
            s_pressed = true;
        } else if (s_pressed) {
            s_pressed = false;
            openOrDrop();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QItemFileWidget::openOrDrop()
{
    if (QFile::exists(m_path)) {
        emit signal_open_file(m_path);
        return;
    }
    QMsgBox::showWarning(tr("文件不存在！"), 1);
    dropRecord();
}

void QItemFileWidget::dropRecord()
{
    // An unavailable store only means the record comes back on the next showing; the line
    // still leaves the list, as it does when remove() itself fails.
    try {
        HistoryStore::instance()->remove(m_path.toStdWString());
    } catch (const UException& e) {
        sth::logger::log(1, __FILE__, __LINE__, e.toString());
    }
    emit signal_remove_item(m_item);
}
