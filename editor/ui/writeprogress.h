#pragma once

#include "ui/layer.h"

#include <QElapsedTimer>
#include <QProgressDialog>

class QProgressBar;

namespace pxv {

// Files written one after another on the GUI thread: between files the window keeps painting,
// and once the work has taken over a second a progress dialog offers Cancel. Called as a
// SplitProgress.
class WriteProgress
{
public:
    WriteProgress(QWidget* parent, const QString& title);

    // False once the user cancelled.
    bool operator()(int index, int count, const QString& path);

private:
    QProgressDialog m_dialog;
    QProgressBar* m_bar;
    QElapsedTimer m_clock;
};

} // namespace pxv
