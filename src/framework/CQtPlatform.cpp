#include "framework/CQtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {

QString CaptionOr(const QString& caption) {
    return caption.isEmpty() ? QStringLiteral("tarvex") : caption;
}

QMessageBox::Icon ToQtIcon(IPlatform::Icon icon) {
    switch (icon) {
    case IPlatform::Icon::Information:
        return QMessageBox::Information;
    case IPlatform::Icon::Exclamation:
        return QMessageBox::Warning;
    case IPlatform::Icon::Stop:
        return QMessageBox::Critical;
    case IPlatform::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString FilterPatterns(const QString& patterns) {
    QStringList result;
    for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!result.contains(trimmed))
            result << trimmed;
        // Qt matches case-sensitively on Linux, and players' files are named *.TXT as often as
        // *.txt.
        if (!result.contains(trimmed.toLower()))
            result << trimmed.toLower();
    }
    return result.join(u' ');
}

QSettings Profile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tarvex"),
                     QStringLiteral("tarvex"));
}

bool LooksLikeUrl(const QString& target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

} // namespace

void CQtPlatform::Message(QWidget* parent, const QString& text, const QString& caption, Icon icon) {
    QMessageBox box(ToQtIcon(icon), CaptionOr(caption), text, QMessageBox::Ok, parent);
    box.exec();
}

bool CQtPlatform::AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, CaptionOr(caption), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString CQtPlatform::GetOpenFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, {}, {}, ToQtFilter(filter));
}

QString CQtPlatform::GetOpenFileNameIn(QWidget* parent, const QString& filter,
                                       const QString& folder) {
    return QFileDialog::getOpenFileName(parent, {}, folder, ToQtFilter(filter));
}

QString CQtPlatform::GetSaveFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, {}, {}, ToQtFilter(filter));
}

int CQtPlatform::ShellOpen(const QString& target) {
    if (target.trimmed().isEmpty())
        return 2;
    QUrl url;
    if (QFileInfo::exists(target))
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    else if (LooksLikeUrl(target))
        url = QUrl(target, QUrl::TolerantMode);
    else
        return 2;
    return QDesktopServices::openUrl(url) ? 33 : 31;
}

std::optional<QString> CQtPlatform::HtmlOpenCommand() {
#ifdef Q_OS_WIN
    const QSettings extension(QStringLiteral("HKEY_CLASSES_ROOT\\.htm"), QSettings::NativeFormat);
    const QString type = extension.value(QStringLiteral("Default")).toString();
    if (type.isEmpty())
        return std::nullopt;
    const QSettings command(QStringLiteral("HKEY_CLASSES_ROOT\\%1\\shell\\open\\command").arg(type),
                            QSettings::NativeFormat);
    const QString line = command.value(QStringLiteral("Default")).toString();
    if (line.isEmpty())
        return std::nullopt;
    return line;
#else
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(3000) || query.exitCode() != 0)
        return std::nullopt;
    const QString desktopName = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (desktopName.isEmpty() || desktopName.contains(u'/'))
        return std::nullopt;
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopName);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return DesktopExecLine(QString::fromUtf8(file.read(1 << 20)));
#endif
}

std::optional<QString> CQtPlatform::DesktopExecLine(const QString& desktopFileText) {
    bool inEntry = false;
    for (const QString& raw : desktopFileText.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        if (!inEntry || !line.startsWith(QStringLiteral("Exec")))
            continue;
        const QString key = line.section(u'=', 0, 0).trimmed();
        if (key != QStringLiteral("Exec"))
            continue;
        const QString value = line.section(u'=', 1).trimmed();
        if (value.isEmpty())
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

int CQtPlatform::StartProcess(const QString& commandLine) {
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return 2;
    const QString program = parts.takeFirst();
    return QProcess::startDetached(program, parts) ? 33 : 2;
}

void CQtPlatform::Beep() {
    QApplication::beep();
}

std::optional<QFont> CQtPlatform::ChooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

QString CQtPlatform::ReadProfileString(const QString& section, const QString& entry,
                                       const QString& fallback) {
    return Profile().value(section + u'/' + entry, fallback).toString();
}

void CQtPlatform::WriteProfileString(const QString& section, const QString& entry,
                                     const QString& value) {
    QSettings settings = Profile();
    settings.setValue(section + u'/' + entry, value);
    settings.sync();
}

QString CQtPlatform::ToQtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        QString description = parts[i];
        const qsizetype paren = description.indexOf(u'(');
        if (paren > 0)
            description = description.left(paren);
        filters << QStringLiteral("%1 (%2)").arg(description.trimmed(),
                                                 FilterPatterns(parts[i + 1]));
    }
    return filters.join(QStringLiteral(";;"));
}
