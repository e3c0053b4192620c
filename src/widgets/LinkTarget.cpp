#include "widgets/LinkTarget.h"

#include "framework/Platform.h"

namespace {

// Where a freedesktop field code for the document starts; "%%" is a literal percent sign.
qsizetype FindDesktopFieldCode(const QString& command) {
    for (qsizetype i = 0; i + 1 < command.size(); ++i) {
        if (command[i] != QLatin1Char('%')) {
            continue;
        }
        const QChar code = command[i + 1];
        if (code == QLatin1Char('u') || code == QLatin1Char('U') || code == QLatin1Char('f') ||
            code == QLatin1Char('F')) {
            return i;
        }
        ++i;
    }
    return -1;
}

qsizetype FindPlaceholder(const QString& command) {
    qsizetype at = command.indexOf(QStringLiteral("\"%1\""));
    if (at < 0) {
        at = command.indexOf(QStringLiteral("%1"));
    }
    if (at < 0) {
        at = FindDesktopFieldCode(command);
    }
    return at;
}

} // namespace

QString CutCommandLine(const QString& command) {
    const qsizetype at = FindPlaceholder(command);
    return at < 0 ? command : command.left(at);
}

QString BuildCommandLine(const QString& command, const QString& target) {
    return CutCommandLine(command) + QLatin1Char(' ') + target;
}

int OpenTarget(const QString& target) {
    IPlatform& platform = Platform();
    const int shellResult = platform.ShellOpen(target);
    if (shellResult > 32) {
        return shellResult;
    }
    const std::optional<QString> command = platform.HtmlOpenCommand();
    // An empty registration names no program; starting the target itself would be a guess.
    if (!command || CutCommandLine(*command).trimmed().isEmpty()) {
        return shellResult;
    }
    return platform.StartProcess(BuildCommandLine(*command, target));
}

QString OpenErrorText(int code) {
    switch (code) {
    case 0:
        return QStringLiteral("The operating system is out\nof memory or resources.");
    case 2:
        return QStringLiteral("The specified file was not found.");
    case 3:
        return QStringLiteral("The specified path was not found.");
    case 5:
        return QStringLiteral("The operating system denied\naccess to the specified file.");
    case 8:
        return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred. ");
    case 27:
        return QStringLiteral("The filename association is\nincomplete or invalid.");
    case 28:
        return QStringLiteral(
            "The DDE transaction could not\nbe completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral("The DDE transaction could not\nbe completed because other DDE "
                              "transactions\nwere being processed.");
    case 31:
        return QStringLiteral("There is no application associated\nwith the given filename "
                              "extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
    }
}

void ShowOpenError(QWidget* parent, int code) {
    Platform().Message(parent,
                       QStringLiteral("Unable to open hyperlink:\n\n") + OpenErrorText(code),
                       QString(), IPlatform::Icon::Exclamation);
}
