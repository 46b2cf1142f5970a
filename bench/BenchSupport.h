#pragma once
// Shared pieces of the converter benchmarks: reading the corpus and the scale
// files, and registering one benchmark per file that reports MB/s.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unicode/unistr.h>

#include "engine/WorkingMemory.h"

namespace benchsupport {

inline icu::UnicodeString readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return icu::UnicodeString::fromUTF8(bytes.str());
}

// The corpus documents of one language, by name.
inline std::vector<std::filesystem::path> corpusFiles(const std::string& language) {
    std::vector<std::filesystem::path> files;
    std::filesystem::path folder = std::filesystem::path(QUILL_CORPUS_DIR) / language;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// big-100k, big-1m and big-10m for one extension.
inline std::vector<std::filesystem::path> scaleFiles(const std::string& extension) {
    std::vector<std::filesystem::path> files;
    for (const char* size : {"100k", "1m", "10m"})
        files.push_back(std::filesystem::path(QUILL_SCALE_DIR) / ("big-" + std::string(size) + "." + extension));
    return files;
}

using Convert = std::function<icu::UnicodeString(const icu::UnicodeString&)>;

// One benchmark per file, named "<label>/<file name>", reporting bytes/s of
// UTF-8 input. Each file is converted once untimed first: the viewer converts
// the same document again on every save, and without a warm-up a 10 MB file,
// timed once, would be measured cold against warm smaller ones.
inline void registerFiles(const std::string& label, const std::vector<std::filesystem::path>& files,
                          Convert convert) {
    engine::keepFreedMemoryForLargeTexts();  // as the viewer does at start
    for (const auto& path : files) {
        auto size = std::filesystem::exists(path) ? std::filesystem::file_size(path) : 0;
        benchmark::RegisterBenchmark((label + "/" + path.filename().string()).c_str(),
                                     [path, size, convert, warm = std::make_shared<bool>(false)](benchmark::State& state) {
                                         icu::UnicodeString text = readFile(path);
                                         if (!*warm)
                                             benchmark::DoNotOptimize(convert(text));
                                         *warm = true;
                                         for (auto _ : state)
                                             benchmark::DoNotOptimize(convert(text));
                                         state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
                                     })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
}

}  // namespace benchsupport
