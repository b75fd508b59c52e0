// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeMainView.h"

#include "model/CellModel.h"

namespace ledcube::test {

FakeMainView::FakeMainView() {
    for (ControlId id : {ControlId::Label2, ControlId::Nomf, ControlId::Commencer})
        SetVisible(id, true);
    for (int n = 1; n <= kCellCount; ++n) {
        SetVisible(CheckBoxOf(n), n <= kCellsPerLayer);
        SetVisible(IndicatorOf(n), true);
    }
    SetChecked(ControlId::Etage1, true);
}

std::string FakeMainView::GetText(ControlId id) const {
    const auto found = texts_.find(id);
    return found == texts_.end() ? std::string() : found->second;
}

std::string FakeMainView::ToolTip(ControlId id) const {
    const auto found = toolTips_.find(id);
    return found == toolTips_.end() ? std::string() : found->second;
}

void FakeMainView::ChooseLayer(int layer) {
    for (int other = 1; other <= kLayerCount; ++other)
        SetChecked(LayerButtonOf(other), other == layer);
}

}  // namespace ledcube::test
