#include "crashhandler.h"
#include "cwinapp.h"
#include "perf.h"
#include "pxveditor.h"
#include "qtcompat.h"

int main(int argc, char** argv)
{
    installCrashHandler();
    msSinceProcessStart();
    registerPXVEditor();
    // High-DPI screens scale the whole interface evenly; fractional factors such as 1.5 stay exact.
    qtcompat::enableHighDpi();
    // Nothing here draws with OpenGL. Without this, the first window asks the X server for an
    // OpenGL-capable visual, which loads the GL driver (on software rendering a compiler of some
    // 40 MB) into every run.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    CWinApp app(argc, argv);
    return app.run();
}
