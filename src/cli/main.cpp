#include "cli/CliCommands.h"
#include "io/NativeFileName.h"

#include <QCoreApplication>

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#endif

namespace {

#ifndef _WIN32
// A standard stream closed by the caller ("tarvex-cli … >&-") would otherwise be the next
// file Qt opens, and the output would go to that file or fail with a cause of its own. A
// read-only /dev/null holds its place: writing to it fails with EBADF, which is reported as
// "标准输出已关闭".
void HoldClosedStreams() {
    for (const int fd : {0, 1, 2}) {
        if (::fcntl(fd, F_GETFD) == -1) {
            ::open("/dev/null", fd == 2 ? O_WRONLY : O_RDONLY);
        }
    }
}
#endif

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
    // Binary streams: "\n" stays "\n", so what is printed or redirected to a file is byte for
    // byte what the Linux build prints.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#else
    HoldClosedStreams();
    // A reader that went away ("| head") is told on stderr with its own exit status, not a
    // silent death by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    // From argv's bytes: a file name that is not UTF-8 must reach the file as it was typed.
    QStringList arguments = tarvex::NativeFileName::Arguments(argc, argv);
    arguments.removeFirst();
    return tarvex::CliCommands::Execute(arguments, stdout, stderr);
}
