#include "io/PredictionScheme.h"

#include "io/SchemeFile.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvex {

namespace {

QJsonObject SchemeObject(const Settings& settings) {
    return QJsonDocument::fromJson(SchemeFile::ToBytes(settings)).object();
}

} // namespace

std::string PredictionScheme::Text(const Settings& settings) {
    const Settings startUp;
    Settings played = settings;
    if (!played.baseSet) {
        played.result = startUp.result;
    }
    played.perRow = startUp.perRow;
    played.level = startUp.level;
    const QJsonObject all = SchemeObject(played);
    const QJsonObject defaults = SchemeObject(startUp);
    QJsonObject changed;
    for (auto it = all.begin(); it != all.end(); ++it) {
        // The two keys that make it a scheme file stay.
        if (defaults.value(it.key()) != it.value() || it.key() == QLatin1String("format") ||
            it.key() == QLatin1String("version")) {
            changed.insert(it.key(), it.value());
        }
    }
    return QJsonDocument(changed).toJson(QJsonDocument::Compact).toStdString();
}

std::string PredictionScheme::Id(const std::string& text) {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())),
                                 QCryptographicHash::Sha256);
    return hash.toHex().left(16).toStdString();
}

SchemeReadResult PredictionScheme::Read(const std::string& text) {
    return SchemeFile::FromString(text);
}

} // namespace tarvex
