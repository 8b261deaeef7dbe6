#include "crashhandler.h"
#include "cwinapp.h"
#include "perf.h"

int main(int argc, char** argv)
{
    installCrashHandler();
    msSinceProcessStart();

    CWinApp app(argc, argv);
    return app.run();
}
