#include "cli/CliRun.h"

#include "cli/CliJson.h"
#include "io/SchemeFile.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"
#include "numbersets/ExportText.h"

#include <QDateTime>

#include <algorithm>

namespace tarvex {

namespace {

std::string Number(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

} // namespace

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
    // The window empties tarvex.txt before it validates, so a stopped run leaves it empty.
    const QString emptied = TextFileWriter::Truncate(QString::fromUtf8(kKillFile));
    if (!emptied.isEmpty()) {
        Error(emptied);
        writeFailed_ = true;
    }
    state_.kill = RunKill(settings_);
    if (!state_.kill.completed()) {
        return;
    }
    // An empty file is already in place; writing it again could only report the same failure.
    if (!state_.kill.fileText.empty() && emptied.isEmpty()) {
        Write(QString::fromUtf8(kKillFile), state_.kill.fileText);
    }
    list_.clear();
    for (int n : state_.kill.survivors) {
        list_.push_back(Number(n));
    }
    resultText_ = state_.kill.resultText;
}

void CliRun::Tolerance() {
    Settings settings = settings_;
    settings.level = options_.toleranceLevel - 1;
    const ToleranceInput input{state_.kill.killed, list_, resultText_};
    state_.tolerance = RunTolerance(settings, input);
    Write(QString::fromUtf8(kReportFile), state_.tolerance->reportText);
    list_ = state_.tolerance->list;
    resultText_ = state_.tolerance->resultText;
}

void CliRun::Group() {
    state_.group = ConvertToGroup(list_);
    Write(QString::fromUtf8(kKillFile), state_.group->fileText);
    list_ = state_.group->numbers;
    std::sort(list_.begin(), list_.end()); // list box 1004 is sorted
    resultText_ = state_.group->resultText;
}

void CliRun::Export() {
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy'年'MM'月'dd'日' HH:mm:ss"));
    const std::string path = ExportFileName(options_.exportPath.toStdString());
    Write(QString::fromStdString(path), ExportText(list_, settings_.perRow, stamp.toStdString()));
}

void CliRun::Write(const QString& path, const std::string& utf8Text) {
    const QString error = TextFileWriter::WriteGbk(path, utf8Text);
    if (!error.isEmpty()) {
        Error(error);
        writeFailed_ = true;
    }
}

void CliRun::Print() {
    if (options_.json) {
        const QByteArray json = CliJson::Write(state_);
        std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), out_);
    } else if (state_.kill.completed()) {
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
