// SPDX-License-Identifier: GPL-3.0-or-later
#include "compact/BuildProof.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/Language.h"
#include "chip/CubeSimulator.h"
#include "compact/CompactBuild.h"
#include "firmware/Buttons.h"
#include "firmware/FlashEstimate.h"
#include "program/SimError.h"

namespace ledcube::compact {

namespace {

// A pass of the generated program; a decoded pass ends when the next one's
// port writes begin, kWritesMs before it starts.
constexpr double kPassMs = chip::kGeneratedPassCycles * 1000.0 / chip::kCpuHertz;
constexpr double kWritesMs = 0.125;
constexpr double kWriteSlackMs = 0.25;

std::string FrameText(const chip::ShownFrame& frame) {
    return Plural(frame.passes, Tr("Proof", "%1 for %2 pass (%3 ms)"),
                  Tr("Proof", "%1 for %2 passes (%3 ms)"))
        .Arg(chip::CellsText(frame.cells))
        .Arg(frame.passes)
        .Arg(Decimal(frame.durationMs, 1));
}

}  // namespace

std::vector<chip::ShownFrame> ExpectedShow(const std::vector<program::RecordedFrame>& frames,
                                           SwitchCombination buttons, int rounds) {
    std::vector<chip::ShownFrame> shown;
    double start = 0;
    for (int round = 0; round < rounds; ++round)
        for (const program::RecordedFrame& frame : frames)
            if (program::PlaysUnder(frame, buttons) && frame.repeatCount > 0) {
                shown.push_back({start, frame.repeatCount, frame.repeatCount * kPassMs - kWritesMs,
                                 frame.cells, false});
                start += frame.repeatCount * kPassMs;
            }
    // The rounds end here, the show would not.
    if (!shown.empty()) shown.back().cut = true;
    return shown;
}

namespace {

// Frames with the same cells one after the other as one stretch.
std::vector<chip::ShownFrame> SameCellsMerged(const std::vector<chip::ShownFrame>& frames) {
    std::vector<chip::ShownFrame> merged;
    for (const chip::ShownFrame& frame : frames) {
        if (!merged.empty() && merged.back().cells == frame.cells) {
            merged.back().passes += frame.passes;
            merged.back().durationMs = frame.startMs + frame.durationMs - merged.back().startMs;
            merged.back().cut = frame.cut;
        } else {
            merged.push_back(frame);
        }
    }
    return merged;
}

}  // namespace

std::optional<std::string> FirstDifference(const std::vector<chip::ShownFrame>& expectedFrames,
                                           const std::vector<chip::ShownFrame>& compactFrames,
                                           long covered, const ShowNames& names, double slackMs) {
    const std::vector<chip::ShownFrame> expected = SameCellsMerged(expectedFrames);
    const std::vector<chip::ShownFrame> compact = SameCellsMerged(compactFrames);
    long passes = 0;
    for (std::size_t i = 0; i == 0 || passes < covered; ++i) {
        const chip::ShownFrame* want = i < expected.size() ? &expected[i] : nullptr;
        const chip::ShownFrame* got = i < compact.size() ? &compact[i] : nullptr;
        const std::string where = Tr("Proof", "shown frame %1, at %2 ms: ")
                                      .Arg(static_cast<long long>(i + 1))
                                      .Arg(Decimal(got    ? got->startMs
                                                   : want ? want->startMs
                                                          : 0.0,
                                                   1));
        if (!want && !got) return std::nullopt;
        if (!want)
            return where + Tr("Proof", "%1 shows %2, %3 nothing")
                               .Arg(names.candidate)
                               .Arg(FrameText(*got))
                               .Arg(names.reference)
                               .Str();
        if (!got)
            return where + Tr("Proof", "%1 shows nothing, %2 %3")
                               .Arg(names.candidate)
                               .Arg(names.reference)
                               .Arg(FrameText(*want))
                               .Str();
        if (want->cut && got->cut && want->cells == got->cells) return std::nullopt;
        const bool sameTime =
            std::abs(got->durationMs - want->durationMs) <= 0.01 * want->durationMs + slackMs;
        if (!(got->cells == want->cells) || got->passes != want->passes || !sameTime ||
            got->cut != want->cut)
            return where +
                   Tr("Proof", "%1 shows %2, %3 %4")
                       .Arg(names.candidate)
                       .Arg(FrameText(*got) + (got->cut ? " " + chip::CutNote() : std::string()))
                       .Arg(names.reference)
                       .Arg(FrameText(*want) + (want->cut ? " " + chip::CutNote() : std::string()))
                       .Str();
        passes += want->passes;
    }
    return std::nullopt;
}

ProvenReference ChooseReference(std::string_view program, const chip::Firmware* unrolled,
                                const std::string& fileName, const chip::ScratchFolder& scratch) {
    ProvenReference reference;
    if (unrolled && unrolled->sizes.Fits()) {
        reference.firmware = *unrolled;
    } else if (unrolled) {
        for (const chip::Chip* chip : {&chip::kAtmega16, &chip::kAtmega32}) {
            // A larger chip's calls take more code, never less.
            if (unrolled->sizes.flash > chip->flashBytes) continue;
            chip::Firmware larger = chip::BuildFirmware(program, fileName, scratch, *chip);
            if (larger.sizes.Fits()) {
                reference.firmware = larger;
                break;
            }
        }
    }
    reference.text =
        reference.firmware
            ? Tr("Proof", "the generated program on the %1")
                  .Arg(reference.firmware->sizes.chip.name)
            : Tr("Proof",
                 "the frames read from the program (the generated program does not fit "
                 "even the ATmega32)");
    return reference;
}

void NominalTimed(std::vector<chip::ShownFrame>& frames, double passMs) {
    // The starts too, so that frames with the same cells one after the other
    // make a stretch of the candidate's passes alone.
    double start = frames.empty() ? 0 : frames.front().startMs;
    for (chip::ShownFrame& frame : frames) {
        frame.startMs = start;
        frame.durationMs = frame.passes * passMs - kWritesMs;
        start += frame.passes * passMs;
    }
}

double ProofMs(const std::vector<program::RecordedFrame>& frames, SwitchCombination buttons) {
    long longest = 0;
    for (const program::RecordedFrame& frame : frames)
        if (program::PlaysUnder(frame, buttons))
            longest = std::max<long>(longest, frame.repeatCount);
    // A round and two more frames, whose ends are not compared.
    return (program::RoundPasses(frames, buttons) + 2 * longest) * kPassMs * 1.02 + 100;
}

void ProveBuild(const chip::Firmware& candidate, const std::string& what,
                const ProvenReference& reference, const std::vector<program::RecordedFrame>& frames,
                const KnownRun* known) {
    const chip::Chip& chip = candidate.sizes.chip;
    // The candidate's pass at its clock: the code around the delays takes
    // fewer milliseconds on a faster clock.
    const double passMs = 3.0 * SlotCycles(chip.clockHz) * 1000.0 / chip.clockHz;
    const ShowNames names{what, reference.firmware ? Tr("Proof", "the generated program").Str()
                                                   : Tr("Proof", "the frames read").Str()};
    for (const SwitchCombination buttons : kCombinations) {
        const long round = program::RoundPasses(frames, buttons);
        const double ms = ProofMs(frames, buttons);
        // A run the caller made already, long enough, is not made again.
        const bool reuse =
            known != nullptr && known->buttons == buttons &&
            known->trace.endCycle >= static_cast<std::uint64_t>(ms * chip.clockHz / 1000);
        const std::vector<chip::ShownFrame> shown = chip::DecodeShow(
            reuse ? known->trace : chip::RunFirmware(candidate.hex, buttons, ms, chip));
        std::vector<chip::ShownFrame> expected =
            reference.firmware
                ? chip::DecodeShow(chip::RunFirmware(reference.firmware->hex, buttons, ms,
                                                     reference.firmware->sizes.chip))
                : ExpectedShow(frames, buttons, 2);
        // The timing to match is the candidate's own passes: on the reference's
        // chip and clock (the ATmega8535 at 1 MHz) the decoded edges of a frame
        // move by up to a few LED writes with the cells; elsewhere each frame
        // lasts its passes.
        const bool nominal = !reference.firmware || !(reference.firmware->sizes.chip == chip);
        if (nominal) NominalTimed(expected, passMs);
        if (const std::optional<std::string> difference =
                FirstDifference(expected, shown, round, names, nominal ? kWriteSlackMs : 0))
            throw program::SimError(Tr("Proof", "%1 does not show what %2 shows under %3: %4")
                                        .Arg(what)
                                        .Arg(reference.text)
                                        .Arg(CombinationName(buttons))
                                        .Arg(*difference));
    }
}

ProvenCompact BuildProvenCompact(std::string_view program,
                                 const std::vector<program::RecordedFrame>& frames,
                                 const chip::Firmware* unrolled, const std::string& fileName,
                                 const chip::ScratchFolder& scratch, const chip::Chip& chip) {
    ProvenCompact proven{chip::BuildFirmware(CompactSource(frames, chip), fileName, scratch, chip),
                         {}};
    if (!proven.firmware.sizes.Fits()) {
        const int sequences = CompactSequences(frames);
        const int limit = CompactFramesHeld(
            chip.flashBytes, CompactLoopBytes(proven.firmware.sizes.flash, frames), sequences);
        throw program::SimError(
            Tr("Proof",
               "the compact build needs %1 bytes of flash, and the %2 has %3: it holds at most "
               "%4 frames in %5, and this program has %6 frames")
                .Arg(Number(proven.firmware.sizes.flash))
                .Arg(chip.name)
                .Arg(Number(chip.flashBytes))
                .Arg(Number(limit))
                .Arg(Counted(sequences, Tr("Proof", "%1 sequence"), Tr("Proof", "%1 sequences")))
                .Arg(Number(static_cast<long long>(frames.size()))));
    }
    const chip::ScratchFolder referenceScratch;
    const ProvenReference reference =
        ChooseReference(program, unrolled, fileName, referenceScratch);
    proven.reference = reference.text;
    ProveBuild(proven.firmware, Tr("Proof", "the compact build"), reference, frames);
    return proven;
}

}  // namespace ledcube::compact
