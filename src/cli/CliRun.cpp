#include "cli/CliRun.h"

#include "cli/CliJson.h"
#include "io/DrawHistory.h"
#include "io/NativeFileName.h"
#include "io/PredictionRecord.h"
#include "io/PredictionTarget.h"
#include "io/SchemeFile.h"
#include "io/TextFileReader.h"

#include <QDateTime>

namespace tarvex {

int CliRun::Execute() {
    if (!LoadInputs()) {
        return kExitBadInput;
    }
    Kill();
    if (state_.kill.completed()) {
        if (options_.toleranceLevel > 0) {
            Tolerance();
        }
        if (!options_.recordPath.isEmpty()) {
            Record();
        }
        if (options_.group) {
            Group();
        }
        if (!options_.exportPath.isEmpty()) {
            Export();
        }
    } else {
        Error(QString::fromStdString(state_.kill.message));
    }
    Print();
    if (writeFailed_) {
        return kExitWriteFailed;
    }
    return state_.kill.completed() ? kExitDone : kExitStopped;
}

bool CliRun::LoadInputs() {
    if (!options_.schemePath.isEmpty()) {
        const SchemeReadResult scheme = SchemeFile::Load(options_.schemePath);
        if (!scheme.ok()) {
            Error(scheme.error);
            return false;
        }
        settings_ = scheme.settings;
    }
    if (!options_.basePath.isEmpty()) {
        const TextReadResult base = TextFileReader::ReadBaseSet(options_.basePath);
        if (!base.ok()) {
            Error(QStringLiteral("大底文件“%1”：%2")
                      .arg(NativeFileName::ShownName(options_.basePath), base.error));
            return false;
        }
        settings_.result = base.text;
        state_.base = SplitBaseText(base.text);
    }
    return options_.recordPath.isEmpty() || LoadTarget();
}

bool CliRun::LoadTarget() {
    lottery_ = options_.lottery.toStdString();
    if (!options_.historyPath.isEmpty()) {
        const DrawHistoryResult history = DrawHistory::Load(options_.historyPath);
        if (!history.ok()) {
            Error(history.error);
            return false;
        }
        held_ = PredictionTarget::Newest(history.draws);
        issue_ = PredictionTarget::Next(history.draws, QDate::currentDate());
        if (lottery_.empty()) {
            lottery_ = PredictionTarget::LotteryOf(options_.historyPath);
        }
    }
    if (!options_.issue.isEmpty()) {
        issue_ = options_.issue.toStdString();
    }
    if (lottery_.empty()) {
        lottery_ = PredictionTarget::k3D;
    }
    if (issue_.empty()) {
        Error(QStringLiteral("开奖历史“%1”里没有读到任何一期，不知道下一期的期号")
                  .arg(NativeFileName::ShownName(options_.historyPath)));
        return false;
    }
    return true;
}

void CliRun::Record() {
    PredictionEntry entry = PredictionRecord::Make(QDateTime::currentDateTime(), lottery_, issue_,
                                                   held_, settings_, state_.kill.survivors);
    if (state_.tolerance) {
        PredictionRecord::AddTolerance(entry, options_.toleranceLevel, state_.tolerance->list);
    }
    Report(PredictionRecord::Append(options_.recordPath, entry));
}

void CliRun::Kill() {
    session_.SetResultText(settings_.result);
    PlayerSession::KillStep step = session_.Kill(settings_);
    Report(step.failure);
    state_.kill = std::move(step.outcome);
}

void CliRun::Tolerance() {
    Settings settings = settings_;
    settings.level = options_.toleranceLevel - 1;
    PlayerSession::ToleranceStep step = session_.Tolerance(settings);
    Report(step.failure);
    state_.tolerance = std::move(step.outcome);
}

void CliRun::Group() {
    PlayerSession::GroupStep step = session_.ToGroup();
    Report(step.failure);
    state_.group = std::move(step.group);
}

void CliRun::Export() {
    Report(session_.Export(options_.exportPath, settings_.perRow, QDateTime::currentDateTime())
               .failure);
}

void CliRun::Report(const QString& failure) {
    if (!failure.isEmpty()) {
        Error(failure);
        writeFailed_ = true;
    }
}

void CliRun::Print() {
    if (options_.json) {
        const QByteArray json = CliJson::Write(state_);
        std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), out_);
    } else {
        std::string text = session_.ResultText();
        if (!text.empty() && text.back() != '\n') {
            text += '\n';
        }
        std::fwrite(text.data(), 1, text.size(), out_);
    }
    std::fflush(out_);
}

void CliRun::Error(const QString& message) {
    const QByteArray text =
        NativeFileName::Shown(QStringLiteral("tarvex-cli: %1\n").arg(message)).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), err_);
    std::fflush(err_);
}

} // namespace tarvex
