#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RecordingDialog.h"
#include "link/KyrComm.h"
#include "link/ProgressView.h"
#include "model/DataClass.h"
#include "sim/SimPort.h"

namespace kyr::test {

// Everything the progress view was told.
class RecordingProgress final : public TProgressView {
public:
    void SetTitle(std::string_view t) override { title = std::string(t); }
    void SetLabel(std::string_view l) override {
        if (labels.empty() || labels.back() != l) labels.emplace_back(l);
    }
    void SetPercent(int p) override {
        percent = p;
        maxPercent = std::max(maxPercent, p);
    }
    void SetGaugeColor(TGaugeColor c) override {
        if (c == TGaugeColor::Black) sawBlack = true;
        color = c;
    }
    void Close(TModalResult r) override {
        closed = true;
        result = r;
    }

    std::string title;
    std::vector<std::string> labels;
    int percent = -1;
    int maxPercent = 0;
    TGaugeColor color = TGaugeColor::Green;
    bool sawBlack = false;
    bool closed = false;
    TModalResult result = TModalResult::Ok;
};

// Line faults at a steady rate: every n-th write is lost on the way to the terminal, every
// n-th byte that comes back is damaged. 0 turns a fault off.
struct LineNoise {
    int loseEveryWrite = 0;
    int damageEveryByte = 0;
    int writes = 0;
    int bytes = 0;
};

// Hands the link a port that forwards to the rig's simulated terminal, so the terminal and
// its memory outlive every close and reopen.
class ForwardPort final : public SerialPort {
public:
    ForwardPort(sim::SimPort& port, LineNoise& noise) : port_(&port), noise_(&noise) {}
    bool open(const std::string& name) override { return port_->open(name); }
    void close() override { port_->close(); }
    bool isOpen() const override { return port_->isOpen(); }
    int readAvailable(std::span<std::uint8_t> b) override {
        const int n = port_->readAvailable(b);
        for (int i = 0; i < n && noise_->damageEveryByte > 0; ++i)
            if (++noise_->bytes % noise_->damageEveryByte == 0) b[static_cast<std::size_t>(i)] ^= 0x5A;
        return n;
    }
    bool writeBytes(std::span<const std::uint8_t> d) override {
        if (noise_->loseEveryWrite > 0 && ++noise_->writes % noise_->loseEveryWrite == 0) {
            port_->terminal().resetLink();
            return true;
        }
        return port_->writeBytes(d);
    }
    bool transmitChar(std::uint8_t c) override { return port_->transmitChar(c); }
    bool setParity(Parity p) override { return port_->setParity(p); }
    void sleep(int ms) override { port_->sleep(ms); }

private:
    sim::SimPort* port_;
    LineNoise* noise_;
};

// A job, its link engine and a simulated terminal of one type in the same process, stepped
// tick by tick: one link step and one job step per 50 ms of simulated time.
class JobRig {
public:
    explicit JobRig(const sim::SimConfig& config)
        : port(config),
          kom([this](const std::string&) { return std::make_unique<ForwardPort>(port, noise); },
              TLinkSettings{config.isLum(), 0, "sim:"}),
          job(kom, progress) {}
    explicit JobRig(int type) : JobRig(sim::SimConfig::forType(type)) {}

    sim::SimTerminal& terminal() { return port.terminal(); }

    // Called before every job step; a test uses it to cancel or change the terminal.
    std::function<void(int tick)> beforeStep;

    // Steps until the job has ended (or `maxTicks` passed), then runs the idle pass.
    TJobEnd Run(int maxTicks = 200000) {
        for (ticks = 0; ticks < maxTicks; ++ticks) {
            if (job.Phase() == jpFailed || job.Phase() == jpFinished) break;
            kom.KomStep();
            if (beforeStep) beforeStep(ticks);
            job.JobStep();
            port.advance(50);
        }
        return job.IdlePass();
    }

    TJobEnd Download(TKyrData& project) {
        progress = {};
        if (!job.StartDownload(&project, 1)) return {};
        return Run();
    }
    TJobEnd Verify(TKyrData& project) {
        progress = {};
        if (!job.StartVerify(&project, 1)) return {};
        return Run();
    }
    std::unique_ptr<TKyrData> Upload() {
        progress = {};
        if (!job.StartUpload(TKyrData::ForUpload(0), 1)) return nullptr;
        return Run().uploaded;
    }

    // The texts of the boxes shown since the last call.
    std::vector<std::string> Messages() {
        std::vector<std::string> out = dialog.texts();
        dialog.entries.clear();
        return out;
    }

    RecordingDialog dialog;
    LineNoise noise;
    sim::SimPort port;
    RecordingProgress progress;
    TMKom kom;
    TKyrComm job;
    int ticks = 0;
};

}  // namespace kyr::test
