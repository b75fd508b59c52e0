// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace ledcube::test {

// Points HOME at a fresh temporary folder for the life of the object, so the
// output file's drive folder lands there; restores HOME afterwards.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Home() const { return home_; }
    // The folder that stands for drive D.
    std::filesystem::path Drive() const { return home_ / "D"; }
    // Content of a file below the drive folder, "" when missing.
    std::string Read(const std::string& relative) const;

  private:
    std::filesystem::path home_;
    std::string oldHome_;
    bool hadHome_ = false;
};

// Whole content of a regular file, "" when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

}  // namespace ledcube::test
