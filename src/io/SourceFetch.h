#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

namespace tarvex {

struct FetchResult {
    QByteArray body;
    QString error; // no answer, an HTTP error, a body cut off, too many bytes, or cancelled
    bool cancelled = false;
    bool ok() const { return error.isEmpty(); }
};

// One HTTP GET through Qt Network, waited for in a local event loop, so it can run on any
// thread (the window runs it off its own). The whole answer must arrive within `timeoutMs`;
// `stillWanted` is asked every tenth of a second and stops the request when it says false.
class SourceFetch {
public:
    static FetchResult Get(const QString& url, const QByteArray& referer, int timeoutMs,
                           qint64 maxBytes, const std::function<bool()>& stillWanted);
};

} // namespace tarvex
