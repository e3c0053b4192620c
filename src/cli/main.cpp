#include "cli/CliArguments.h"
#include "cli/CliBacktest.h"
#include "cli/CliDan.h"
#include "cli/CliRules.h"
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
    if (!arguments.isEmpty() && arguments.front() == QLatin1String("rules")) {
        QString error;
        const std::optional<RulesOptions> options = CliRules::Parse(arguments.mid(1), error);
        if (!options) {
            const bool help = error.isEmpty();
            std::fprintf(help ? stdout : stderr, "%s%s",
                         help ? "" : ("tarvex-cli: " + error + "\n").toUtf8().constData(),
                         CliRules::Usage().toUtf8().constData());
            return help ? kExitDone : kExitBadInput;
        }
        return CliRules(*options, stdout, stderr).Execute();
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
