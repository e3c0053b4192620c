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
         kArchiveTimeoutMs,
         lottery},
        {QStringLiteral("https://api.huiniao.top/interface/home/lotteryHistory?type=%1&page=1&"
                        "limit=%2")
             .arg(pl3 ? QStringLiteral("pls") : QStringLiteral("fcsd"))
             .arg(count),
         SourceFormat::Huiniao,
         {},
         kTimeoutMs,
         lottery},
    };
    if (!pl3) {
        sources.push_back({QStringLiteral("https://www.cwl.gov.cn/cwl_admin/front/cwlkj/search/"
                                          "kjxx/findDrawNotice?name=3d&issueCount=%1")
                               .arg(count),
                           SourceFormat::Cwl, QByteArrayLiteral("https://www.cwl.gov.cn/"),
                           kTimeoutMs, lottery});
    }
    return sources;
}

namespace {

std::optional<Lottery> LotteryNamed(const QString& name) {
    const QString tag = name.trimmed().toLower();
    if (tag == QLatin1String("3d") || tag == QLatin1String("fc3d") ||
        tag == QStringLiteral("福彩3d")) {
        return Lottery::Fc3d;
    }
    if (tag == QLatin1String("pl3") || tag == QLatin1String("pls") ||
        tag == QStringLiteral("排列3")) {
        return Lottery::Pl3;
    }
    return std::nullopt;
}

bool IsWord(const QString& tag) {
    return !tag.isEmpty() && std::all_of(tag.begin(), tag.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    });
}

// Words in the address that name a lottery ("pl3_asc.txt", "type=fcsd").
std::optional<Lottery> LotteryInAddress(const QString& url) {
    const QString lower = url.toLower();
    const bool pl3 = lower.contains(QLatin1String("pl3")) || lower.contains(QLatin1String("pls")) ||
                     lower.contains(QStringLiteral("排列"));
    const bool fc3d = lower.contains(QLatin1String("3d")) || lower.contains(QLatin1String("fcsd"));
    if (pl3 != fc3d) {
        return pl3 ? Lottery::Pl3 : Lottery::Fc3d;
    }
    return std::nullopt;
}

} // namespace

QString DrawSources::LotteryName(Lottery lottery) {
    return lottery == Lottery::Pl3 ? QStringLiteral("排列3") : QStringLiteral("3D");
}

std::optional<DrawSource> DrawSources::Parse(const QString& line, QString& error) {
    DrawSource source;
    source.url = line.trimmed();
    // Up to two tags after the address, in either order: the form and the lottery. A comma
    // that ends neither stays part of the address.
    for (int tags = 0; tags < 2; ++tags) {
        const qsizetype comma = source.url.lastIndexOf(u',');
        if (comma <= 0) {
            break;
        }
        const QString tag = source.url.mid(comma + 1);
        const std::optional<SourceFormat> format = DrawSourceReader::FormatNamed(tag);
        const std::optional<Lottery> lottery = LotteryNamed(tag);
        if (format && source.format == SourceFormat::Auto) {
            source.format = *format;
        } else if (lottery && !source.lottery) {
            source.lottery = lottery;
        } else if (IsWord(tag)) {
            // A mistyped form would otherwise become part of the address.
            error = QStringLiteral("来源 \"%1\" 的格式 \"%2\" 不认识：可以是 text、huiniao、cwl，"
                                   "彩种可以是 3d、pl3")
                        .arg(MessageText::Excerpt(line), MessageText::Excerpt(tag));
            return std::nullopt;
        } else {
            break;
        }
        source.url.truncate(comma);
    }
    const QUrl url(source.url, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
        error = QStringLiteral("来源 \"%1\" 不是 http 或 https 网址（可在后面加 ,text ,huiniao "
                               "或 ,cwl 指明格式）")
                    .arg(MessageText::Excerpt(line));
        return std::nullopt;
    }
    if (url.host().contains(QStringLiteral("cwl.gov.cn"))) {
        source.referer = QByteArrayLiteral("https://www.cwl.gov.cn/");
    }
    if (url.path().endsWith(QStringLiteral("_asc.txt"))) {
        source.timeoutMs = kArchiveTimeoutMs;
    }
    if (!source.lottery) {
        source.lottery = LotteryInAddress(source.url);
    }
    return source;
}

QStringList DrawSources::StoredLines() {
    return Profile().value(kKey).toStringList();
}

std::vector<DrawSource> DrawSources::Stored() {
    std::vector<DrawSource> sources;
    for (const QString& line : StoredLines()) {
        QString error;
        // A stored line that is not a source is passed over, never a reason to stop.
        if (const std::optional<DrawSource> source = Parse(line, error)) {
            sources.push_back(*source);
        }
    }
    return sources;
}

void DrawSources::Store(const QStringList& lines) {
    QSettings profile = Profile();
    profile.setValue(kKey, lines);
}

int DrawSources::CountFor(std::optional<int> daysSince) {
    return std::clamp(daysSince.value_or(30) + 10, 10, 100);
}

} // namespace tarvex
