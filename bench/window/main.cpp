// A frameless, empty window of the main window's size, timed to its first paint exactly as the
// application times its home page (QT_LOGGING_RULES="vellumpad.perf=true").
#include "perf.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.resize(1080, 720);
    window.show();
    perfMilestoneOnFirstPaint(&window, "window painted");
    return app.exec();
}
