#include "app/shared/WindowHistory.h"

#include "framework/Platform.h"
#include "io/DrawHistory.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace {

const int kListedProblems = 8;

} // namespace

std::optional<std::vector<tarvex::HistoricDraw>> WindowHistory::Load(QWidget* parent,
                                                                     const QString& path) {
    return Checked(parent, tarvex::DrawHistory::Load(path), path);
}

std::optional<std::vector<tarvex::HistoricDraw>> WindowHistory::LoadAll(QWidget* parent,
                                                                        const QStringList& paths) {
    return Checked(parent, tarvex::DrawHistory::LoadAll(paths), paths.join(QStringLiteral("”和“")));
}

std::optional<std::vector<tarvex::HistoricDraw>>
WindowHistory::Checked(QWidget* parent, const tarvex::DrawHistoryResult& history,
                       const QString& path) {
    if (!history.ok()) {
        Platform().Message(parent, history.error);
        return std::nullopt;
    }
    if (history.draws.empty()) {
        Platform().Message(parent,
                           QStringLiteral("开奖历史文件“%1”里没有读到任何一期。").arg(path));
        return std::nullopt;
    }
    const QStringList problems = history.ProblemMessages();
    if (!problems.isEmpty()) {
        QString text =
            QStringLiteral("开奖历史里有 %1 处问题，这些行没有采用：\n").arg(problems.size());
        text += problems.mid(0, kListedProblems).join(u'\n');
        if (problems.size() > kListedProblems)
            text += QStringLiteral("\n……");
        Platform().Message(parent, text, {}, IPlatform::Icon::Information);
    }
    return history.draws;
}

QString WindowHistory::Remembered(const QString& section) {
    const QString stored =
        Platform().ReadProfileString(section, QStringLiteral("history"), QString());
    // A remembered file that has gone since is not worth a message on opening.
    return !stored.isEmpty() && QFileInfo::exists(stored) ? stored : SampleHistoryPath();
}

void WindowHistory::Remember(const QString& section, const QString& path) {
    Platform().WriteProfileString(section, QStringLiteral("history"), path);
}

QString WindowHistory::SampleHistoryPath() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../share/tarvex/data/fc3d-history.txt");
    if (QFileInfo::exists(installed))
        return installed;
#ifdef TARVEX_SOURCE_DATA_DIR
    const QString source = QStringLiteral(TARVEX_SOURCE_DATA_DIR "/fc3d-history.txt");
    if (QFileInfo::exists(source))
        return source;
#endif
    return {};
}

QString WindowHistory::ChooseFile(QWidget* parent) {
    return Platform().GetOpenFileName(
        parent, QStringLiteral("开奖历史(*.txt;*.csv)|*.txt;*.csv|所有文件(*.*)|*.*||"));
}
