// Building the EPROM HEX file of a large project: 999 screens of a KYR-T240(E) with ten
// number fields each, generated as project text and read as a file would be.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "image/EpromHexFile.h"
#include "image/ImageBuilder.h"
#include "model/DataClass.h"
#include "model/ProjectReader.h"
#include "GeneratedProject.h"
#include "model/UserDialog.h"

namespace {

using bench::generatedProject;
using bench::QuietDialog;

std::unique_ptr<kyr::TKyrData> generated() {
    auto data = kyr::TKyrData::ForFile("bench.kyr");
    kyr::ProjectReader(*data, "bench.kyr").ReadContent(generatedProject());
    return data;
}

kyr::EpromSettings largeEprom() {
    kyr::EpromSettings settings;
    settings.size = kyr::EpromSize::Kb128;
    settings.format = 218;
    return settings;
}

// The image as HEX text in memory.
void BM_BuildEpromImage(benchmark::State& state) {
    QuietDialog dialog;
    const auto data = generated();
    std::size_t bytes = 0;
    std::size_t leftOut = 0;
    for (auto _ : state) {
        const kyr::EpromImage image = kyr::BuildEpromImage(*data, largeEprom());
        bytes = image.hex.size();
        leftOut = image.screensLeftOut.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["screens"] = data->ScreenCount();
    state.counters["left_out"] = static_cast<double>(leftOut);
    state.counters["hex_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildEpromImage)->Unit(benchmark::kMillisecond);

// The whole command: image, file written beside and renamed, messages.
void BM_WriteHexFile(benchmark::State& state) {
    QuietDialog dialog;
    const auto data = generated();
    const std::string out = (std::filesystem::temp_directory_path() / "kyr-bench.hex").string();
    for (auto _ : state) {
        const auto status = kyr::WriteHexFile(*data, out, largeEprom());
        benchmark::DoNotOptimize(status);
    }
    state.counters["messages"] = dialog.messages;
    std::filesystem::remove(out);
}
BENCHMARK(BM_WriteHexFile)->Unit(benchmark::kMillisecond);

}  // namespace
