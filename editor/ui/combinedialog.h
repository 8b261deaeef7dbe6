#pragma once

#include "ui/layer.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
class QDialogButtonBox;

namespace pxv {

// Chooses the files to combine and their order.
class CombineDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CombineDialog(QWidget* parent = nullptr);

    QStringList files() const;
    void addFiles(const QStringList& files);

private slots:
    void onAdd();
    void onRemove();
    void onMoveUp();
    void onMoveDown();
    void onSelectionChanged();

private:
    void move(int delta);

    QListWidget* m_list;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
    QDialogButtonBox* m_buttons;
    QString m_lastDir;
};

} // namespace pxv
