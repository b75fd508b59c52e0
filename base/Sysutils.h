// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ledcube {

// The program's error: its message is what the user sees in the error box.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Converts a decimal text with an optional sign to a signed 32-bit integer.
// Blanks (spaces and tabs) before and after the number are ignored; anything
// else that is not part of the number, an empty text and a value outside the
// 32-bit range raise Exception with a message that quotes the text.
std::int32_t StrToInt(std::string_view text);

}  // namespace ledcube
