#include "app/Platform.h"

#include <cstdio>

namespace {
TickSource g_tickSource = nullptr;
} // namespace

uint32_t TickCount() { return g_tickSource ? g_tickSource() : SystemTickCount(); }

TickSource SetTickSource(TickSource source) {
    TickSource previous = g_tickSource;
    g_tickSource = source;
    return previous;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok)
        ok = ReplaceFileWith(temp, path);
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}
