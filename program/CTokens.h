// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace ledcube::program {

// One token of C text as the compiler reads it: comments and spacing are not
// tokens; the end of a preprocessor line is one (its text is "\n").
struct CToken {
    std::string_view text;
    std::size_t offset;  // of its first byte in the text
    long line;           // from 1
};

// The tokens of a text: names and numbers, the operators of two characters the
// programs use (==, &&, ++ …) and single characters otherwise.
std::vector<CToken> Tokenize(std::string_view text);

// The value of a C integer constant (decimal, 0x hex, 0b binary, leading-0
// octal); none for anything else. A minus sign is a token of its own.
std::optional<long long> IntegerValue(std::string_view token);

}  // namespace ledcube::program
