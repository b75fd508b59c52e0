// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary texts to the duration conversion and checks every answer
// against a plain reading of the text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Sysutils.h"
#include "workflow/RecordingWorkflow.h"

namespace {

// The number a text stands for when it is blanks, an optional sign, digits and
// blanks; false when it is anything else. Values are capped far above 32 bits.
bool PlainReading(const std::string& text, long long& value) {
    std::size_t begin = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) return false;
    std::string core = text.substr(begin, end - begin + 1);
    bool negative = false;
    if (core[0] == '+' || core[0] == '-') {
        negative = core[0] == '-';
        core.erase(0, 1);
    }
    if (core.empty()) return false;
    value = 0;
    for (char c : core) {
        if (c < '0' || c > '9') return false;
        if (value < 10'000'000'000LL) value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    long long expected = 0;
    const bool integer =
        PlainReading(text, expected) && expected >= INT32_MIN && expected <= INT32_MAX;
    try {
        const std::int32_t value = ledcube::StrToInt(text);
        if (!integer || value != expected) std::abort();
    } catch (const ledcube::Exception& error) {
        if (integer) std::abort();
        // The message quotes the text; control characters in it are spelled out.
        const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        });
        if (plain && error.Message().find("'" + text + "'") == std::string::npos) std::abort();
        for (const char c : error.Message())
            if (static_cast<unsigned char>(c) < 0x20) std::abort();
    }
    try {
        const std::int32_t duration = ledcube::FrameDuration(text);
        if (!integer || duration != expected || duration > ledcube::kLongestFrameMs) std::abort();
    } catch (const ledcube::Exception&) {
        if (integer && expected <= ledcube::kLongestFrameMs) std::abort();
    }
    return 0;
}
