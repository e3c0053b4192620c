#include "io/GbkCodec.h"

#include "io/Cp936.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <string>

namespace tarvex {

namespace {

constexpr const char* kQtName = "GBK";

std::optional<QString> DecodeQt(const QByteArray& bytes, bool* clean) {
    QStringDecoder gbk(kQtName);
    if (!gbk.isValid())
        return std::nullopt;
    QString text = gbk.decode(bytes);
    if (clean)
        *clean = !gbk.hasError();
    return text;
}

std::optional<QByteArray> EncodeQt(const QString& text) {
    QStringEncoder gbk(kQtName);
    if (!gbk.isValid())
        return std::nullopt;
    return QByteArray(gbk.encode(text));
}

#ifdef _WIN32
QString DecodeSystem(const QByteArray& bytes, bool* clean) {
    bool allGood = true;
    const std::u16string text = Cp936::Decode(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), allGood);
    if (clean)
        *clean = allGood;
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray EncodeSystem(const QString& text) {
    const std::string bytes = Cp936::Encode(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
#endif

} // namespace

GbkCodec GbkCodec::Native() {
#ifdef _WIN32
    return GbkCodec(Kind::System);
#else
    return GbkCodec(Kind::Qt);
#endif
}

GbkCodec GbkCodec::Missing() {
    return GbkCodec(Kind::Missing);
}

bool GbkCodec::IsValid() const {
    switch (m_kind) {
    case Kind::System:
        return true;
    case Kind::Qt:
        return QStringDecoder(kQtName).isValid();
    case Kind::Missing:
        break;
    }
    return false;
}

std::optional<QString> GbkCodec::Decode(const QByteArray& bytes, bool* clean) const {
    switch (m_kind) {
    case Kind::System:
#ifdef _WIN32
        return DecodeSystem(bytes, clean);
#else
        break;
#endif
    case Kind::Qt:
        return DecodeQt(bytes, clean);
    case Kind::Missing:
        break;
    }
    return std::nullopt;
}

std::optional<QByteArray> GbkCodec::Encode(const QString& text) const {
    switch (m_kind) {
    case Kind::System:
#ifdef _WIN32
        return EncodeSystem(text);
#else
        break;
#endif
    case Kind::Qt:
        return EncodeQt(text);
    case Kind::Missing:
        break;
    }
    return std::nullopt;
}

} // namespace tarvex
