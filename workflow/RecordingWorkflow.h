#pragma once

#include <cstdint>
#include <initializer_list>

#include "firmware/FirmwareText.h"
#include "firmware/OutputFile.h"
#include "model/CellModel.h"
#include "workflow/MainView.h"

namespace ledcube {

// The longest frame the firmware can play: its pass counter is a 16-bit int
// on the target, so the repeat count must stay at or below 32767.
inline constexpr std::int32_t kLongestFrameMs = 32767 * 15 + 14;

// Leads the user through recording a program: each step appends its block to
// the output file and then offers the controls that make sense next. A step
// whose write fails raises Exception and leaves the window as it was.
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

  private:
    void Show(std::initializer_list<ControlId> ids) { SetVisible(ids, true); }
    void Hide(std::initializer_list<ControlId> ids) { SetVisible(ids, false); }
    void SetVisible(std::initializer_list<ControlId> ids, bool visible);

    MainView& view_;
    const CellState& cells_;
    OutputPath& path_;
};

// The frame duration typed in Temps, in milliseconds; raises Exception for a
// text that is not an integer or a duration too long for the firmware.
std::int32_t FrameDuration(const std::string& text);

}  // namespace ledcube
