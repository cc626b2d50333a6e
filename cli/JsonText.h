// JSON text for the commands' --json output.
#pragma once

#include <string>

// A UTF-8 string as a JSON string: quotes, backslashes and control
// characters escaped.
std::string JsonString(const std::string& s);
