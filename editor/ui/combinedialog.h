#pragma once

#include "ui/layer.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QListWidget;
class QPushButton;
class QDialogButtonBox;

namespace pxv {

// Chooses the files to combine and their order: PDF documents, or images that become one page
// each.
class CombineDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Kind { Documents, Images };

    explicit CombineDialog(QWidget* parent = nullptr, Kind kind = Kind::Documents);

    QStringList files() const;
    void addFiles(const QStringList& files);
    // For images: the paper each is fitted to ("A4", "Letter"), empty for the image's own size.
    QString paperSize() const;

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
    QComboBox* m_paper = nullptr;
    Kind m_kind;
    QString m_lastDir;
};

} // namespace pxv
