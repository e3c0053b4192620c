// Any bytes may be handed to the scheme reader: it must never crash, and whatever it
// accepts must survive a write and a second read unchanged.
#include "io/SchemeReader.h"
#include "io/SchemeWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const tarvex::SchemeReadResult first = tarvex::SchemeReader::Read(bytes);
    if (!first.ok()) {
        if (first.error.trimmed().isEmpty()) {
            std::fprintf(stderr, "refused without saying why\n");
            std::abort();
        }
        return 0;
    }
    const QByteArray written = tarvex::SchemeWriter::Write(first.settings);
    const tarvex::SchemeReadResult second = tarvex::SchemeReader::Read(written);
    if (!second.ok()) {
        std::fprintf(stderr, "the written scheme is refused: %s\n%s\n",
                     second.error.toUtf8().constData(), written.constData());
        std::abort();
    }
    if (!(second.settings == first.settings)) {
        std::fprintf(stderr, "settings changed by writing and reading again:\n%s\n",
                     written.constData());
        std::abort();
    }
    return 0;
}
