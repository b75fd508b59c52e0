// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/LiveCommand.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <memory>

#include "base/Language.h"
#include "chip/CubePlayer.h"
#include "chip/Flashing.h"
#include "compact/LiveBuild.h"
#include "firmware/Buttons.h"
#include "live/LivePort.h"
#include "program/SimError.h"

namespace ledcube::sim {

namespace {

// Puts the live program for the options' chip and wiring on the cube; false
// when avrdude could not, said on `err`.
bool FlashLiveProgram(const SimOptions& options, std::ostream& out, std::ostream& err) {
    const chip::ScratchFolder folder;
    const chip::Firmware program = compact::BuildLiveProgram(options.chip, folder);
    const chip::FlashRun run =
        chip::FlashChip(program.hex, options.chip, options.programmer, options.port);
    if (options.verbose) err << run.log;
    if (!run.outcome.flashed) {
        err << WithSubject("ledcube-sim", run.outcome.sentence) << "\n";
        return false;
    }
    out << run.outcome.sentence << "\n";
    return true;
}

// The chip playing the program against the wall clock, and the cube following it.
class LiveStream {
  public:
    LiveStream(const SimOptions& options, const pipeline::BuiltProgram& built,
               const std::optional<std::vector<program::RecordedFrame>>& frames, double ms)
        : options_(options),
          built_(built),
          frames_(frames),
          seconds_(ms / 1000),
          clock_(chip::WallClock()),
          port_(options.chip, QString::fromStdString(*options.port), clock_) {
        ticker_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker_, &QTimer::timeout, [this] { Tick(); });
        QObject::connect(&port_, &live::LivePort::Changed, [this] { StateChanged(); });
        QObject::connect(&port_, &live::LivePort::ButtonsReported, [this](int bits) {
            cubeBits_ = bits;
            if (player_) HoldButtons();
        });
    }

    // Runs until the show has streamed for its time or the cube cannot show it.
    int Run(std::ostream& out, std::ostream& err) {
        out_ = &out;
        err_ = &err;
        port_.Start();
        if (result_) return *result_;
        ticker_.start(live::kLiveTickMs);
        return loop_.exec();
    }

  private:
    void StateChanged() {
        using State = compact::LiveSession::State;
        const State state = port_.Now();
        if (state == State::Live && !player_) {
            // The show starts from its beginning once the cube runs the live program.
            player_ = std::make_unique<chip::CubePlayer>(built_.firmware.hex, frames_, clock_,
                                                         options_.chip);
            HoldButtons();
            liveSince_ = clock_();
            Tick();
        } else if (state == State::Foreign) {
            *err_ << WithSubject("ledcube-sim",
                                 Tr("ledcube-sim",
                                    "%1: put the live program on it with --live --flash, or "
                                    "with Live in ledcube-play")
                                     .Arg(port_.Says().toStdString())
                                     .Str())
                  << "\n";
            Finish(1);
        } else if (state == State::Gone) {
            const std::string reason = port_.Reason().toStdString();
            const Text said =
                player_ ? Tr("ledcube-sim", "the cube on %1 is gone (%2) after %3")
                              .Arg(*options_.port)
                              .Arg(reason)
                              .Arg(FramesText())
                        : Tr("ledcube-sim", "cannot open %1: %2").Arg(*options_.port).Arg(reason);
            *err_ << WithSubject("ledcube-sim", said.Str()) << "\n";
            Finish(1);
        }
    }

    void HoldButtons() {
        player_->HoldButtons(BitsToButtons(ButtonBits(options_.buttons) | cubeBits_));
    }

    void Tick() {
        if (!player_) return;
        player_->Advance();
        port_.Follow(player_->Frame());
        const double streamed = clock_() - liveSince_;
        if (streamed < seconds_) return;
        *out_ << Tr("ledcube-sim", "streamed %1 in %2 s to the %3 on %4")
                     .Arg(FramesText())
                     .Arg(Decimal(streamed, 1))
                     .Arg(options_.chip.name)
                     .Arg(*options_.port)
                     .Str()
              << "\n";
        Finish(0);
    }

    std::string FramesText() const {
        return Counted(port_.FramesSent(), Tr("ledcube-sim", "%1 frame"),
                       Tr("ledcube-sim", "%1 frames"));
    }

    void Finish(int status) {
        if (result_) return;
        result_ = status;
        ticker_.stop();
        loop_.exit(status);
    }

    const SimOptions& options_;
    const pipeline::BuiltProgram& built_;
    const std::optional<std::vector<program::RecordedFrame>>& frames_;
    double seconds_;
    chip::Clock clock_;
    live::LivePort port_;
    QTimer ticker_;
    QEventLoop loop_;
    std::unique_ptr<chip::CubePlayer> player_;
    double liveSince_ = 0;
    int cubeBits_ = 0;
    std::optional<int> result_;
    std::ostream* out_ = nullptr;
    std::ostream* err_ = nullptr;
};

}  // namespace

std::optional<std::string> LiveRefusal(const SimOptions& options) {
    if (!options.live) return std::nullopt;
    return compact::LiveProblem(options.chip);
}

int LiveStage(const SimOptions& options, const pipeline::BuiltProgram& built,
              const std::optional<std::vector<program::RecordedFrame>>& frames, double ms,
              std::ostream& out, std::ostream& err) {
    if (options.flash && !FlashLiveProgram(options, out, err)) return 1;
    LiveStream stream(options, built, frames, ms);
    return stream.Run(out, err);
}

}  // namespace ledcube::sim
