// Times what the diary page does with 100 000 checks when it opens: the
// diary read and summarised for the last 30 days and for every day, and the
// HTML export; prints the figures in milliseconds. With a file name argument
// it reads that diary instead of writing one of its own.
#include "../bench/SampleDiary.h"
#include "diary/DiaryExport.h"
#include "diary/DiarySummary.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& stop, const LARGE_INTEGER& frequency) {
    return 1e3 * double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    constexpr int kRows = 100000, kFirstDay = 19000;
    std::string path;
    if (argc > 1) {
        path = argv[1];
    } else {
        char dir[MAX_PATH];
        if (!GetTempPathA(MAX_PATH, dir)) {
            std::fprintf(stderr, "no temporary folder\n");
            return 1;
        }
        path = std::string(dir) + "klaviro-diary-bench-" + std::to_string(GetCurrentProcessId()) + ".csv";
        const std::string bytes = sample::DiaryBytes(kRows, kFirstDay);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int runs = 5;
    std::vector<double> load, month, all, html;
    size_t rows = 0;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER t0, t1, t2, t3, t4;
        QueryPerformanceCounter(&t0);
        DiaryContents diary;
        std::string error;
        if (LoadDiary(path, diary, error) != DiaryLoad::Loaded) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        QueryPerformanceCounter(&t1);
        const int today = diary.rows.empty() ? 0 : diary.rows.back().day;
        const DiarySummary last30 = SummariseDiary(diary.rows, today, 30);
        QueryPerformanceCounter(&t2);
        const DiarySummary every = SummariseDiary(diary.rows, today, 0);
        QueryPerformanceCounter(&t3);
        const std::string page = DiaryHtml(diary.rows, last30, DefaultDiaryCaptions(), DayText(today));
        QueryPerformanceCounter(&t4);
        rows = diary.rows.size();
        load.push_back(Milliseconds(t0, t1, frequency));
        month.push_back(Milliseconds(t1, t2, frequency));
        all.push_back(Milliseconds(t2, t3, frequency));
        html.push_back(Milliseconds(t3, t4, frequency) + (page.empty() || every.days.empty() ? 1e9 : 0));
    }
    if (argc <= 1)
        DeleteFileA(path.c_str());
    for (std::vector<double>* v : {&load, &month, &all, &html})
        std::sort(v->begin(), v->end());
    std::printf("diary of %zu checks: read %.0f ms, last 30 days summarised %.1f ms, every day %.1f ms, "
                "HTML export %.1f ms (medians of %d runs)\n",
                rows, load[runs / 2], month[runs / 2], all[runs / 2], html[runs / 2], runs);
    return 0;
}
