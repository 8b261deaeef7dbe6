#pragma once

#include <QDialog>

// Product title, version, build date, the versions of the libraries inside, and the licence.
class QAboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QAboutDialog(QWidget* parent);

    // The lines shown under the title, one per fact; kept apart so they can be checked.
    static QStringList facts();
};
