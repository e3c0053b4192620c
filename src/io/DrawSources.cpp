#include "io/DrawSources.h"

#include "io/MessageText.h"

#include <QSettings>
#include <QUrl>

#include <algorithm>

namespace tarvex {

namespace {

QSettings Profile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tarvex"),
                     QStringLiteral("tarvex"));
}

const QString kKey = QStringLiteral("draws/sources");

} // namespace

std::vector<DrawSource> DrawSources::Defaults(Lottery lottery, int count) {
    const bool pl3 = lottery == Lottery::Pl3;
    std::vector<DrawSource> sources = {
        {pl3 ? QStringLiteral("https://data.17500.cn/pl3_asc.txt")
             : QStringLiteral("https://data.17500.cn/3d_asc.txt"),
         SourceFormat::Text,
         {},
         kArchiveTimeoutMs},
        {QStringLiteral("https://api.huiniao.top/interface/home/lotteryHistory?type=%1&page=1&"
                        "limit=%2")
             .arg(pl3 ? QStringLiteral("pls") : QStringLiteral("fcsd"))
             .arg(count),
         SourceFormat::Huiniao,
         {},
         kTimeoutMs},
    };
    if (!pl3) {
        sources.push_back({QStringLiteral("https://www.cwl.gov.cn/cwl_admin/front/cwlkj/search/"
                                          "kjxx/findDrawNotice?name=3d&issueCount=%1")
                               .arg(count),
                           SourceFormat::Cwl, QByteArrayLiteral("https://www.cwl.gov.cn/"),
                           kTimeoutMs});
    }
    return sources;
}

std::optional<DrawSource> DrawSources::Parse(const QString& spec, QString& error) {
    DrawSource source;
    source.url = spec.trimmed();
    const qsizetype comma = source.url.lastIndexOf(u',');
    if (comma > 0) {
        const std::optional<SourceFormat> format =
            DrawSourceReader::FormatNamed(source.url.mid(comma + 1));
        if (format) {
            source.format = *format;
            source.url.truncate(comma);
        }
    }
    const QUrl url(source.url, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        error = QStringLiteral("来源 \"%1\" 不是 http 或 https 网址（可在后面加 ,text ,huiniao "
                               "或 ,cwl 指明格式）")
                    .arg(MessageText::Excerpt(spec));
        return std::nullopt;
    }
    if (url.host().contains(QStringLiteral("cwl.gov.cn"))) {
        source.referer = QByteArrayLiteral("https://www.cwl.gov.cn/");
    }
    if (url.path().endsWith(QStringLiteral("_asc.txt"))) {
        source.timeoutMs = kArchiveTimeoutMs;
    }
    return source;
}

QStringList DrawSources::StoredSpecs() {
    return Profile().value(kKey).toStringList();
}

std::vector<DrawSource> DrawSources::Stored() {
    std::vector<DrawSource> sources;
    for (const QString& spec : StoredSpecs()) {
        QString error;
        // A stored line that is not a source is passed over, never a reason to stop.
        if (const std::optional<DrawSource> source = Parse(spec, error)) {
            sources.push_back(*source);
        }
    }
    return sources;
}

void DrawSources::Store(const QStringList& specs) {
    QSettings profile = Profile();
    profile.setValue(kKey, specs);
}

int DrawSources::CountFor(std::optional<int> daysSince) {
    return std::clamp(daysSince.value_or(30) + 10, 10, 100);
}

} // namespace tarvex
