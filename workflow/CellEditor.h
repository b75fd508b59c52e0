// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/CellModel.h"
#include "workflow/MainView.h"

namespace ledcube {

// The commands that edit the frame: one cell, the shown layer, and the bulk
// on/off buttons. Keeps check box, indicator and cell state of each cell equal.
class CellEditor {
  public:
    CellEditor(MainView& view, CellState& cells) : view_(view), cells_(cells) {}

    // Click of check box Dn: mirrors its mark into indicator and cell n.
    void CellClick(int n);
    // Click of a layer's radio button: shows that layer's check boxes only.
    void LayerClick(int layer);
    void TAllumerClick() { SetAllCells(true); }
    void TEteindreClick() { SetAllCells(false); }
    void EAllumerClick() { SetCurrentLayerCells(true); }
    void EEteindreClick() { SetCurrentLayerCells(false); }

    // Lights or darkens indicator n, sets the mark of Dn to match, stores the cell.
    void SetCell(int n, bool on);
    void SetAllCells(bool on);
    void SetLayerCells(int layer, bool on);

  private:
    void SetCurrentLayerCells(bool on);

    MainView& view_;
    CellState& cells_;
};

}  // namespace ledcube
