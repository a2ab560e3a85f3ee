// Reading and saving a large project: 999 screens of a KYR-T240(E) with ten number fields
// each, generated as project text.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "model/DataClass.h"
#include "model/ProjectReader.h"
#include "model/ProjectWriter.h"
#include "GeneratedProject.h"
#include "model/UserDialog.h"

namespace {

using bench::generatedProject;
using bench::QuietDialog;

std::unique_ptr<kyr::TKyrData> read(const std::string& text) {
    auto data = kyr::TKyrData::ForFile("bench.kyr");
    kyr::ProjectReader(*data, "bench.kyr").ReadContent(text);
    return data;
}

void BM_ReadProject(benchmark::State& state) {
    QuietDialog dialog(kyr::Answer::Yes);
    const std::string text = generatedProject();
    int screens = 0;
    for (auto _ : state) {
        auto data = read(text);
        screens = data->ScreenCount();
        benchmark::DoNotOptimize(screens);
    }
    state.counters["screens"] = screens;
    state.counters["messages"] = dialog.messages;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State& state) {
    QuietDialog dialog(kyr::Answer::Yes);
    const auto folder = std::filesystem::temp_directory_path() / "kyr_bench_save";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "bench.kyr").string();
    auto data = read(generatedProject());
    std::size_t size = 0;
    for (auto _ : state) {
        if (!data->SaveToFile(path, data->Description())) {
            state.SkipWithError("save failed");
            break;
        }
        size = std::filesystem::file_size(path);
    }
    state.counters["screens"] = data->ScreenCount();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_ProjectText(benchmark::State& state) {
    QuietDialog dialog(kyr::Answer::Yes);
    auto data = read(generatedProject());
    for (auto _ : state) benchmark::DoNotOptimize(kyr::ProjectFileText(*data));
}
BENCHMARK(BM_ProjectText)->Unit(benchmark::kMillisecond);

}  // namespace
