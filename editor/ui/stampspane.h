#pragma once

#include "ui/layer.h"

#include <QListWidget>

namespace pxv {

class PageView;

// The stamps a click can place ("stampsView"): the standard ones, which every reader draws from
// their names, and a picture of the user's. Choosing one arms the pages' stamp tool with it.
class StampsPane : public QListWidget
{
    Q_OBJECT
public:
    StampsPane(PageView* pages, QWidget* parent = nullptr);

    // Arms the stamp tool with the entry in row; the picture entry asks for its file first.
    // A standard entry holds its /Name in Qt::UserRole.
    void choose(int row);

signals:
    // The picture entry was chosen: its file is asked for by whoever holds the dialogs.
    void imageStampWanted();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    PageView* m_pages;
};

} // namespace pxv
