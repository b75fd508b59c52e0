// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "chip/CubePlayer.h"
#include "compact/LiveSession.h"
#include "firmware/Buttons.h"
#include "pipeline/BuildPipeline.h"
#include "program/ProgramReader.h"

namespace ledcube::live {
class LivePort;
}

namespace ledcube::player {

// What the window says about the program being played.
struct LoadedProgram {
    QString sizes;  // the build's flash and RAM
    QString where;  // which program of the file, and whether it is still being recorded
    bool framesKnown = true;
    // The file's whole text as read; empty for a program played from the player's edits.
    std::string fileText;
};

// The buttons as the chip gets them: the user's, or while the user holds
// none and a sequence is being recorded, that sequence's.
struct HeldButtons {
    int bits = 0;  // bits 0, 1, 2: BP1, BP2, BP3
    // Held by the player: for the sequence being recorded, or for the frame selected.
    bool following = false;
    QString says;  // "following the recording: BP1 held", or empty
    // When no frame shows under these buttons, which key plays what.
    QString hint;
    int fromCube = 0;  // held on the live cube
};

// The live cube, as the window says it.
struct LiveNews {
    compact::LiveSession::State state = compact::LiveSession::State::Opening;
    QString says;
    QString port;
};

// What the engine has to tell the window. Only the newest of each is kept,
// so nothing piles up when the window is slow.
struct EngineNews {
    std::optional<chip::PlayerFrame> frame;
    std::optional<LoadedProgram> loaded;  // a program now plays
    std::optional<QString> problem;       // nothing plays, and why
    std::optional<HeldButtons> held;
    std::optional<LiveNews> live;  // while live, and once more when it stops (no port)
};

// A path with the home folder written "~": "~/D/demo.c".
QString HomeRelative(const QString& path);

// The folder itself when it exists, else its nearest ancestor that does.
QString NearestExistingFolder(const QString& folder);

// "press 1 for the BP1 sequence, 2 for the BP2 sequence", or empty when some
// frame shows under the buttons held (none: several held).
QString WhichKeyPlaysWhat(const std::vector<program::RecordedFrame>& frames,
                          std::optional<SwitchCombination> held);

// Hands the news from the engine's thread to the window's under a lock.
class NewsBox {
  public:
    // Changes the news; true when the box was empty, so the window must be told.
    bool Put(const std::function<void(EngineNews&)>& change);
    EngineNews Take();

  private:
    std::mutex mutex_;
    EngineNews news_;
    bool empty_ = true;
};

// Plays the program of a file on the simulated chip and follows the file as
// it changes. It lives on a worker thread: the window posts commands, which
// the engine runs on its own thread; frames, loads and problems go out
// through the news box, announced by Updated. Every hand-over between the
// threads goes through a lock of ours, which ThreadSanitizer sees. It never
// opens a window itself.
class PlayerEngine : public QObject {
    Q_OBJECT

  public:
    explicit PlayerEngine(chip::Clock clock, QObject* parent = nullptr);
    ~PlayerEngine() override;

    NewsBox& News() { return news_; }
    bool Playing() const { return player_ != nullptr; }

    // From any thread: runs the command on the engine's thread.
    void Post(std::function<void(PlayerEngine&)> command);

    // The commands, to be called on the engine's thread.
    // Plays the file's last program and watches the file.
    void Open(const QString& file);
    // Reads the file again; plays the new program when it changed.
    void Reload();
    // Plays a program's text that is in no file (the player's edits), named
    // `name` in messages; stops following the file. Only the newest of the
    // texts posted is built: `edit` counts them.
    void PlayText(const std::string& text, const QString& name, int edit);
    // Numbers the texts posted for PlayText, from any thread.
    int NextEdit() { return ++latestEdit_; }
    // Runs on to recorded frame `frame` (from 0), holding the buttons under
    // which it plays, and pauses there; -1 lets go of those buttons.
    void ShowRecordedFrame(int frame);
    // Bits 0, 1, 2: BP1, BP2, BP3 held.
    void SetButtons(int held);
    void SetSpeed(double speed);
    // Plays the compact build (the frames as a table in flash) or the generated program.
    void SetCompact(bool compact);
    // Builds for another chip or board (the ATmega8535 at first).
    void SetChip(const chip::Chip& chip);
    void SetPaused(bool paused);
    void Step();
    // Shows what the chip shows on the cube on `port` too, and holds its
    // buttons on the chip; again for the chip now chosen when already live.
    void StartLive(const QString& port);
    void StopLive();
    bool Live() const { return live_ != nullptr; }
    // Runs the chip up to the clock and hands the frame to the window.
    void Tick();
    // Ticks every `intervalMs` on the engine's own thread.
    void StartTicking(int intervalMs);

  signals:
    // There is news in the box.
    void Updated();

  private slots:
    void RunPosted();

  private:
    void MakeTimersAndWatcher();
    void Load(const std::string& text, bool fromFile);
    // Builds the program and plays the build from its start.
    void Start(const pipeline::BuildSource& source, pipeline::BuildKind kind,
               std::optional<SwitchCombination> openSequence);
    // Tells the window what plays: its sizes, which program, what is unusual about it.
    void Announce(const program::ProgramPreview& preview, const std::string& fileText);
    // Builds the program again from the start: the file's, or the edited text.
    void Rebuild();
    void Fail(const QString& message);
    // How many cycles the chip may run flat out to reach a frame.
    std::uint64_t MostSkipCycles() const;
    void Watch();
    void Publish();
    // Gives the chip the buttons it should see now, and tells the window.
    void ApplyButtons();
    // The buttons held on screen or on the live cube.
    std::array<bool, 3> UserHeld() const;

    void TellLive();
    // Gives the live cube the cells the chip shows, when they changed.
    void FeedLive(const chip::PlayerFrame& frame);

    chip::Clock clock_;
    QString file_;
    QString name_;  // the program's name in messages
    std::atomic<int> latestEdit_ = 0;
    std::optional<int> selectedHold_;  // buttons held to show the selected frame
    std::optional<int> pauseAt_;       // the selected frame, paused on when it shows
    std::optional<std::string> text_;  // the file's content as last read
    std::optional<std::vector<program::RecordedFrame>> frames_;
    std::unique_ptr<chip::CubePlayer> player_;
    std::string playingSource_;  // what the chip plays was built from this
    QString playingSizes_;
    std::array<bool, 3> held_{};                  // as the user holds them
    std::optional<SwitchCombination> following_;  // the sequence being recorded
    bool fileSeen_ = false;                       // the file could be read once
    // The file's size and time when last read: checked every second in case
    // the system's change notice was lost.
    qint64 seenSize_ = -1;
    qint64 seenModified_ = -1;
    int ticks_ = 0;
    double speed_ = 1.0;
    bool paused_ = false;
    bool compact_ = false;
    chip::Chip chip_ = chip::kAtmega8535;
    NewsBox news_;
    std::mutex postedMutex_;
    std::vector<std::function<void(PlayerEngine&)>> posted_;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* ticker_ = nullptr;
    int tickMs_ = 40;
    std::unique_ptr<live::LivePort> live_;
    QString livePort_;
    int cubeHeld_ = 0;  // the buttons held on the live cube
    QTimer* reloadSoon_ = nullptr;
};

}  // namespace ledcube::player
