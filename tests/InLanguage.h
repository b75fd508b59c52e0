// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ledcube::test {

// For the life of the object the programs speak French, from the catalog the
// build made, as they do for a French user; English again afterwards.
class SpeakFrench {
  public:
    SpeakFrench();
    ~SpeakFrench();
    SpeakFrench(const SpeakFrench&) = delete;
    SpeakFrench& operator=(const SpeakFrench&) = delete;
};

}  // namespace ledcube::test
