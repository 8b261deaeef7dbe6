#include "findbar.h"

#include "core/textsearch.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace pxv {

namespace {

QToolButton* makeButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& text,
                        const QString& toolTip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return button;
}

// A search option, shown as its name and lit while on.
QToolButton* makeToggle(QWidget* parent, const QString& name, const QString& text, const QString& toolTip)
{
    QToolButton* toggle = makeButton(parent, name, QIcon(), text, toolTip);
    toggle->setCheckable(true);
    toggle->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return toggle;
}

} // namespace

FindBar::FindBar(Document* document, std::function<int()> currentPage, QWidget* parent)
    : QFrame(parent), m_search(new TextSearch(document, this)), m_currentPage(std::move(currentPage))
{
    setObjectName(QStringLiteral("findBar"));
    setAttribute(Qt::WA_StyledBackground);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setStyleSheet(QStringLiteral("#findBar { background: palette(window); border-top: 1px solid palette(mid); }"
                                 "#findQuery[nothingFound=\"true\"] { background: #fde4e4; }"));

    m_query = new QLineEdit(this);
    m_query->setObjectName(QStringLiteral("findQuery"));
    m_query->setPlaceholderText(tr("Find in document"));
    m_query->setClearButtonEnabled(true);
    m_query->setMinimumWidth(220);
    m_query->setMaximumWidth(360);
    m_query->installEventFilter(this);

    const QStyle* s = style();
    m_previous = makeButton(this, QStringLiteral("findPrevious"),
                            QIcon::fromTheme(QStringLiteral("go-up"), s->standardIcon(QStyle::SP_ArrowUp)),
                            tr("&Previous"), tr("Previous match (Shift+Enter, Shift+F3)"));
    m_previous->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_next = makeButton(this, QStringLiteral("findNext"),
                        QIcon::fromTheme(QStringLiteral("go-down"), s->standardIcon(QStyle::SP_ArrowDown)), tr("&Next"),
                        tr("Next match (Enter, F3)"));
    m_next->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* close = makeButton(
        this, QStringLiteral("findClose"),
        QIcon::fromTheme(QStringLiteral("window-close"), s->standardIcon(QStyle::SP_DialogCloseButton)), tr("Close"),
        tr("Close the find bar (Escape)"));

    m_matchCase = makeToggle(this, QStringLiteral("findMatchCase"), tr("Match &case"),
                             tr("Find only the text as typed, capitals and all"));
    m_wholeWords = makeToggle(this, QStringLiteral("findWholeWords"), tr("&Whole words"),
                              tr("Find the text only where it stands as words of its own"));

    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("findCounter"));
    m_counter->setMinimumWidth(m_counter->fontMetrics().horizontalAdvance(tr("%1 of %2").arg(8888).arg(8888)));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 5, 6, 5);
    row->setSpacing(6);
    row->addWidget(m_query);
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addWidget(m_matchCase);
    row->addWidget(m_wholeWords);
    row->addSpacing(6);
    row->addWidget(m_counter);
    row->addStretch(1);
    row->addWidget(close);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::dismiss);
    connect(close, &QToolButton::clicked, this, &FindBar::dismiss);
    connect(m_previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_query, &QLineEdit::textEdited, this, &FindBar::onQueryEdited);
    for (QToolButton* toggle : {m_matchCase, m_wholeWords})
        connect(toggle, &QToolButton::toggled, this, [this] { onQueryEdited(m_query->text()); });
    connect(m_search, &TextSearch::hitsFound, this, &FindBar::onHitsFound);
    connect(m_search, &TextSearch::hitsCleared, this, &FindBar::onHitsCleared);
    connect(m_search, &TextSearch::hitsRemoved, this, &FindBar::onHitsRemoved);
    connect(m_search, &TextSearch::finished, this, &FindBar::refresh);
    refresh();
}

void FindBar::activate()
{
    show();
    m_query->setFocus(Qt::ShortcutFocusReason);
    m_query->selectAll();
    if (m_search->text() != m_query->text())
        onQueryEdited(m_query->text());
}

void FindBar::dismiss()
{
    m_search->clear();
    hide();
    refresh();
    emit signal_dismissed();
}

void FindBar::findNext()
{
    step(1);
}

void FindBar::findPrevious()
{
    step(-1);
}

void FindBar::step(int delta)
{
    if (isHidden() || m_search->text() != m_query->text()) {
        activate(); // F3 on a closed bar, or a query that is not being searched yet
        return;
    }
    const int count = m_search->hits().size();
    if (count == 0)
        return;
    setCurrent(m_current < 0 ? (delta > 0 ? 0 : count - 1) : (m_current + delta + count) % count);
}

void FindBar::setCurrent(int index)
{
    m_current = index;
    refresh();
    if (index >= 0)
        emit signal_showHit(m_search->hits().at(index));
}

QString FindBar::counterText() const
{
    if (m_search->text().isEmpty())
        return QString();
    const int count = m_search->hits().size();
    if (count > 0)
        return tr("%1 of %2").arg(m_current + 1).arg(count);
    return m_search->isFinished() ? tr("No matches") : tr("Searching…");
}

void FindBar::refresh()
{
    const int count = m_search->hits().size();
    m_counter->setText(counterText());
    m_previous->setEnabled(count > 0);
    m_next->setEnabled(count > 0);
    const bool nothing = m_search->isFinished() && count == 0;
    if (m_query->property("nothingFound").toBool() != nothing) {
        m_query->setProperty("nothingFound", nothing);
        m_query->style()->unpolish(m_query);
        m_query->style()->polish(m_query);
    }
    emit signal_hitsChanged(m_search->hits(), m_current);
}

void FindBar::onQueryEdited(const QString& text)
{
    m_search->start(text, m_currentPage ? m_currentPage() : 0,
                    SearchOptions{m_matchCase->isChecked(), m_wholeWords->isChecked()});
    refresh();
}

void FindBar::onHitsFound(int first, int count)
{
    // The first hits found are the reader's next ones: the search begins at the current page.
    if (m_current < 0) {
        setCurrent(first);
        return;
    }
    if (first <= m_current)
        m_current += count;
    refresh();
}

void FindBar::onHitsRemoved(int first, int count)
{
    if (m_current >= first + count)
        m_current -= count;
    else if (m_current >= first)
        m_current = m_search->hits().isEmpty() ? -1 : std::min(first, int(m_search->hits().size()) - 1);
    refresh();
}

void FindBar::onHitsCleared()
{
    m_current = -1;
    refresh();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_query && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                findPrevious();
            else
                findNext();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace pxv
