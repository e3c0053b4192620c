#include "cli/CliCommands.h"
#include "io/NativeFileName.h"

#include <QCoreApplication>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    QCoreApplication app(argc, argv);
    // From argv's bytes: a file name that is not UTF-8 must reach the file as it was typed.
    QStringList arguments = tarvex::NativeFileName::Arguments(argc, argv);
    arguments.removeFirst();
    return tarvex::CliCommands::Execute(arguments, stdout, stderr);
}
