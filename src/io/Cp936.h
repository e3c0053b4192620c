#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// Windows' code page 936 (GBK) through MultiByteToWideChar and WideCharToMultiByte, for a Qt
// built without ICU, which has no GBK converter. Qt-free, so that the Windows-only build of
// the engine can test it too. Both directions give what Qt's ICU converter gives on Linux, so
// a file is byte for byte the same on either platform:
// - a byte pair that is no GBK character becomes U+FFFD (and clean is false); a lead byte
//   followed by a byte that cannot trail it becomes U+FFFD on its own, and the byte after it is
//   read afresh; a lead byte at the very end is dropped;
// - a character GBK lacks, or half a surrogate pair, becomes "?"; a high surrogate at the very
//   end is dropped.
// Defined on Windows only.
class Cp936 {
public:
    static std::u16string Decode(std::string_view bytes, bool& clean);
    static std::string Encode(std::u16string_view text);
};

} // namespace tarvex
