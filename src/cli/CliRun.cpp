#include "cli/CliRun.h"

#include "cli/CliJson.h"
#include "engine/RunText.h"
#include "io/OutputFiles.h"
#include "io/SchemeFile.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"
#include "numbersets/ExportText.h"

#include <QDateTime>

#include <algorithm>

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
            Error(QStringLiteral("大底文件“%1”：%2").arg(options_.basePath, base.error));
            return false;
        }
        settings_.result = base.text;
    }
    return true;
}

void CliRun::Kill() {
    // Emptied before validation, as the window does.
    const QString emptied = OutputFiles::EmptyKillFile();
    Report(emptied);
    // A stopped run leaves the result box as it was.
    resultText_ = settings_.result;
    state_.kill = RunKill(settings_);
    if (!state_.kill.completed()) {
        return;
    }
    // An empty file is already in place; writing it again could only report the same failure.
    if (!state_.kill.fileText.empty() && emptied.isEmpty()) {
        Report(OutputFiles::WriteKillFile(state_.kill.fileText));
    }
    list_.clear();
    for (int n : state_.kill.survivors) {
        list_.push_back(CandidateText(n));
    }
    resultText_ = state_.kill.resultText;
}

void CliRun::Tolerance() {
    Settings settings = settings_;
    settings.level = options_.toleranceLevel - 1;
    const ToleranceInput input{state_.kill.killed, list_, resultText_};
    state_.tolerance = RunTolerance(settings, input);
    Report(OutputFiles::WriteReportFile(state_.tolerance->reportText));
    list_ = state_.tolerance->list;
    resultText_ = state_.tolerance->resultText;
}

void CliRun::Group() {
    state_.group = ConvertToGroup(list_);
    Report(OutputFiles::WriteKillFile(state_.group->fileText));
    list_ = state_.group->numbers;
    std::sort(list_.begin(), list_.end()); // list box 1004 is sorted
    resultText_ = state_.group->resultText;
}

void CliRun::Export() {
    const QString stamp = OutputFiles::ExportTimestamp(QDateTime::currentDateTime());
    const std::string path = ExportFileName(options_.exportPath.toStdString());
    Report(TextFileWriter::WriteGbk(QString::fromStdString(path),
                                    ExportText(list_, settings_.perRow, stamp.toStdString())));
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
        std::string text = resultText_;
        if (!text.empty() && text.back() != '\n') {
            text += '\n';
        }
        std::fwrite(text.data(), 1, text.size(), out_);
    }
    std::fflush(out_);
}

void CliRun::Error(const QString& message) {
    const QByteArray text = QStringLiteral("tarvex-cli: %1\n").arg(message).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), err_);
    std::fflush(err_);
}

} // namespace tarvex
