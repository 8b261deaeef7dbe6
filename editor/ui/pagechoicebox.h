#pragma once

#include "ui/layer.h"

#include <QGroupBox>
#include <QVector>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace pxv {

// Which pages a page dialog works on: the current page, the pages selected in the thumbnails,
// all, odd or even pages, or a range typed in.
class PageChoiceBox : public QGroupBox
{
    Q_OBJECT
public:
    // What is chosen at first when the thumbnails do not select several pages.
    enum class Initially { CurrentPage, AllPages };

    // currentPage and selected are 0-based; the selection is offered when there is one.
    PageChoiceBox(int pageCount, int currentPage, const QVector<int>& selected, Initially initially,
                  QWidget* parent = nullptr);

    // The range text of the choice, as operations take it.
    QString range() const;
    // Empty when the choice names pages of the document, else why not.
    QString problem() const;

signals:
    void changed();

private:
    void update();

    int m_pageCount;
    int m_currentPage;
    QVector<int> m_selected;
    QRadioButton* m_current;
    QRadioButton* m_selection;
    QRadioButton* m_all;
    QRadioButton* m_odd;
    QRadioButton* m_even;
    QRadioButton* m_typed;
    QLineEdit* m_rangeEdit;
    QLabel* m_problem;
};

} // namespace pxv
