// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chip/Chips.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "program/ProgramReader.h"

namespace ledcube::pipeline {

// How a program becomes firmware.
enum class BuildKind {
    Unrolled,             // the generated program as it stands
    Compact,              // the frames as a table in flash read by one loop
    UnrolledElseCompact,  // unrolled, or compact when the unrolled build does not fit
};

// What to build and what to make sure of before it is used.
struct BuildPlan {
    BuildKind kind = BuildKind::Unrolled;
    chip::Chip chip = chip::kAtmega8535;
    // Run the build on its simulated chip against the cube's own program
    // under every combination of the buttons: the compact build and another
    // chip's unrolled build (the ATmega8535's is the reference itself).
    bool prove = false;
    // Beside an unrolled build, the compact build's size (built, not proven).
    bool compactSizeToo = false;
    // A run of the build under these buttons, at least `runMs` long, that the
    // caller needs anyway: the proof uses it rather than running again.
    std::optional<SwitchCombination> runButtons;
    double runMs = 0;
};

// A program to build: its whole text and, when it is the editor's text, its frames.
struct BuildSource {
    std::string text;
    std::optional<std::vector<program::RecordedFrame>> frames;
    std::string fileName;  // names the source in the compiler's messages
};

// What was built, and what it was proven against. The firmware's files stay
// as long as the object does.
struct BuiltProgram {
    BuildKind built = BuildKind::Unrolled;  // Unrolled or Compact
    chip::Firmware firmware;                // what runs and goes into the chip; check its Fits()
    // The unrolled build's sizes, none when its code is too large to link or it was not built.
    std::optional<chip::ProgramSizes> unrolled;
    // The compact build's sizes, when it was built.
    std::optional<chip::ProgramSizes> compact;
    // The unrolled build did not fit: the compact build was made instead.
    bool fellBack = false;
    // What the compiler said of the unrolled build, warnings included.
    std::string compilerLog;
    // "the generated program on the ATmega8535", when the build was proven.
    std::optional<std::string> provenAgainst;
    // The run the plan asked for, when the proof made it.
    std::optional<chip::PortTrace> run;
    std::vector<std::shared_ptr<const chip::ScratchFolder>> folders;
};

// The unrolled build's flash for these frames, estimated without a compiler.
int EstimatedBytes(const std::vector<program::RecordedFrame>& frames);

// The text the compiler gets for a build of this kind (Unrolled or Compact).
std::string CompiledSource(const BuildSource& source, BuildKind kind, const chip::Chip& chip);

// Builds a program as the plan says, and proves it when asked. Raises
// BuildError when the compiler refuses it, SimError when the compact build is
// asked of a program edited by hand, or the proof finds a difference (naming
// the build and the first frame that differs), or a proven compact build does
// not fit the chip. An unrolled build that does not fit is returned: its
// Fits() says so.
BuiltProgram BuildProgram(const BuildSource& source, const BuildPlan& plan);

// A build, or why there is none, said for the user: the compiler's refusal,
// a difference the proof found, or a build that does not fit its chip.
struct BuildOutcome {
    std::shared_ptr<const BuiltProgram> built;  // none when there is a problem
    std::string problem;
};

// BuildProgram, its failures and a build that does not fit told as a problem.
BuildOutcome TryBuildProgram(const BuildSource& source, const BuildPlan& plan);

// "the compact build shows what the generated program on the ATmega8535 shows,
// under BP1, BP2, BP3 and Aucun", for a proven build.
std::string ProvenLine(const BuiltProgram& built);

// "unrolled flash …; compact flash …", or the unrolled build's sizes alone.
std::string BuiltSizes(const BuiltProgram& built);

}  // namespace ledcube::pipeline
