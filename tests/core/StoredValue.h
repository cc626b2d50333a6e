// What a configuration holds under a key, read without a default, so that a
// test sees what was really stored.
#pragma once

#include "config/ConfigStore.h"

#include <string>

inline std::string Stored(const ConfigStore& store, const std::string& section, const std::string& key) {
    std::string value = "<missing>";
    store.GetString(section, key, value);
    return value;
}
