#include "crashhandler.h"
#include "cwinapp.h"
#include "perf.h"
#include "pxveditor.h"

int main(int argc, char** argv)
{
    installCrashHandler();
    msSinceProcessStart();
    registerPXVEditor();
    // High-DPI screens scale the whole interface evenly; fractional factors such as 1.5 stay exact.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    CWinApp app(argc, argv);
    return app.run();
}
