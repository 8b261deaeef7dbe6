// A process that installs the crash handler and then crashes the way its argument asks:
//   fault    writes to a page mapped without access (a real SIGSEGV, not undefined behaviour)
//   abort    calls abort()
//   chained  as "fault", with a SIGSEGV handler installed before the crash handler; that handler
//            says so on stderr and exits with status 3
#include "crashhandler.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {

void onSegvBeforeCrashHandler(int)
{
    static const char kText[] = "earlier handler reached\n";
    (void)!write(STDERR_FILENO, kText, sizeof kText - 1);
    _exit(3);
}

void writeToNoAccessPage()
{
    void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED)
        _exit(2);
    *static_cast<volatile int*>(page) = 1;
}

} // namespace

int main(int argc, char** argv)
{
    const char* how = argc > 1 ? argv[1] : "";
    if (strcmp(how, "chained") == 0)
        signal(SIGSEGV, onSegvBeforeCrashHandler);
    installCrashHandler();
    if (strcmp(how, "abort") == 0)
        abort();
    writeToNoAccessPage();
    return 1;
}
