#pragma once

#include <QWidget>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QPropertyAnimation;
class QPushButton;

namespace Ui {
class QFloatExWidget;
}

// The conversion shortcuts that float beside an open document. Folded it shows the Word icon;
// hovering that icon unfolds five rows, hovering a row's icon slides its button out, and the
// panel folds again once the pointer has left it. Clicks go to the parent's converter slots.
class QFloatExWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QFloatExWidget(QWidget* parent);
    ~QFloatExWidget() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    static constexpr int RowCount = 5;

    void initialize();
    void unfold();
    void fold();
    void showRow(int row);
    void updateMask();

    QFrame* frame(int row) const;
    QLabel* label(int row) const;
    QPushButton* button(int row) const;

    std::unique_ptr<Ui::QFloatExWidget> ui;
    std::array<std::unique_ptr<QPropertyAnimation>, RowCount> m_animations;
    int m_timerId = -1;
};
