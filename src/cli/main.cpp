#include "cli/CliAnalyze.h"
#include "cli/CliAnalyzeArguments.h"
#include "cli/CliArguments.h"
#include "cli/CliBacktest.h"
#include "cli/CliDan.h"
#include "cli/CliRun.h"

#include <QCoreApplication>

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace tarvex;

int main(int argc, char** argv) {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (!arguments.isEmpty() && arguments.front() == QLatin1String("backtest")) {
        return CliBacktest(arguments.mid(1), stdout, stderr).Execute();
    }
    if (!arguments.isEmpty() && arguments.front() == QLatin1String("analyze")) {
        const CliAnalyzeArguments::Parsed analyze = CliAnalyzeArguments::Parse(arguments.mid(1));
        if (analyze.help || !analyze.error.isEmpty()) {
            if (!analyze.error.isEmpty()) {
                std::fprintf(stderr, "tarvex-cli: %s\n", analyze.error.toUtf8().constData());
            }
            std::fputs(CliAnalyze::Usage().toUtf8().constData(), analyze.help ? stdout : stderr);
            return analyze.help ? kExitDone : kExitBadInput;
        }
        return CliAnalyze(analyze.options, stdout, stderr).Execute();
    }
    const CliArguments::Parsed parsed = CliArguments::Parse(arguments);
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "tarvex-cli: %s\n%s", parsed.error.toUtf8().constData(),
                     CliArguments::Usage().toUtf8().constData());
        return kExitBadInput;
    }
    switch (parsed.options.command) {
    case CliCommand::Run:
        return CliRun(parsed.options, stdout, stderr).Execute();
    case CliCommand::Dan:
        return CliDan(parsed.options, stdout, stderr).Execute();
    case CliCommand::Help:
        break;
    }
    std::fputs(CliArguments::Usage().toUtf8().constData(), stdout);
    return kExitDone;
}
