// Reading and saving a large project: 999 screens of a KYR-T240(E) with ten number fields
// each, generated as project text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "model/DataClass.h"
#include "model/ProjectReader.h"
#include "model/ProjectWriter.h"
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

class QuietDialog final : public kyr::UserDialog {
public:
    void message(kyr::MsgKind, std::string_view, std::string_view) override { ++messages; }
    kyr::Answer question(kyr::MsgKind, std::string_view, std::string_view, kyr::Buttons) override {
        return kyr::Answer::Yes;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view,
                                        std::string_view) override {
        return std::nullopt;
    }
    void beep() override {}
    int messages = 0;
};

std::unique_ptr<kyr::TKyrData> read(const std::string& text) {
    auto data = kyr::TKyrData::ForFile("bench.kyr");
    kyr::ProjectReader(*data, "bench.kyr").ReadContent(text);
    return data;
}

void BM_ReadProject(benchmark::State& state) {
    QuietDialog dialog;
    kyr::setDialogs(&dialog);
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
    kyr::setDialogs(nullptr);
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State& state) {
    QuietDialog dialog;
    kyr::setDialogs(&dialog);
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
    kyr::setDialogs(nullptr);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_ProjectText(benchmark::State& state) {
    QuietDialog dialog;
    kyr::setDialogs(&dialog);
    auto data = read(generatedProject());
    for (auto _ : state) benchmark::DoNotOptimize(kyr::ProjectFileText(*data));
    kyr::setDialogs(nullptr);
}
BENCHMARK(BM_ProjectText)->Unit(benchmark::kMillisecond);

}  // namespace
