#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvex {

// Code page 936 (GBK), the encoding of the program's text files on every platform. Qt's named
// "GBK" converter comes from ICU, which a Qt for Windows usually lacks; there the system's
// code page 936 does the work (io/Cp936), giving the same bytes and text.
class GbkCodec {
public:
    // Windows: code page 936. Elsewhere: Qt's "GBK" converter, invalid when Qt has no ICU.
    static GbkCodec Native();
    // Stands for a Qt without a GBK converter, so that tests can take that path anywhere.
    static GbkCodec Missing();

    bool IsValid() const;
    // Nothing without a converter. Bytes that are no GBK text become U+FFFD, and clean (when
    // given) says whether there were any.
    std::optional<QString> Decode(const QByteArray& bytes, bool* clean = nullptr) const;
    // Nothing without a converter. Characters GBK lacks become "?".
    std::optional<QByteArray> Encode(const QString& text) const;

private:
    enum class Kind { System, Qt, Missing };
    explicit GbkCodec(Kind kind) : m_kind(kind) {}
    Kind m_kind;
};

} // namespace tarvex
