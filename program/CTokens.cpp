// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/CTokens.h"

#include <array>
#include <cctype>
#include <charconv>

namespace ledcube::program {

namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

constexpr std::array<std::string_view, 14> kTwoCharOperators = {
    "==", "!=", "<=", ">=", "&&", "||", "++", "--", "<<", ">>", "+=", "-=", "->", "##"};

}  // namespace

std::vector<CToken> Tokenize(std::string_view text) {
    std::vector<CToken> tokens;
    long line = 1;
    bool inDirective = false;  // a line that starts with '#'
    std::size_t at = 0;
    const auto endLine = [&] {
        if (inDirective) tokens.push_back({"\n", at, line});
        inDirective = false;
        ++line;
    };
    while (at < text.size()) {
        const char c = text[at];
        if (c == '\n') {
            endLine();
            ++at;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++at;
        } else if (text.substr(at, 2) == "//") {
            at = text.find('\n', at);
            if (at == std::string_view::npos) at = text.size();
        } else if (text.substr(at, 2) == "/*") {
            const std::size_t close = text.find("*/", at + 2);
            const std::size_t end = close == std::string_view::npos ? text.size() : close + 2;
            for (std::size_t k = at; k < end; ++k)
                if (text[k] == '\n') ++line;
            at = end;
        } else {
            std::size_t length = 1;
            if (IsWordChar(c)) {
                while (at + length < text.size() && IsWordChar(text[at + length])) ++length;
            } else {
                for (std::string_view op : kTwoCharOperators)
                    if (text.substr(at, 2) == op) length = 2;
            }
            // A directive runs to the end of its line. A '#' after other text on
            // its line starts one too: the next program of a file follows the
            // closing brace of the one before on the same line.
            if (c == '#') inDirective = true;
            tokens.push_back({text.substr(at, length), at, line});
            at += length;
        }
    }
    if (inDirective) tokens.push_back({"\n", at, line});
    return tokens;
}

std::optional<long long> IntegerValue(std::string_view token) {
    int base = 10;
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        base = 16;
        token.remove_prefix(2);
    } else if (token.size() > 2 && token[0] == '0' && (token[1] == 'b' || token[1] == 'B')) {
        base = 2;
        token.remove_prefix(2);
    } else if (token.size() > 1 && token[0] == '0') {
        base = 8;
        token.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] =
        std::from_chars(token.data(), token.data() + token.size(), value, base);
    if (token.empty() || error != std::errc() || end != token.data() + token.size())
        return std::nullopt;
    return value;
}

}  // namespace ledcube::program
