// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>

#include "firmware/FirmwareText.h"
#include "firmware/FlashEstimate.h"
#include "firmware/OutputFile.h"
#include "model/CellModel.h"
#include "workflow/MainView.h"

namespace ledcube {

// The longest frame the firmware can play: its pass counter is a 16-bit int
// on the target, so the repeat count must stay at or below 32767.
inline constexpr std::int32_t kLongestFrameMs = 32767 * 15 + 14;

// Leads the user through recording a program: each step appends its block to
// the output file and then offers the controls that make sense next. A step
// whose write fails raises Exception and leaves the window as it was. It keeps
// the program's estimated flash size: Suivant shows it, and asks before the
// frame that would take the program past the chip's flash.
class RecordingWorkflow {
  public:
    RecordingWorkflow(MainView& view, const CellState& cells, OutputPath& path)
        : view_(view), cells_(cells), path_(path) {}

    // Text change of the file-name box: rebuilds the output path.
    void NomfChange();
    void CommencerClick();
    // Click of BP1, BP2, BP3 or Aucun.
    void SwitchClick(SwitchCombination combination);
    void SuivantClick();
    void FinirBPClick();
    void FinirClick();
    // Enter in Temps: records the frame as Suivant does, while Suivant is shown.
    void TempsEnter();
    // Enter in Nomf: starts as Commencer does, while Commencer is shown.
    void NomfEnter();
    // The window is about to close: true when it may, after asking when the
    // program being recorded is unfinished.
    bool MayClose();
    // Shows in Nomf's tooltip where the file goes and whether it already
    // holds programs (the last one unfinished, say), and the same on the
    // status line while no program is being recorded.
    void ShowFileToolTip();

  private:
    // Where the recording stands.
    enum class Stage { Naming, Choosing, InSequence };

    void ShowBudget();
    // The status line after an action: the file, the sequence and the size.
    void ShowStatus(const std::string& what);

    void Show(std::initializer_list<ControlId> ids) { SetVisible(ids, true); }
    void Hide(std::initializer_list<ControlId> ids) { SetVisible(ids, false); }
    void SetVisible(std::initializer_list<ControlId> ids, bool visible);

    MainView& view_;
    const CellState& cells_;
    OutputPath& path_;
    FlashEstimate estimate_;
    Stage stage_ = Stage::Naming;
    SwitchCombination sequence_ = SwitchCombination::Aucun;
    int sequenceFrames_ = 0;  // in the open sequence, or since the last one closed
};

// The frame duration typed in Temps, in milliseconds; raises Exception for a
// text that is not an integer (saying what is expected) or a duration too
// long for the firmware.
std::int32_t FrameDuration(const std::string& text);

// The question before a frame too short to be shown (under one pass, 15 ms).
std::string ShortFrameQuestion(std::int32_t durationMs);

// The question before closing the window in the middle of a program.
std::string UnfinishedCloseQuestion(const std::string& fileName);

// "image 4 enregistrée (300 ms = 20 passages)": a frame just recorded.
std::string RecordedFrameText(int number, std::int32_t durationMs);

// True when a program of this estimated size may not fit the chip's flash:
// the estimate leaves a margin of 1 % for its own error.
bool MayNotFit(const FlashEstimate& estimate);

// Suivant's tooltip: the number the next frame gets and the size so far.
std::string BudgetText(const FlashEstimate& estimate);

// The question before a frame that takes the program past the flash; `after`
// holds the program with that frame.
std::string OverflowQuestion(const FlashEstimate& after);

// Nomf's tooltip: the file's full path, how many programs it already holds
// and whether the last of them is unfinished.
std::string FileText(const std::string& resolvedPath, int programs, bool lastUnfinished = false);

}  // namespace ledcube
