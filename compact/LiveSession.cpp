// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/LiveSession.h"

#include <algorithm>

#include "base/Language.h"
#include "compact/LiveBuild.h"

namespace ledcube::compact {

namespace {

constexpr std::size_t kLongestLine = 80;
constexpr const char* kHelloStart = "ledcube-live ";

}  // namespace

LiveSession::LiveSession(const chip::Chip& chip, std::string port)
    : chip_(chip), port_(std::move(port)) {}

void LiveSession::Opened(double now) {
    state_ = State::Asking;
    openedAt_ = now;
    nextAsk_ = now;
    line_.clear();
    answer_.clear();
}

void LiveSession::Lost(double now, const std::string& reason) {
    state_ = State::Gone;
    reason_ = reason;
    nextOpen_ = now + kLiveReopenEvery;
    lastSent_.reset();
    // Nobody holds the buttons of a cube that is gone.
    if (cubeButtons_ != 0) reported_ = 0;
    cubeButtons_ = 0;
}

void LiveSession::Read(const std::vector<std::uint8_t>& bytes, double now) {
    for (const std::uint8_t byte : bytes) {
        if ((byte & 0xF8) == kLiveButtons) {
            const int bits = byte & 0x07;
            if (state_ == State::Live && bits != cubeButtons_) reported_ = bits;
            cubeButtons_ = bits;
        } else if (byte == '\n') {
            TakeLine(now);
        } else if (byte >= 0x20 && byte < 0x7F && line_.size() < kLongestLine) {
            line_ += static_cast<char>(byte);
        } else {
            line_.clear();  // a bootloader's bytes, or the line cut
        }
    }
}

void LiveSession::TakeLine(double now) {
    // What came before the hello on its line is the bootloader's.
    std::string line = std::exchange(line_, std::string());
    const std::size_t at = line.rfind(kHelloStart);
    if (at == std::string::npos || state_ == State::Live) return;
    line.erase(0, at);
    std::string hello = LiveHello(chip_);
    hello.pop_back();
    if (line == hello) {
        BecomeLive(now);
        return;
    }
    state_ = State::Foreign;
    answer_ = line.substr(std::string(kHelloStart).size());
}

void LiveSession::BecomeLive(double now) {
    state_ = State::Live;
    answer_.clear();
    // The board starts dark: it gets what the player shows now.
    due_.clear();
    due_.emplace_back(now, latest_);
    lastSent_.reset();
    if (cubeButtons_ != 0) reported_ = cubeButtons_;
}

void LiveSession::Show(const CellState& cells, double due) {
    latest_ = cells;
    if (state_ != State::Live) due_.clear();
    due_.emplace_back(due, cells);
}

std::vector<std::uint8_t> LiveSession::Take(double now) {
    if (state_ == State::Asking || state_ == State::Foreign) {
        if (state_ == State::Asking && now - openedAt_ >= kLiveAnswerWithin) {
            state_ = State::Foreign;
            answer_.clear();
        }
        if (now < nextAsk_) return {};
        nextAsk_ = now + (state_ == State::Asking ? kLiveAskEvery : kLiveReopenEvery);
        return {kLiveQuestion};
    }
    if (state_ != State::Live || due_.empty() || due_.front().first > now) return {};
    if (lastSent_ && now < *lastSent_ + kLiveFrameSpacing) return {};
    // Of the frames due, only the newest goes: the cube shows each frame for a whole pass.
    CellState cells = due_.front().second;
    while (!due_.empty() && due_.front().first <= now) {
        cells = due_.front().second;
        due_.pop_front();
    }
    lastSent_ = now;
    ++framesSent_;
    return LiveFrame(cells);
}

bool LiveSession::Reopen(double now) {
    if (state_ != State::Gone || now < nextOpen_) return false;
    state_ = State::Opening;
    nextOpen_ = now + kLiveReopenEvery;
    return true;
}

std::optional<double> LiveSession::NextEvent() const {
    switch (state_) {
        case State::Opening:
            return std::nullopt;
        case State::Asking:
            return std::min(nextAsk_, openedAt_ + kLiveAnswerWithin);
        case State::Foreign:
            return nextAsk_;
        case State::Gone:
            return nextOpen_;
        case State::Live:
            break;
    }
    if (due_.empty()) return std::nullopt;
    return lastSent_ ? std::max(due_.front().first, *lastSent_ + kLiveFrameSpacing)
                     : due_.front().first;
}

std::string LiveSession::Says() const {
    switch (state_) {
        case State::Opening:
            return Tr("live", "opening %1 for the %2…").Arg(port_).Arg(chip_.name);
        case State::Asking:
            return Tr("live", "asking the %1 on %2 whether it runs the live program…")
                .Arg(chip_.name)
                .Arg(port_);
        case State::Live:
            return Tr("live", "live on the %1 on %2").Arg(chip_.name).Arg(port_);
        case State::Foreign:
            if (answer_.empty())
                return Tr("live", "the %1 on %2 does not answer as the live program does")
                    .Arg(chip_.name)
                    .Arg(port_);
            return Tr("live", "the board on %1 runs another live program (%2), not the %3's")
                .Arg(port_)
                .Arg(answer_)
                .Arg(chip_.name);
        case State::Gone:
            return Tr("live",
                      "the cube on %1 is gone (%2): playing on screen only until it comes back")
                .Arg(port_)
                .Arg(reason_);
    }
    return {};
}

std::optional<int> LiveSession::TakeButtons() {
    return std::exchange(reported_, std::nullopt);
}

}  // namespace ledcube::compact
