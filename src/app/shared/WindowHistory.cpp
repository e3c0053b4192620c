#include "app/shared/WindowHistory.h"

#include "framework/Platform.h"
#include "io/DrawHistory.h"
#include "io/PlayerHistory.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

const int kListedProblems = 8;

QString HistoryEntry() {
    return QStringLiteral("history");
}

QString WarnedEntry() {
    return QStringLiteral("historyWarned");
}

bool SameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

tarvex::DrawHistoryResult WindowHistory::Read(const QStringList& paths) {
    return paths.size() == 1 ? tarvex::DrawHistory::Load(paths.front())
                             : tarvex::DrawHistory::LoadAll(paths);
}

bool WindowHistory::Accept(QWidget* parent, const tarvex::DrawHistoryResult& history,
                           const QStringList& paths, const QString& section) {
    if (!history.ok()) {
        Platform().Message(parent, history.error);
        return false;
    }
    if (history.draws.empty()) {
        Platform().Message(parent, QStringLiteral("开奖历史文件“%1”里没有读到任何一期。")
                                       .arg(paths.join(QStringLiteral("”和“"))));
        return false;
    }
    WarnOnce(parent, history.ProblemMessages(), paths, section);
    return true;
}

// The version warned about is kept in the profile, so neither reopening the window nor
// restarting the program repeats the box; any change to a file brings it back.
void WindowHistory::WarnOnce(QWidget* parent, const QStringList& problems, const QStringList& paths,
                             const QString& section) {
    if (problems.isEmpty())
        return;
    const QString stamp = Stamp(paths);
    if (!section.isEmpty() &&
        Platform().ReadProfileString(section, WarnedEntry(), QString()) == stamp)
        return;
    QString text =
        QStringLiteral("开奖历史里有 %1 处问题，这些行没有采用：\n").arg(problems.size());
    text += problems.mid(0, kListedProblems).join(u'\n');
    if (problems.size() > kListedProblems)
        text += QStringLiteral("\n……");
    Platform().Message(parent, text, {}, IPlatform::Icon::Information);
    if (!section.isEmpty())
        Platform().WriteProfileString(section, WarnedEntry(), stamp);
}

QString WindowHistory::Chosen(const QString& section) {
    const QString stored = Platform().ReadProfileString(section, HistoryEntry(), QString());
    // A remembered file that has gone since is not worth a message on opening.
    if (stored.isEmpty() || !QFileInfo::exists(stored) ||
        SameFile(stored, tarvex::PlayerHistory::ShippedPath(tarvex::Lottery::Fc3d)))
        return {};
    return stored;
}

QString WindowHistory::StartPath(const QString& section) {
    const QString chosen = Chosen(section);
    return chosen.isEmpty() ? tarvex::PlayerHistory::Followed(tarvex::Lottery::Fc3d) : chosen;
}

void WindowHistory::Remember(const QString& section, const QString& path) {
    Platform().WriteProfileString(section, HistoryEntry(), path);
}

QString WindowHistory::Stamp(const QStringList& paths) {
    QStringList parts;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        parts << (info.exists() ? QStringLiteral("%1|%2|%3")
                                      .arg(info.absoluteFilePath())
                                      .arg(info.size())
                                      .arg(info.lastModified().toMSecsSinceEpoch())
                                : info.absoluteFilePath() + QStringLiteral("|-"));
    }
    return parts.join(u'*');
}

QString WindowHistory::ChooseFile(QWidget* parent) {
    return Platform().GetOpenFileNameIn(
        parent, QStringLiteral("开奖历史(*.txt;*.csv)|*.txt;*.csv|所有文件(*.*)|*.*||"),
        QDir::currentPath());
}
