#include "io/PlayerSession.h"

#include "engine/RunText.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"
#include "io/OutputFiles.h"
#include "io/TextFileWriter.h"
#include "numbersets/ExportText.h"

#include <algorithm>

namespace tarvex {

PlayerSession::KillStep PlayerSession::Kill(const Settings& settings) {
    KillStep step;
    step.outcome = RunKill(settings);
    // A run stopped by its checks writes nothing: a typo must not cost the player the
    // previous result file, which the window still shows.
    if (!step.outcome.completed()) {
        return step;
    }
    // Written in one piece: a write that fails (a full disk, a removed folder) leaves the
    // previous tarvex.txt as it was instead of an emptied one.
    step.failure = OutputFiles::WriteKillFile(step.outcome.fileText);
    m_list.clear();
    m_list.reserve(step.outcome.survivors.size());
    for (int n : step.outcome.survivors)
        m_list.push_back(CandidateText(n));
    m_killed = step.outcome.killed;
    m_resultText = step.outcome.resultText;
    m_lastKill = step.outcome;
    return step;
}

PlayerSession::ToleranceStep PlayerSession::Tolerance(const Settings& settings) {
    ToleranceStep step;
    step.outcome = RunTolerance(settings, ToleranceInput{m_killed, m_list, m_resultText});
    m_list = step.outcome.list;
    m_resultText = step.outcome.resultText;
    step.failure = OutputFiles::WriteReportFile(step.outcome.reportText);
    return step;
}

PlayerSession::GroupStep PlayerSession::ToGroup() {
    GroupStep step;
    step.group = ConvertToGroup(m_list);
    m_list = step.group.numbers;
    std::sort(m_list.begin(), m_list.end()); // list box 1004 sorts what it is given
    m_resultText = step.group.resultText;
    step.failure = OutputFiles::WriteKillFile(step.group.fileText);
    return step;
}

PlayerSession::ExportStep PlayerSession::Export(const QString& chosenName, int perRowIndex,
                                                const QDateTime& time) const {
    ExportStep step;
    // By the name's bytes, so one that is not UTF-8 is written under exactly those bytes.
    const QByteArray chosen = NativeFileName::ToBytes(chosenName);
    // "/dev/null" or a folder is named as it is: a ".TXT" would make another file of it.
    const bool existing =
        NativeFile::Inspect(chosenName).exists && !NativeFile::Inspect(chosenName).isFile;
    step.path = existing ? chosenName
                         : NativeFileName::FromBytes(
                               QByteArray::fromStdString(ExportFileName(chosen.toStdString())));
    const QString stamp = OutputFiles::ExportTimestamp(time);
    step.failure =
        TextFileWriter::WriteGbk(step.path, ExportText(m_list, perRowIndex, stamp.toStdString()));
    return step;
}

} // namespace tarvex
