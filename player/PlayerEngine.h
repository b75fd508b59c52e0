// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim/CubePlayer.h"

namespace ledcube::player {

// What the window says about the program being played.
struct LoadedProgram {
    QString sizes;  // the build's flash and RAM
    QString where;  // which program of the file, and whether it is still being recorded
    bool framesKnown = true;
};

// The newest frame, handed from the engine's thread to the window's: a new
// frame replaces one the window has not taken yet, so nothing queues up.
class FrameMailbox {
  public:
    // True when the box was empty: the window has to be told.
    bool Put(const sim::PlayerFrame& frame);
    std::optional<sim::PlayerFrame> Take();

  private:
    std::mutex mutex_;
    std::optional<sim::PlayerFrame> frame_;
};

// Plays the program of a file on the simulated chip and follows the file as
// it changes. It lives on a worker thread: commands come in as queued slot
// calls, frames go out through the mailbox (announced by FrameWaiting), and
// what goes wrong comes out as Problem; it never opens a window itself.
class PlayerEngine : public QObject {
    Q_OBJECT

  public:
    explicit PlayerEngine(sim::Clock clock, QObject* parent = nullptr);
    ~PlayerEngine() override;

    FrameMailbox& Mailbox() { return mailbox_; }
    bool Playing() const { return player_ != nullptr; }

  public slots:
    // Plays the file's last program and watches the file.
    void Open(const QString& file);
    // Reads the file again; plays the new program when it changed.
    void Reload();
    // Bits 0, 1, 2: BP1, BP2, BP3 held.
    void SetButtons(int held);
    void SetSpeed(double speed);
    void SetPaused(bool paused);
    void Step();
    // Runs the chip up to the clock and hands the frame to the window.
    void Tick();
    // Ticks every `intervalMs` on the engine's own thread.
    void StartTicking(int intervalMs);

  signals:
    void FrameWaiting();
    void Loaded(const ledcube::player::LoadedProgram& program);
    void Problem(const QString& message);

  private:
    void MakeTimersAndWatcher();
    void Load(const std::string& text);
    void Fail(const QString& message);
    void Watch();
    void Publish();

    sim::Clock clock_;
    QString file_;
    std::optional<std::string> text_;  // the file's content as last read
    std::optional<std::vector<sim::RecordedFrame>> frames_;
    std::unique_ptr<sim::CubePlayer> player_;
    std::array<bool, 3> held_{};
    double speed_ = 1.0;
    bool paused_ = false;
    FrameMailbox mailbox_;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* ticker_ = nullptr;
    QTimer* reloadSoon_ = nullptr;
};

}  // namespace ledcube::player

Q_DECLARE_METATYPE(ledcube::player::LoadedProgram)
