// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace ledcube::program {

// A reason why a file cannot be run, told to the user as it stands.
class SimError : public std::runtime_error {
  public:
    explicit SimError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace ledcube::program
