// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ledcube::test {

// What ledcube-sim did on a file holding a program.
struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the command on a file holding `text`, with `options` before the file.
CommandRun RunCommand(const std::string& text, std::vector<std::string> options);

// The bytes of data an Intel HEX holds; 0 when there is no such file.
int HexBytes(const std::filesystem::path& hex);

}  // namespace ledcube::test
