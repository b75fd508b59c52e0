// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace ledcube::sim {

// A reason why a file cannot be run, told to the user as it stands.
class SimError : public std::runtime_error {
  public:
    explicit SimError(const std::string& message) : std::runtime_error(message) {}
};

// A program that avr-gcc does not build: a one-sentence reason for the user,
// and what the compiler and linker said, for --verbose.
class BuildError : public SimError {
  public:
    BuildError(const std::string& message, std::string log, bool tooLarge = false)
        : SimError(message), log_(std::move(log)), tooLarge_(tooLarge) {}
    const std::string& Log() const { return log_; }
    // The code is too large to link at all.
    bool TooLarge() const { return tooLarge_; }

  private:
    std::string log_;
    bool tooLarge_;
};

}  // namespace ledcube::sim
