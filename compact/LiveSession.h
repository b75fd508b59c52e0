// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chip/Chips.h"
#include "model/CellModel.h"

namespace ledcube::compact {

// How often the player asks a board what it runs, how long it waits for the
// answer (a board's bootloader runs first after the port's reset), how often
// it tries a port that went away, and the shortest time between two frames
// (one pass of the cube, so that every frame shows whole).
inline constexpr double kLiveAskEvery = 0.25;
inline constexpr double kLiveAnswerWithin = 5.0;
inline constexpr double kLiveReopenEvery = 1.0;
inline constexpr double kLiveFrameSpacing = 0.015;

// What the player knows of the cube on a serial port, from the bytes the
// board sends and the time (seconds of the player's clock): whether it runs
// the live program for the chip chosen, the buttons it reports, and which
// frames to write when. It reads and writes no port itself.
class LiveSession {
  public:
    enum class State {
        Opening,  // the port is being opened
        Asking,   // open; waiting for the board's hello
        Live,     // the board runs the live program for this chip: frames go to it
        Foreign,  // the board runs something else, or does not answer
        Gone,     // the port went away or cannot be opened; tried again now and then
    };

    LiveSession(const chip::Chip& chip, std::string port);

    // The port opened at `now`.
    void Opened(double now);
    // The port went away or could not be opened, for `reason`.
    void Lost(double now, const std::string& reason);
    // Bytes the board sent.
    void Read(const std::vector<std::uint8_t>& bytes, double now);
    // The cells the player shows, due on the cube at `due`.
    void Show(const CellState& cells, double due);
    // What to write to the port at `now`: the question while asking, the
    // newest frame that is due while live.
    std::vector<std::uint8_t> Take(double now);
    // Whether to try opening the port again at `now` (Opened or Lost follows).
    bool Reopen(double now);
    // When Take or Reopen has something to do next; none while waiting for the port.
    std::optional<double> NextEvent() const;

    State Now() const { return state_; }
    // One line for the user: "live on the Arduino Uno (ATmega328P) on /dev/ttyACM0".
    std::string Says() const;
    // The buttons the cube holds (bits 0, 1, 2: BP1, BP2, BP3), once after each change.
    std::optional<int> TakeButtons();
    int FramesSent() const { return framesSent_; }
    const std::string& Port() const { return port_; }
    // Why the port is gone, as the system says it.
    const std::string& Reason() const { return reason_; }

  private:
    void BecomeLive(double now);
    void TakeLine(double now);

    chip::Chip chip_;
    std::string port_;
    State state_ = State::Opening;
    std::string reason_;  // why the port is gone
    std::string answer_;  // the other program's hello, for Foreign
    std::string line_;    // the board's text so far
    double openedAt_ = 0;
    double nextAsk_ = 0;
    double nextOpen_ = 0;
    std::optional<double> lastSent_;
    std::deque<std::pair<double, CellState>> due_;
    CellState latest_;  // the cells given last
    int cubeButtons_ = 0;
    std::optional<int> reported_;
    int framesSent_ = 0;
};

}  // namespace ledcube::compact
