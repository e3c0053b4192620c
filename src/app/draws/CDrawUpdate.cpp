#include "app/draws/CDrawUpdate.h"

#include "app/shared/CBackgroundRun.h"
#include "framework/Platform.h"
#include "io/PlayerHistory.h"

tarvex::UpdateOutcome CDrawUpdate::Run(QWidget* parent, const QString& path) {
    // The file first: how many draws to ask for follows from the file the update fills.
    const QString made =
        tarvex::PlayerHistory::Ensure(path, tarvex::PlayerHistory::LotteryOf(path));
    if (!made.isEmpty()) {
        Platform().Message(parent, made);
        tarvex::UpdateOutcome outcome;
        outcome.fileError = made;
        return outcome;
    }
    return Run(parent, path, tarvex::HistoryUpdater::SourcesFor(path));
}

tarvex::UpdateOutcome CDrawUpdate::Run(QWidget* parent, const QString& path,
                                       const std::vector<tarvex::DrawSource>& sources) {
    tarvex::UpdateOutcome outcome;
    const QString made =
        tarvex::PlayerHistory::Ensure(path, tarvex::PlayerHistory::LotteryOf(path));
    if (!made.isEmpty()) {
        Platform().Message(parent, made);
        outcome.fileError = made;
        return outcome;
    }
    CBackgroundRun::Run(parent, QStringLiteral("正在更新开奖数据……"),
                        [&](const tarvex::ProgressFn& progress) {
                            outcome = tarvex::HistoryUpdater::Run(path, sources, progress);
                        });
    const bool failed = !outcome.fileError.isEmpty() || !outcome.writeError.isEmpty() ||
                        (outcome.Answered() == 0 && !outcome.cancelled);
    Platform().Message(parent, tarvex::HistoryUpdater::Report(outcome).join(u'\n'), {},
                       failed ? IPlatform::Icon::Exclamation : IPlatform::Icon::Information);
    return outcome;
}
