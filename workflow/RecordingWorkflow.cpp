// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/RecordingWorkflow.h"

#include "base/Language.h"
#include "base/Sysutils.h"
#include "firmware/PassTiming.h"

namespace ledcube {

namespace {

constexpr auto kSwitchButtons = {ControlId::BP1, ControlId::BP2, ControlId::BP3, ControlId::Aucun};

}  // namespace

std::int32_t FrameDuration(const std::string& text) {
    std::int32_t duration = 0;
    try {
        duration = StrToInt(text);
    } catch (const Exception& error) {
        throw Exception(
            error.Message() + "\n" +
            Tr("Editor", "Give the frame's duration in milliseconds: a whole number, 15 or more.")
                .Str());
    }
    if (duration > kLongestFrameMs)
        throw Exception(Tr("Editor",
                           "Duration too long: %1 ms. A frame lasts at most %2 ms, otherwise the "
                           "microcontroller repeats it endlessly.")
                            .Arg(duration)
                            .Arg(kLongestFrameMs));
    return duration;
}

bool MayNotFit(const FlashEstimate& estimate) {
    return estimate.BytesWithClosings() > kFlashBytes - kFlashBytes / 100;
}

namespace {

std::string Percent(int bytes) {
    return Tr("Editor", "%1%").Arg((bytes * 100 + kFlashBytes / 2) / kFlashBytes);
}

std::string Programs(int count) {
    return Counted(count, Tr("Editor", "%1 program"), Tr("Editor", "%1 programs"));
}

std::string Frames(int count) {
    return Counted(count, Tr("Editor", "%1 frame"), Tr("Editor", "%1 frames"));
}

}  // namespace

namespace {

// How the estimate stands against the flash: past it, or within the estimate's margin of it.
std::string Verdict(int bytes) {
    return bytes > kFlashBytes ? Tr("Editor", "more than the %1 bytes").Arg(Number(kFlashBytes))
                               : Tr("Editor", "within 1% of the %1 bytes").Arg(Number(kFlashBytes));
}

}  // namespace

std::string BudgetText(const FlashEstimate& estimate) {
    const int bytes = estimate.BytesWithClosings();
    const std::string text =
        Tr("Editor",
           "Frame %1 of the program\nEstimated size so far: %2 bytes of %3 of flash "
           "memory (%4)")
            .Arg(estimate.Frames() + 1)
            .Arg(Number(bytes))
            .Arg(Number(kFlashBytes))
            .Arg(Percent(bytes));
    if (!MayNotFit(estimate)) return text;
    return text + "\n" + Tr("Editor", "The program may no longer fit in the ATmega8535.").Str();
}

std::string OverflowQuestion(const FlashEstimate& after) {
    const int bytes = after.BytesWithClosings();
    return Tr("Editor",
              "Frame %1 would bring the program to about %2 bytes (closings included), %3 of the "
              "ATmega8535's flash memory: the program may no longer fit in the microcontroller, "
              "and a "
              "frame once written can no longer be taken out of the file.\n\nThe compact version "
              "(ledcube-sim --compact), which keeps the frames in a table, would still fit: it "
              "holds up "
              "to %4 of them with %5.\n\nAdd this frame anyway?")
        .Arg(after.Frames())
        .Arg(Number(bytes))
        .Arg(Verdict(bytes))
        .Arg(Number(CompactFrameLimit(after.FilledSequences())))
        .Arg(Counted(after.FilledSequences(), Tr("Editor", "%1 sequence"),
                     Tr("Editor", "%1 sequences")));
}

std::string FileText(const std::string& resolvedPath, int programs, bool lastUnfinished) {
    std::string text = Tr("Editor", "File: %1").Arg(resolvedPath);
    if (programs > 0)
        text += "\n" +
                Tr("Editor", "This file already holds %1: a new program will be added at its end.")
                    .Arg(Programs(programs))
                    .Str();
    if (programs > 0 && lastUnfinished)
        text += "\n" + Tr("Editor",
                          "The last program of the file is not finished (Finir was not clicked): a "
                          "program added after it will not compile.")
                           .Str();
    return text;
}

std::string ShortFrameQuestion(std::int32_t durationMs) {
    return Tr("Editor",
              "A frame of %1 ms lasts less than one pass over the three layers (15 ms): the cube "
              "will never show it, but it will still take room in the flash memory.\n\nAdd this "
              "frame "
              "anyway?")
        .Arg(Number(durationMs));
}

std::string UnfinishedCloseQuestion(const std::string& fileName) {
    return Tr("Editor",
              "The program of %1 is not finished: without Finir, it stays unfinished in the file "
              "and "
              "does not compile as it is.\n\nClose anyway?")
        .Arg(fileName);
}

std::string RecordedFrameText(int number, std::int32_t durationMs) {
    // The editor writes for the ATmega8535 at its clock as delivered.
    const std::int32_t passes = RepeatCount(durationMs);
    return (passes > 0 ? Tr("Editor", "frame %1 recorded (%2 ms = %3 on the ATmega8535)")
                       : Tr("Editor", "frame %1 recorded (%2 ms = %3)"))
        .Arg(number)
        .Arg(Number(durationMs))
        .Arg(PassesText(passes, kCubeChipClockHz));
}

void RecordingWorkflow::SetVisible(std::initializer_list<ControlId> ids, bool visible) {
    for (ControlId id : ids) view_.SetVisible(id, visible);
}

void RecordingWorkflow::NomfChange() {
    path_ = OutputPath::FromName(view_.GetText(ControlId::Nomf));
    ShowFileToolTip();
}

void RecordingWorkflow::ShowFileToolTip() {
    std::string text;
    std::string status;
    try {
        const auto file = ResolveOutputPath(path_);
        const int programs = CountPrograms(file);
        text = FileText(file.string(), programs, programs > 0 && LastProgramUnfinished(file));
        status = programs > 0
                     ? Tr("Editor", "The program will be written to %1, after the %2 it holds.")
                           .Arg(file.string())
                           .Arg(Programs(programs))
                     : Tr("Editor", "The program will be written to %1.").Arg(file.string());
    } catch (const Exception& error) {
        text = error.Message();
        status = path_.Empty() || view_.GetText(ControlId::Nomf).empty()
                     ? Tr("Editor", "Type the file's name, then Commencer.").Str()
                     : error.Message();
    }
    view_.SetToolTip(ControlId::Nomf, text);
    if (stage_ == Stage::Naming) view_.ShowStatus(status);
}

void RecordingWorkflow::ShowBudget() {
    view_.SetToolTip(ControlId::Suivant, BudgetText(estimate_));
}

void RecordingWorkflow::ShowStatus(const std::string& what) {
    std::string name = path_.Text().substr(path_.Text().rfind('/') + 1);
    view_.ShowStatus(name + " — " + what + " — " +
                     Tr("Editor", "about %1 bytes of %2")
                         .Arg(Number(estimate_.BytesWithClosings()))
                         .Arg(Number(kFlashBytes))
                         .Str());
}

void RecordingWorkflow::TempsEnter() {
    if (view_.IsVisible(ControlId::Suivant)) SuivantClick();
}

void RecordingWorkflow::NomfEnter() {
    if (view_.IsVisible(ControlId::Commencer)) CommencerClick();
}

bool RecordingWorkflow::MayClose() {
    if (stage_ == Stage::Naming) return true;
    return view_.Confirm(UnfinishedCloseQuestion(path_.Text().substr(path_.Text().rfind('/') + 1)));
}

void RecordingWorkflow::CommencerClick() {
    AppendText(path_, ProgramHeader());
    estimate_.Header();
    ShowBudget();
    SetVisible(kSwitchButtons, true);
    view_.SetReadOnly(ControlId::Nomf, true);
    Show({ControlId::Label3});
    Hide({ControlId::Commencer});
    stage_ = Stage::Choosing;
    sequenceFrames_ = 0;
    ShowStatus(
        Tr("Editor", "program started: choose the button combination of the first sequence"));
}

void RecordingWorkflow::SwitchClick(SwitchCombination combination) {
    AppendText(path_, SwitchBlockOpen(combination));
    estimate_.Open(combination);
    ShowBudget();
    Show({ControlId::Etage1, ControlId::Etage2, ControlId::Etage3, ControlId::Temps,
          ControlId::Label1, ControlId::Label2});
    SetVisible(kSwitchButtons, false);
    Show({ControlId::Suivant, ControlId::FinirBP, ControlId::TAllumer, ControlId::TEteindre,
          ControlId::EAllumer, ControlId::EEteindre});
    Hide({ControlId::Finir, ControlId::Label3});
    stage_ = Stage::InSequence;
    sequence_ = combination;
    sequenceFrames_ = 0;
    ShowStatus(Tr("Editor", "sequence %1 — no frame yet").Arg(CombinationName(combination)));
}

void RecordingWorkflow::SuivantClick() {
    const std::int32_t duration = FrameDuration(view_.GetText(ControlId::Temps));
    if (RepeatCount(duration) <= 0 && !view_.Confirm(ShortFrameQuestion(duration))) return;
    FlashEstimate after = estimate_;
    after.Frame(duration, cells_);
    if (!MayNotFit(estimate_) && MayNotFit(after) && !view_.Confirm(OverflowQuestion(after)))
        return;
    AppendText(path_, FrameBlock(duration, cells_));
    estimate_ = after;
    ShowBudget();
    ++sequenceFrames_;
    ShowStatus((stage_ == Stage::InSequence
                    ? Tr("Editor", "sequence %1").Arg(CombinationName(sequence_))
                    : Tr("Editor", "between the sequences"))
                   .Str() +
               " — " + RecordedFrameText(sequenceFrames_, duration));
}

void RecordingWorkflow::FinirBPClick() {
    AppendText(path_, SwitchBlockClose());
    estimate_.Close();
    ShowBudget();
    Show({ControlId::Finir});
    SetVisible(kSwitchButtons, true);
    Hide({ControlId::FinirBP});
    Show({ControlId::Label3});
    stage_ = Stage::Choosing;
    ShowStatus(Tr("Editor", "sequence %1 closed: %2 — choose the next combination, or Finir")
                   .Arg(CombinationName(sequence_))
                   .Arg(Frames(sequenceFrames_)));
    sequenceFrames_ = 0;
}

void RecordingWorkflow::FinirClick() {
    AppendText(path_, ProgramClose());
    SetVisible(kSwitchButtons, false);
    Hide({ControlId::Etage1, ControlId::Etage2, ControlId::Etage3, ControlId::Temps,
          ControlId::Label1, ControlId::Label2, ControlId::Finir, ControlId::Suivant});
    Show({ControlId::Commencer});
    Hide({ControlId::TAllumer, ControlId::TEteindre, ControlId::EAllumer, ControlId::EEteindre});
    view_.SetReadOnly(ControlId::Nomf, false);
    Hide({ControlId::Label3});
    stage_ = Stage::Naming;
    ShowFileToolTip();
    view_.ShowStatus(path_.Text().substr(path_.Text().rfind('/') + 1) + " — " +
                     Tr("Editor", "program finished: %1").Arg(Frames(estimate_.Frames())).Str());
}

}  // namespace ledcube
