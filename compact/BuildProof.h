// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "program/ProgramReader.h"

namespace ledcube::compact {

// The frames the cube should show under a combination, from the recorded
// frames, for `rounds` rounds, timed as the generated program's passes; the
// last is cut (the show would go on).
std::vector<chip::ShownFrame> ExpectedShow(const std::vector<program::RecordedFrame>& frames,
                                           SwitchCombination buttons, int rounds);

// Compares two shows from the start until `covered` passes of the expected
// show are compared (the first frame always), frames with the same cells one
// after the other taken as one stretch (the same LEDs lit; how the generated
// program's steps part them depends on the code the compiler made of each
// frame): the same cells, the same passes and durations within 1 % and
// `slackMs`. A frame one show has and the other not is a difference (so is
// anything lit where nothing is expected); frames cut by the end of both runs
// agree when their cells do. Returns what differs first, naming the frame
// ("shown frame 12, at 1,234.5 ms: ..."), or nothing when they agree.
// What the two shows are called in the difference: "the compact build",
// "the generated program".
struct ShowNames {
    std::string candidate;
    std::string reference;
};
std::optional<std::string> FirstDifference(const std::vector<chip::ShownFrame>& expected,
                                           const std::vector<chip::ShownFrame>& candidate,
                                           long covered, const ShowNames& names,
                                           double slackMs = 0);

// What a build is proven against: the generated program on the smallest of
// the ATmega8535, ATmega16 and ATmega32 it fits, or else the frames read.
struct ProvenReference {
    std::optional<chip::Firmware> firmware;
    std::string text;  // "the generated program on the ATmega16", ...
};

// Chooses the reference of a program whose ATmega8535 build is `unrolled`
// (none when too large to link); larger builds go into `scratch`.
ProvenReference ChooseReference(std::string_view program, const chip::Firmware* unrolled,
                                const std::string& fileName, const chip::ScratchFolder& scratch);

// A run of the candidate already made under some buttons.
struct KnownRun {
    SwitchCombination buttons;
    chip::PortTrace trace;
};

// The proof of a build, compact or another chip's: runs it on its simulated
// chip under each of the four combinations for a round of its frames and
// compares its show with the reference's: the same frames with the same
// repeat counts, each lasting its passes at the build's clock within 1 %.
// Raises SimError naming the build (`what`: "the compact build", "the build
// for the Arduino Uno (ATmega328P)") and the first frame that differs.
void ProveBuild(const chip::Firmware& candidate, const std::string& what,
                const ProvenReference& reference, const std::vector<program::RecordedFrame>& frames,
                const KnownRun* known = nullptr);

// Times a reference's show as a build whose pass lasts `passMs` would show
// it: each frame from where the one before ends, for its passes.
void NominalTimed(std::vector<chip::ShownFrame>& frames, double passMs);

// How long the proof runs a build under some buttons: a round of its frames and two more.
double ProofMs(const std::vector<program::RecordedFrame>& frames, SwitchCombination buttons);

// A compact build and what it was proven against.
struct ProvenCompact {
    chip::Firmware firmware;
    std::string reference;  // "the generated program on the ATmega16", ...
};

// Builds the compact firmware of a program and proves it before anything is
// written: run on the simulated chip under each of the four combinations for a
// round of its frames, it must show the frames of the generated program (run
// on the ATmega8535, or on the ATmega16 or ATmega32 when it does not fit;
// beyond that, the frames read from the program) with the same repeat counts.
// The compact build is for `chip` (the ATmega8535 unless told), proven against
// the reference on its own simulated chip. Raises SimError when it does not fit
// the chip (with how many frames it holds), or with
// the first frame that differs. The build goes into `scratch`, which must not
// hold another ATmega8535 build. `unrolled` is the generated program's build
// for the ATmega8535, none when it is too large to link.
ProvenCompact BuildProvenCompact(std::string_view program,
                                 const std::vector<program::RecordedFrame>& frames,
                                 const chip::Firmware* unrolled, const std::string& fileName,
                                 const chip::ScratchFolder& scratch,
                                 const chip::Chip& chip = chip::kAtmega8535);

}  // namespace ledcube::compact
