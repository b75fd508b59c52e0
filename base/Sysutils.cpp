// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Sysutils.h"

#include <limits>

#include "base/Language.h"

namespace ledcube {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The text as the user can read it in a message: control characters written as \xNN.
std::string Printable(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string printable;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            printable += "\\x";
            printable += kHex[byte >> 4];
            printable += kHex[byte & 0xF];
        } else {
            printable += c;
        }
    }
    return printable;
}

[[noreturn]] void RefuseInteger(std::string_view text) {
    throw Exception(Tr("Editor", "'%1' is not a valid whole number").Arg(Printable(text)));
}

}  // namespace

std::int32_t StrToInt(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;

    bool negative = false;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == end) RefuseInteger(text);

    // The magnitude may reach 2^31 for the most negative value.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') RefuseInteger(text);
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) RefuseInteger(text);
    }
    if (!negative && magnitude == kLimit) RefuseInteger(text);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace ledcube
