#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QListWidgetItem;

namespace Ui {
class QItemFileWidget;
}

// One line of the home page's recent-file list: file icon, name and a remove button. Clicking
// the icon or the name opens the file; a file that has gone is reported and dropped.
class QItemFileWidget : public QWidget
{
    Q_OBJECT
public:
    QItemFileWidget(QListWidgetItem* item, QWidget* parent);
    ~QItemFileWidget() override;

    void setFile(const QString& path, const QString& name);

    QString path() const { return m_path; }
    QString name() const { return m_name; }

signals:
    void signal_remove_item(QListWidgetItem* item);
    void signal_open_file(const QString& path);

public slots:
    void onBtnRemove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openOrDrop();
    void dropRecord();

    std::unique_ptr<Ui::QItemFileWidget> ui;
    QString m_path;
    QString m_name;
    QListWidgetItem* m_item = nullptr;

    // Shared by all rows; the pointer grab delivers the release to the label that got the press.
    static bool s_pressed;
};
