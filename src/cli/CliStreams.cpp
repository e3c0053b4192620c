#include "cli/CliStreams.h"

#include "cli/CliOptions.h"
#include "io/DrawHistory.h"
#include "io/NativeFileName.h"

#include <QStringList>

namespace tarvex {

void CliStreams::Write(const QByteArray& bytes, std::FILE* to) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
    std::fflush(to);
}

bool CliStreams::Reached() const {
    return std::fflush(out_) == 0 && !std::ferror(out_);
}

void CliStreams::Error(const QString& message) const {
    // A file name's bytes that are not UTF-8 are shown escaped, never as "?".
    Write(NativeFileName::Shown(QStringLiteral("tarvex-cli: %1\n").arg(message)).toUtf8(), err_);
}

bool CliStreams::LoadHistory(const QString& path, std::vector<HistoricDraw>& draws) const {
    const DrawHistoryResult history = DrawHistory::Load(path);
    if (!history.ok()) {
        Error(history.error);
        return false;
    }
    for (const QString& problem : history.ProblemMessages(kListedHistoryProblems)) {
        Error(QStringLiteral("警告：“%1”：%2").arg(NativeFileName::ShownName(path), problem));
    }
    if (history.draws.empty()) {
        Error(QStringLiteral("开奖历史文件“%1”里没有读到任何一期")
                  .arg(NativeFileName::ShownName(path)));
        return false;
    }
    draws = history.draws;
    return true;
}

} // namespace tarvex
