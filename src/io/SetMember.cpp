#include "io/SetMember.h"

#include "io/NativeFileName.h"
#include "io/SchemeFile.h"
#include "io/TextFileReader.h"
#include "numbersets/SchemeSet.h"

#include <QFileInfo>

namespace tarvex {

namespace {

QString ShortName(const QString& path) {
    return NativeFileName::Shown(QFileInfo(path).fileName());
}

} // namespace

bool SetMemberReader::IsScheme(const QString& path) {
    return path.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

SetMember SetMemberReader::Load(const QString& path, bool tolerance) {
    return IsScheme(path) ? LoadScheme(path, tolerance) : LoadNumberFile(path);
}

SetMember SetMemberReader::LoadScheme(const QString& path, bool tolerance) {
    SetMember member;
    member.kind = SetMember::Kind::Scheme;
    member.name = ShortName(path);
    member.path = path;
    const SchemeReadResult read = SchemeFile::Load(path);
    if (!read.ok()) {
        member.error = read.error;
        return member;
    }
    member.scheme = read.settings;
    const SchemeSet set = SchemeNumbers(read.settings, tolerance);
    if (!set.completed()) {
        member.error = QStringLiteral("方案“%1”：%2")
                           .arg(NativeFileName::Shown(path), QString::fromStdString(set.message));
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
            QStringLiteral("号码文件“%1”：%2").arg(NativeFileName::Shown(path), read.error);
        return member;
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
