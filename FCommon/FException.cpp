#include "FCommon/FException.h"

#include <cstdio>

namespace {
// Texts are kept as in a 256-byte field: a longer one becomes its first 252
// characters and "...".
std::string Limited(const char* text) {
    std::string s = text ? text : "";
    if (s.size() > 255)
        s = s.substr(0, 252) + "...";
    return s;
}
} // namespace

FCException::FCException(const char* file, int line, const char* message)
    : file_(Limited(file)), line_(line), message_(Limited(message)), time_(std::time(nullptr)) {}

void FCException::SetMessageText(const char* message) { message_ = Limited(message); }

FCMemException::FCMemException(const char* file, int line, const char* operation, int bytes)
    : FCException(file, line, nullptr), bytes_(bytes) {
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "%s : Для завершения операции недостаточно как минимум %d байт оперативной памяти.",
                  operation ? operation : "###Unknown function###", bytes);
    SetMessageText(buf);
}
