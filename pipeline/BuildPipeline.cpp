// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeline/BuildPipeline.h"

#include <algorithm>
#include <functional>
#include <future>

#include "base/Language.h"
#include "compact/BuildProof.h"
#include "compact/CompactBuild.h"
#include "firmware/FlashEstimate.h"
#include "program/SimError.h"

namespace ledcube::pipeline {

namespace {

using chip::Firmware;

// A scratch folder the result keeps for the files built in it.
std::shared_ptr<const chip::ScratchFolder> Folder(BuiltProgram& built) {
    built.folders.push_back(std::make_shared<const chip::ScratchFolder>());
    return built.folders.back();
}

}  // namespace

int EstimatedBytes(const std::vector<program::RecordedFrame>& frames) {
    FlashEstimate estimate;
    estimate.Header();
    int sequence = 0;
    for (const program::RecordedFrame& frame : frames) {
        if (frame.sequence != sequence) {
            if (sequence != 0) estimate.Close();
            if (frame.block) estimate.Open(*frame.block);
            sequence = frame.sequence;
        }
        estimate.Frame(frame.repeatCount * 15, frame.cells);
    }
    if (sequence != 0) estimate.Close();
    return estimate.BytesWithClosings();
}

namespace {

const std::vector<program::RecordedFrame>& FramesOf(const BuildSource& source) {
    if (!source.frames)
        throw program::SimError(Tr("Build",
                                   "the compact build needs a program as the editor writes "
                                   "it; this one was edited by hand"));
    return *source.frames;
}

// The generated program's build for the chip; none when the code is too large
// to link at all, which only the compact build can still take.
std::optional<Firmware> UnrolledOrNone(const BuildSource& source, const chip::Chip& chip,
                                       BuiltProgram& built) {
    try {
        Firmware firmware = chip::BuildFirmware(source.text, source.fileName, *Folder(built), chip);
        built.compilerLog = firmware.compilerLog;
        built.unrolled = firmware.sizes;
        return firmware;
    } catch (const chip::BuildError& error) {
        if (!error.TooLarge()) throw;
        built.compilerLog = error.Log();
        return std::nullopt;
    }
}

Firmware CompactBuild(const BuildSource& source, const chip::Chip& chip, BuiltProgram& built) {
    Firmware firmware = chip::BuildFirmware(CompiledSource(source, BuildKind::Compact, chip),
                                            "compact.c", *Folder(built), chip);
    built.compact = firmware.sizes;
    return firmware;
}

// The compact build proven against the cube's program. A program far too
// large for every chip the proof could run it on is built unrolled (for its
// size) on another core, beside the compact build and its proof.
void ProvenCompact(const BuildSource& source, const chip::Chip& chip, BuiltProgram& built) {
    const std::vector<program::RecordedFrame>& frames = FramesOf(source);
    std::future<void> beside;
    BuiltProgram besideBuilt;
    BuiltProgram cubeBuilt;
    std::optional<Firmware> cube;
    if (EstimatedBytes(frames) > 2 * chip::kAtmega32.flashBytes) {
        beside = std::async(std::launch::async, [&] { UnrolledOrNone(source, chip, besideBuilt); });
    } else {
        const std::optional<Firmware> unrolled = UnrolledOrNone(source, chip, built);
        // Another chip's compact build is proven against the cube's own program.
        cube = chip == chip::kAtmega8535 ? unrolled
                                         : UnrolledOrNone(source, chip::kAtmega8535, cubeBuilt);
    }
    const compact::ProvenCompact compact = compact::BuildProvenCompact(
        source.text, frames, cube ? &*cube : nullptr, source.fileName, *Folder(built), chip);
    if (beside.valid()) {
        beside.get();
        built.unrolled = besideBuilt.unrolled;
        built.compilerLog = besideBuilt.compilerLog;
    }
    built.built = BuildKind::Compact;
    built.firmware = compact.firmware;
    built.compact = compact.firmware.sizes;
    built.provenAgainst = compact.reference;
}

// Another chip's unrolled build proven against the cube's program.
void ProveOnOtherChip(const BuildSource& source, const BuildPlan& plan, BuiltProgram& built) {
    const std::vector<program::RecordedFrame>& frames = *source.frames;
    BuiltProgram cubeFolders;
    const std::optional<Firmware> cube = UnrolledOrNone(source, chip::kAtmega8535, cubeFolders);
    const chip::ScratchFolder referenceScratch;
    const compact::ProvenReference reference = compact::ChooseReference(
        source.text, cube ? &*cube : nullptr, source.fileName, referenceScratch);
    std::optional<compact::KnownRun> known;
    if (plan.runButtons) {
        // One run serves the caller and the proof under those buttons.
        built.run = chip::RunFirmware(
            built.firmware.hex, *plan.runButtons,
            std::max(plan.runMs, compact::ProofMs(frames, *plan.runButtons)), plan.chip);
        known = compact::KnownRun{*plan.runButtons, *built.run};
    }
    compact::ProveBuild(built.firmware, Tr("Build", "the build for the %1").Arg(plan.chip.name),
                        reference, frames, known ? &*known : nullptr);
    built.provenAgainst = reference.text;
}

void Unrolled(const BuildSource& source, const BuildPlan& plan, BuiltProgram& built) {
    built.firmware = chip::BuildFirmware(source.text, source.fileName, *Folder(built), plan.chip);
    built.compilerLog = built.firmware.compilerLog;
    built.unrolled = built.firmware.sizes;
    if (plan.compactSizeToo && source.frames) CompactBuild(source, plan.chip, built);
    if (plan.prove && built.firmware.sizes.Fits() && source.frames &&
        !(plan.chip == chip::kAtmega8535))
        ProveOnOtherChip(source, plan, built);
}

// The compact build, proven when the plan asks.
void Compact(const BuildSource& source, const BuildPlan& plan, BuiltProgram& built) {
    if (plan.prove) {
        ProvenCompact(source, plan.chip, built);
        return;
    }
    built.built = BuildKind::Compact;
    built.firmware = CompactBuild(source, plan.chip, built);
}

// Unrolled when it fits, or when the compact build cannot be made; else compact.
void UnrolledElseCompact(const BuildSource& source, const BuildPlan& plan, BuiltProgram& built) {
    try {
        Unrolled(source, plan, built);
        if (built.firmware.sizes.Fits() || !source.frames) return;
    } catch (const chip::BuildError& error) {
        if (!error.TooLarge() || !source.frames) throw;
        built.compilerLog = error.Log();
    }
    built.fellBack = true;
    Compact(source, plan, built);
}

}  // namespace

std::string CompiledSource(const BuildSource& source, BuildKind kind, const chip::Chip& chip) {
    if (kind == BuildKind::Compact) return compact::CompactSource(FramesOf(source), chip);
    return source.text;
}

BuiltProgram BuildProgram(const BuildSource& source, const BuildPlan& plan) {
    BuiltProgram built;
    switch (plan.kind) {
        case BuildKind::Unrolled:
            Unrolled(source, plan, built);
            break;
        case BuildKind::UnrolledElseCompact:
            UnrolledElseCompact(source, plan, built);
            break;
        case BuildKind::Compact:
            Compact(source, plan, built);
            break;
    }
    return built;
}

BuildOutcome TryBuildProgram(const BuildSource& source, const BuildPlan& plan) {
    try {
        auto built = std::make_shared<const BuiltProgram>(BuildProgram(source, plan));
        if (!built->firmware.sizes.Fits())
            return {{}, chip::NotFittingMessage(built->firmware.sizes)};
        return {built, {}};
    } catch (const std::exception& error) {
        return {{}, error.what()};
    }
}

std::string ProvenLine(const BuiltProgram& built) {
    const std::string what =
        built.built == BuildKind::Compact
            ? Tr("Build", "the compact build").Str()
            : Tr("Build", "the build for the %1").Arg(built.firmware.sizes.chip.name).Str();
    return Tr("Build", "%1 shows what %2 shows, under BP1, BP2, BP3 and Aucun")
        .Arg(what)
        .Arg(built.provenAgainst.value_or(std::string()));
}

std::string BuiltSizes(const BuiltProgram& built) {
    const std::string unrolled = built.unrolled
                                     ? chip::SizesLine(*built.unrolled)
                                     : Tr("Build", "too large to build (over %1 MB of code)")
                                           .Arg(Number(chip::kMostCodeBytes / 1024 / 1024))
                                           .Str();
    if (!built.compact) return unrolled;
    return Tr("Build", "unrolled %1; compact %2")
        .Arg(unrolled)
        .Arg(chip::SizesLine(*built.compact));
}

}  // namespace ledcube::pipeline
