#include "config/RecordStore.h"

#include "FCommon/FArray.h"
#include "app/Platform.h"

#include <cstdio>

RecordStore::RecordStore() {
    FCArray<char> path(1024);
    std::string dir;
    if (!TempDirectory(dir, 1024))
        dir.clear();
    std::snprintf(path.GetData(), path.GetCount(), "%sKLAVIRO.bdb", dir.c_str());
    databasePath_ = path.GetData();
}
