// The training diary at 100 000 checks (about three years of ninety checks a
// day, one-minute texts): checking a 1000-character copy and appending its
// row (target under 20 ms), and loading and summarising the whole diary, as
// the diary page does when it opens (target well under 300 ms). Each reports
// peak_bytes, the most memory held at once (target under 64 MB).
#include "PeakBytes.h"
#include "SampleDiary.h"
#include "diary/DiaryFile.h"
#include "diary/DiarySummary.h"
#include "texts/TextEncoding.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kRows = 100000;
constexpr int kFirstDay = 19000; // 2022-01-08

// The diary file, written once for all benchmarks and removed at exit.
struct BenchDiary {
    std::filesystem::path dir, file;
    long long bytes = 0;

    BenchDiary() {
        dir = std::filesystem::temp_directory_path() / ("klaviro-diary-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        file = dir / "Diary.csv";
        const std::string out = sample::DiaryBytes(kRows, kFirstDay);
        bytes = static_cast<long long>(out.size());
        std::FILE* f = std::fopen(file.string().c_str(), "wb");
        if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0)
            std::abort();
    }
    ~BenchDiary() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

const BenchDiary& Diary() {
    static BenchDiary diary;
    return diary;
}

void BM_CheckAndAppend1000(benchmark::State& state) {
    // A copy of its own, so that the diary the other benchmark loads keeps
    // its 100 000 rows.
    const std::string path = (Diary().dir / "Appended.csv").string();
    std::filesystem::copy_file(Diary().file, path, std::filesystem::copy_options::overwrite_existing);
    PlayedText played;
    played.kind = 2;
    played.number = 77;
    played.groups = 200;
    played.speed = 150;
    const std::string text = PlayedTextOf(played);
    const std::string copy = sample::CopyWithErrors(text);
    std::u32string t, c;
    DecodeUtf8(text, t);
    DecodeUtf8(copy, c);
    long long peak = 0;
    CopyCheck check;
    for (auto _ : state) {
        StartCountingBytes();
        std::string error;
        const bool ok = CheckCopy(t, c, 5, check) &&
                        AppendDiaryRow(path, MakeDiaryRow(played, check, copy, std::time(nullptr)), error);
        peak = StopCountingBytes();
        if (!ok)
            state.SkipWithError("check or append failed");
    }
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["characters"] = check.characters;
}

void BM_LoadAndSummarise100000(benchmark::State& state) {
    const std::string path = Diary().file.string();
    long long peak = 0;
    size_t rows = 0;
    for (auto _ : state) {
        StartCountingBytes();
        DiaryContents diary;
        std::string error;
        if (LoadDiary(path, diary, error) != DiaryLoad::Loaded)
            state.SkipWithError(error.c_str());
        const DiarySummary summary = SummariseDiary(diary.rows, kFirstDay + kRows / 90, 0);
        benchmark::DoNotOptimize(summary.weakest.data());
        rows = diary.rows.size();
        peak = StopCountingBytes();
    }
    state.counters["peak_bytes"] = static_cast<double>(peak);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["file_bytes"] = static_cast<double>(Diary().bytes);
}

} // namespace

BENCHMARK(BM_CheckAndAppend1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndSummarise100000)->Unit(benchmark::kMillisecond);
