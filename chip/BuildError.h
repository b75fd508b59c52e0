// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

#include "program/SimError.h"

namespace ledcube::chip {

// A program that avr-gcc does not build: a one-sentence reason for the user,
// and what the compiler and linker said, for --verbose.
class BuildError : public program::SimError {
  public:
    BuildError(const std::string& message, std::string log, bool tooLarge = false)
        : program::SimError(message), log_(std::move(log)), tooLarge_(tooLarge) {}
    const std::string& Log() const { return log_; }
    // The code is too large to link at all.
    bool TooLarge() const { return tooLarge_; }

  private:
    std::string log_;
    bool tooLarge_;
};

}  // namespace ledcube::chip
