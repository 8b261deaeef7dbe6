#include "pagechoicebox.h"

#include "core/pagerange.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace pxv {

PageChoiceBox::PageChoiceBox(int pageCount, int currentPage, const QVector<int>& selected, Initially initially,
                             QWidget* parent)
    : QGroupBox(tr("Pages"), parent), m_pageCount(pageCount), m_currentPage(currentPage), m_selected(selected)
{
    m_current = new QRadioButton(tr("&Current page (%1)").arg(currentPage + 1), this);
    m_selection = new QRadioButton(tr("&Selected pages (%1)").arg(PageRange::text(selected)), this);
    m_all = new QRadioButton(tr("&All pages"), this);
    m_odd = new QRadioButton(tr("&Odd pages"), this);
    m_even = new QRadioButton(tr("&Even pages"), this);
    m_typed = new QRadioButton(tr("Pa&ges:"), this);
    m_rangeEdit = new QLineEdit(this);
    m_rangeEdit->setPlaceholderText(tr("e.g. 1-3, 7, 10-"));
    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00020"));

    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {m_current, m_selection, m_all, m_odd, m_even, m_typed})
        group->addButton(button);
    m_selection->setVisible(!selected.isEmpty());
    // One selected page is just where the thumbnails are; several are a choice the user made.
    if (selected.size() > 1 || (!selected.isEmpty() && initially == Initially::CurrentPage))
        m_selection->setChecked(true);
    else
        (initially == Initially::AllPages ? m_all : m_current)->setChecked(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_current, 0, 0);
    layout->addWidget(m_selection, 1, 0, 1, 2);
    layout->addWidget(m_all, 2, 0);
    layout->addWidget(m_odd, 3, 0);
    layout->addWidget(m_even, 3, 1);
    layout->addWidget(m_typed, 4, 0);
    layout->addWidget(m_rangeEdit, 4, 1);
    layout->addWidget(m_problem, 5, 0, 1, 2);

    connect(group, QOverload<QAbstractButton*>::of(&QButtonGroup::buttonClicked), this, &PageChoiceBox::update);
    connect(m_rangeEdit, &QLineEdit::textEdited, this, [this] {
        m_typed->setChecked(true);
        update();
    });
    update();
}

QString PageChoiceBox::range() const
{
    if (m_selection->isChecked())
        return PageRange::text(m_selected);
    if (m_all->isChecked())
        return QStringLiteral("all");
    if (m_odd->isChecked())
        return QStringLiteral("odd");
    if (m_even->isChecked())
        return QStringLiteral("even");
    if (m_typed->isChecked())
        return m_rangeEdit->text();
    return PageRange::text({m_currentPage});
}

QString PageChoiceBox::problem() const
{
    if (m_typed->isChecked() && m_rangeEdit->text().trimmed().isEmpty())
        return tr("Type the pages to work on.");
    try {
        PageRange::parse(range(), m_pageCount);
    } catch (const PageRangeError& error) {
        return error.message();
    }
    return QString();
}

void PageChoiceBox::update()
{
    m_problem->setText(problem());
    m_problem->setVisible(!m_problem->text().isEmpty());
    emit changed();
}

} // namespace pxv
