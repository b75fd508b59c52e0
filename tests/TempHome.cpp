// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempHome.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ledcube::test {

TempHome::TempHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ledcube-home-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    home_ = pattern;
    if (const char* old = std::getenv("HOME")) {
        hadHome_ = true;
        oldHome_ = old;
    }
    ::setenv("HOME", home_.c_str(), 1);
}

TempHome::~TempHome() {
    if (hadHome_)
        ::setenv("HOME", oldHome_.c_str(), 1);
    else
        ::unsetenv("HOME");
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
}

std::string TempHome::Read(const std::string& relative) const {
    return ReadFile(Drive() / relative);
}

std::string ReadFile(const std::filesystem::path& file) {
    // Devices and pipes (a link to /dev/full, say) would never end.
    if (!std::filesystem::is_regular_file(file)) return "<not a regular file>";
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace ledcube::test
