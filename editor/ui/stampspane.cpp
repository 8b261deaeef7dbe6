#include "stampspane.h"

#include "annotationdraft.h"
#include "pageview.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace pxv {

namespace {

constexpr int kNameRole = Qt::UserRole;

struct StandardStamp
{
    const char* name;
    const char* label;
};

// The names MuPDF draws an appearance for.
const QList<StandardStamp>& standardStamps()
{
    static const QList<StandardStamp> stamps{
        {"Approved", QT_TRANSLATE_NOOP("pxv::StampsPane", "Approved")},
        {"Experimental", QT_TRANSLATE_NOOP("pxv::StampsPane", "Experimental")},
        {"NotApproved", QT_TRANSLATE_NOOP("pxv::StampsPane", "Not Approved")},
        {"AsIs", QT_TRANSLATE_NOOP("pxv::StampsPane", "As Is")},
        {"Expired", QT_TRANSLATE_NOOP("pxv::StampsPane", "Expired")},
        {"NotForPublicRelease", QT_TRANSLATE_NOOP("pxv::StampsPane", "Not for Public Release")},
        {"Confidential", QT_TRANSLATE_NOOP("pxv::StampsPane", "Confidential")},
        {"Final", QT_TRANSLATE_NOOP("pxv::StampsPane", "Final")},
        {"Sold", QT_TRANSLATE_NOOP("pxv::StampsPane", "Sold")},
        {"Departmental", QT_TRANSLATE_NOOP("pxv::StampsPane", "Departmental")},
        {"ForComment", QT_TRANSLATE_NOOP("pxv::StampsPane", "For Comment")},
        {"TopSecret", QT_TRANSLATE_NOOP("pxv::StampsPane", "Top Secret")},
        {"Draft", QT_TRANSLATE_NOOP("pxv::StampsPane", "Draft")},
        {"ForPublicRelease", QT_TRANSLATE_NOOP("pxv::StampsPane", "For Public Release")},
    };
    return stamps;
}

// The red in which MuPDF draws every standard stamp, so that the pane shows what the page will.
const QColor kStampRed(0xc0, 0x1c, 0x1c);

// Each standard stamp as a small stamp of its own: its label in capitals in a red rounded frame,
// which is quicker to take in than a plain list and needs no page drawn.
class StampDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.data(kNameRole).toString().isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, option.widget);
        const QRectF frame = QRectF(option.rect).adjusted(8, 4, -8, -4);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(kStampRed, 2));
        painter->setBrush(Qt::white);
        painter->drawRoundedRect(frame, 4, 4);
        // A long name shrinks to fit a narrow pane rather than losing its ends.
        const QString label = index.data().toString().toUpper();
        QFont font = option.font;
        font.setBold(true);
        const double room = frame.width() - 8;
        const int wide = QFontMetrics(font).horizontalAdvance(label);
        if (wide > room)
            font.setPointSizeF(std::max(5.0, font.pointSizeF() * room / wide));
        painter->setFont(font);
        painter->drawText(frame, Qt::AlignCenter, label);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return QSize(size.width() + 24, size.height() + 16);
    }
};

} // namespace

StampsPane::StampsPane(PageView* pages, QWidget* parent) : QListWidget(parent), m_pages(pages)
{
    setObjectName(QStringLiteral("stampsView"));
    setItemDelegate(new StampDelegate(this));
    for (const StandardStamp& stamp : standardStamps()) {
        auto* item = new QListWidgetItem(tr(stamp.label), this);
        item->setData(kNameRole, QString::fromLatin1(stamp.name));
        item->setToolTip(tr("Click, then click the page to place it"));
    }
    auto* image = new QListWidgetItem(tr("Image Stamp…"), this);
    image->setToolTip(tr("A PNG or JPEG picture of your own"));
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { choose(row(item)); });
}

void StampsPane::choose(int row)
{
    const QListWidgetItem* chosen = item(row);
    if (!chosen)
        return;
    const QString name = chosen->data(kNameRole).toString();
    if (name.isEmpty()) {
        emit imageStampWanted();
        return;
    }
    m_pages->setTool(CommentTool::Stamp);
    m_pages->setStampImage(QString());
    m_pages->setStampName(name);
    m_pages->setFocus();
}

void StampsPane::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        choose(currentRow());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace pxv
