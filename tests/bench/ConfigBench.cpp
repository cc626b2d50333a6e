// Loading and saving a 1 MiB configuration file; the figure of interest is
// the time per MiB, printed by the benchmark as bytes per second.
#include "config/ConfigStore.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

std::string MakeFile(size_t bytes) {
    std::string s;
    int section = 0;
    while (s.size() < bytes) {
        s += "\r\n[Section" + std::to_string(section++) + "]\r\n";
        for (int k = 0; k < 40 && s.size() < bytes; ++k)
            s += "\tKey_" + std::to_string(k) + "\t=\tvalue of key " + std::to_string(k * 7919) + "\r\n";
    }
    return s;
}

std::string TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/" + name;
}

void BM_LoadConfig1MiB(benchmark::State& state) {
    const std::string path = TempPath("klaviro-bench-load.cfg");
    const std::string bytes = MakeFile(1 << 20);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    for (auto _ : state) {
        ConfigStore store;
        benchmark::DoNotOptimize(store.Load(path));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadConfig1MiB)->Unit(benchmark::kMillisecond);

void BM_SaveConfig1MiB(benchmark::State& state) {
    const std::string path = TempPath("klaviro-bench-save.cfg");
    ConfigStore store;
    store.Parse(MakeFile(1 << 20));
    const size_t size = store.Serialise().size();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.Save(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveConfig1MiB)->Unit(benchmark::kMillisecond);

} // namespace
