#include "io/SetMember.h"

#include "io/HistoryTextForm.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"
#include "io/SchemeFile.h"
#include "io/TextFileReader.h"
#include "numbersets/SchemeSet.h"

#include <QFile>
#include <QFileInfo>

namespace tarvex {

namespace {

QString ShortName(const QString& path) {
    return NativeFileName::ShownName(QFileInfo(path).fileName());
}

} // namespace

bool SetMemberReader::IsScheme(const QString& path) {
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

SetMember SetMemberReader::Load(const QString& path, bool tolerance, bool keepScheme) {
    return IsScheme(path) ? LoadScheme(path, tolerance, keepScheme) : LoadNumberFile(path);
}

SetMember SetMemberReader::LoadScheme(const QString& path, bool tolerance, bool keepScheme) {
    SetMember member;
    member.kind = SetMember::Kind::Scheme;
    member.name = ShortName(path);
    member.path = path;
    const SchemeReadResult read = SchemeFile::Load(path);
    if (!read.ok()) {
        member.error = read.error;
        return member;
    }
    const SchemeSet set = SchemeNumbers(read.settings, tolerance);
    if (keepScheme) {
        member.scheme = read.settings;
    }
    if (!set.completed()) {
        member.error =
            QStringLiteral("方案“%1”：%2")
                .arg(NativeFileName::ShownName(path), QString::fromStdString(set.message));
        return member;
    }
    member.numbers = set.numbers;
    return member;
}

SetMember SetMemberReader::LoadNumberFile(const QString& path) {
    SetMember member;
    member.name = ShortName(path);
    member.path = path;
    const TextReadResult read = TextFileReader::ReadBaseSet(path);
    if (!read.ok()) {
        member.error =
            QStringLiteral("号码文件“%1”：%2").arg(NativeFileName::ShownName(path), read.error);
        return member;
    }
    // Notepad's "Unicode": each digit has a zero byte beside it, so it would read as no
    // number at all. The size was checked above.
    QFile file;
    if (NativeFile::OpenForReading(path, file)) {
        const QByteArray bytes = file.readAll();
        const HistoryTextForm form = HistoryTextForm::Of(bytes);
        if (form.encoding != HistoryTextForm::Encoding::Bytes) {
            const QByteArray utf8 = form.Text(bytes);
            member.numbers = BaseTextNumbers(
                std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
            return member;
        }
    }
    member.numbers = BaseTextNumbers(read.text);
    return member;
}

SetMember SetMemberReader::Current(const std::string& resultText) {
    SetMember member;
    member.kind = SetMember::Kind::Current;
    member.name = QStringLiteral("当前结果");
    member.numbers = BaseTextNumbers(resultText);
    return member;
}

SetRecord SetMemberReader::Record(const SetMember& member, bool tolerance,
                                  const std::vector<HistoricDraw>& history, std::size_t last) {
    if (member.kind == SetMember::Kind::Scheme) {
        return RecordScheme(member.scheme, tolerance, history, last);
    }
    return RecordSet(member.numbers, history, last);
}

} // namespace tarvex
