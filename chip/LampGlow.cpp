// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/LampGlow.h"

#include <algorithm>

namespace ledcube::chip {

LampGlow::LampGlow(std::uint64_t keepCycles) : keepCycles_(keepCycles) {}

void LampGlow::Feed(const PortWrite& write) {
    (write.port == 'A' ? portA_ : portC_) = write.value;
    const std::uint32_t driven = DrivenLeds(portA_, portC_);
    if (driven == changes_.back().driven) return;
    changes_.push_back({write.cycle, driven});
    // The change in force at the start of the kept stretch stays.
    while (changes_.size() > 1 && changes_[1].cycle + keepCycles_ <= write.cycle)
        changes_.pop_front();
}

std::array<double, kCellCount> LampGlow::At(std::uint64_t now, std::uint64_t window,
                                            double fullScale) const {
    std::array<double, kCellCount> glow{};
    window = std::max<std::uint64_t>(1, window);
    const std::uint64_t start = now > window ? now - window : 0;
    std::array<std::uint64_t, kCellCount> drivenCycles{};
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        const std::uint64_t from = std::max(changes_[i].cycle, start);
        const std::uint64_t to =
            i + 1 < changes_.size() ? std::min(changes_[i + 1].cycle, now) : now;
        if (to <= from) continue;
        for (int led = 0; led < kCellCount; ++led)
            if ((changes_[i].driven >> led) & 1) drivenCycles[led] += to - from;
    }
    for (int led = 0; led < kCellCount; ++led)
        glow[led] = std::min(
            1.0, fullScale * static_cast<double>(drivenCycles[led]) / static_cast<double>(window));
    return glow;
}

}  // namespace ledcube::chip
