#include "crashhandler.h"
#include "cwinapp.h"
#include "perf.h"
#include "pxveditor.h"

int main(int argc, char** argv)
{
    installCrashHandler();
    msSinceProcessStart();
    registerPXVEditor();
    CWinApp app(argc, argv);
    return app.run();
}
