#pragma once

#include "ui/layer.h"

#include <QComboBox>
#include <QWidget>

class QLabel;
class QLineEdit;
class QValidator;

namespace pxv {

// "n / N": shows the current page and jumps to the page typed in.
class PageBox : public QWidget
{
    Q_OBJECT
public:
    explicit PageBox(QWidget* parent = nullptr);

    // page is 0-based; a count of 0 shows the no-value text.
    void setPage(int page, int count);
    void setNoValueText(const QString& text);
    QString text() const;

signals:
    void signal_pageRequested(int page);

private slots:
    void onEditingFinished();

private:
    void refresh();

    QLineEdit* m_edit;
    QLabel* m_total;
    QValidator* m_validator;
    QString m_noValueText = QStringLiteral("-");
    int m_page = 0;
    int m_count = 0;
};

// An editable zoom selector: fit width, fit page, and percentages.
class ZoomBox : public QComboBox
{
    Q_OBJECT
public:
    enum class Fit { None, Width, Page };

    explicit ZoomBox(QWidget* parent = nullptr);

    void setZoom(Fit fit, double zoom);

signals:
    void signal_fitRequested(pxv::ZoomBox::Fit fit);
    void signal_zoomRequested(double zoom);

private slots:
    void onActivated(int index);
    void onTextEntered();

private:
    bool m_updating = false;
    Fit m_fit = Fit::Width;
    double m_zoom = 1.0;
};

} // namespace pxv
