#include "framework/Platform.h"

#include "framework/CQtPlatform.h"

namespace {

IPlatform* g_installed = nullptr;

} // namespace

IPlatform& Platform() {
    if (g_installed)
        return *g_installed;
    static CQtPlatform real;
    return real;
}

void InstallPlatform(IPlatform* platform) {
    g_installed = platform;
}
