// Building the EPROM HEX file of a large project: 999 screens of a KYR-T240(E) with ten
// number fields each, generated as project text and read as a file would be.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "image/EpromHexFile.h"
#include "image/ImageBuilder.h"
#include "model/DataClass.h"
#include "model/ProjectReader.h"
#include "model/UserDialog.h"

namespace {

constexpr int kScreens = 999;
constexpr int kFieldsPerScreen = 10;

std::string generatedProject() {
    std::string text =
        "[Descr]\r\nGenerated benchmark project\r\n\r\n"
        "[Info]\r\n KYRB\r\n VER 260\r\n COMPAT 218\r\n\r\n"
        "[Setup]\r\n 2 5 1 1 0 2 -1 1 0 0\r\n\r\n"
        "[Tables]\r\n BEEP   -1 20 0\r\n SCRN   0 1 100\r\n KBD    0 1 101\r\n"
        " DATTIM -1 20 0\r\n I/O    -1 20 0\r\n\r\n";
    char buf[128];
    for (int s = 1; s <= kScreens; ++s) {
        std::snprintf(buf, sizeof buf, "[%04d] Screen %d\r\n  FLAGS $00\r\n", s, s);
        text += buf;
        text += "  \"T1:     T2:     T3:     T4:     T5:     \"\r\n";
        text += "  \"P1:     P2:     P3:     P4:     P5:     \"\r\n";
        for (int f = 0; f < kFieldsPerScreen; ++f) {
            std::snprintf(buf, sizeof buf, " NUM %d 0 %d 0 20 21 1 $04 0 $0910 1 0 0 0\r\n",
                          f * 8 + 3, s * 10 + f);
            text += buf;
        }
        text += "\r\n";
    }
    return text;
}

// Counts the boxes instead of showing them.
class QuietDialog final : public kyr::UserDialog {
public:
    void message(kyr::MsgKind, std::string_view, std::string_view) override { ++messages; }
    kyr::Answer question(kyr::MsgKind, std::string_view, std::string_view, kyr::Buttons) override {
        return kyr::Answer::No;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view,
                                        std::string_view) override {
        return std::nullopt;
    }
    void beep() override {}
    int messages = 0;
};

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
    kyr::setDialogs(&dialog);
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
    kyr::setDialogs(nullptr);
}
BENCHMARK(BM_BuildEpromImage)->Unit(benchmark::kMillisecond);

// The whole command: image, file written beside and renamed, messages.
void BM_WriteHexFile(benchmark::State& state) {
    QuietDialog dialog;
    kyr::setDialogs(&dialog);
    const auto data = generated();
    const std::string out = (std::filesystem::temp_directory_path() / "kyr-bench.hex").string();
    for (auto _ : state) {
        const auto status = kyr::WriteHexFile(*data, out, largeEprom());
        benchmark::DoNotOptimize(status);
    }
    state.counters["messages"] = dialog.messages;
    std::filesystem::remove(out);
    kyr::setDialogs(nullptr);
}
BENCHMARK(BM_WriteHexFile)->Unit(benchmark::kMillisecond);

}  // namespace
