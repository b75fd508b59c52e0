// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace ledcube::player {

// The cube's three push buttons under the user's hands: a button is held
// while the mouse holds it, while its key is down, or while it is latched
// (a Shift-click latches and unlatches it, so that two can be held together).
class ButtonPad {
  public:
    // `button` is 0, 1, 2 for BP1, BP2, BP3.
    void MousePress(int button, bool shift) {
        if (shift)
            latched_[button] = !latched_[button];
        else
            mouse_[button] = true;
    }
    void MouseRelease(int button) { mouse_[button] = false; }
    void Key(int button, bool down) { key_[button] = down; }
    // A window that loses the keyboard never sees the keys come up.
    void ReleaseKeys() { key_ = {}; }

    bool Held(int button) const { return mouse_[button] || key_[button] || latched_[button]; }
    // Bits 0, 1, 2: BP1, BP2, BP3 held.
    int HeldBits() const { return Held(0) | Held(1) << 1 | Held(2) << 2; }

  private:
    std::array<bool, 3> mouse_{};
    std::array<bool, 3> key_{};
    std::array<bool, 3> latched_{};
};

}  // namespace ledcube::player
