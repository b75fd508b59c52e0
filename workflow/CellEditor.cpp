// SPDX-License-Identifier: GPL-3.0-or-later
#include "workflow/CellEditor.h"

namespace ledcube {

void CellEditor::CellClick(int n) {
    const bool checked = view_.IsChecked(CheckBoxOf(n));
    view_.SetLit(IndicatorOf(n), checked);
    cells_.Set(n, checked);
}

void CellEditor::LayerClick(int layer) {
    if (!view_.IsChecked(LayerButtonOf(layer))) return;
    for (int n = 1; n <= kCellCount; ++n)
        view_.SetVisible(CheckBoxOf(n), PlaceOf(n).layer == layer);
}

void CellEditor::SetCell(int n, bool on) {
    view_.SetLit(IndicatorOf(n), on);
    view_.SetChecked(CheckBoxOf(n), on);
    cells_.Set(n, on);
}

void CellEditor::SetAllCells(bool on) {
    for (int n = 1; n <= kCellCount; ++n) SetCell(n, on);
}

void CellEditor::SetLayerCells(int layer, bool on) {
    for (int n : CellsOfLayer(layer)) SetCell(n, on);
}

void CellEditor::SetCurrentLayerCells(bool on) {
    // Each radio button is tested on its own, as a group has exactly one checked.
    for (int layer = 1; layer <= kLayerCount; ++layer)
        if (view_.IsChecked(LayerButtonOf(layer))) SetLayerCells(layer, on);
}

}  // namespace ledcube
