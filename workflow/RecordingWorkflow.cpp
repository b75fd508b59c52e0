#include "workflow/RecordingWorkflow.h"

#include "app/Sysutils.h"

namespace ledcube {

namespace {

constexpr auto kSwitchButtons = {ControlId::BP1, ControlId::BP2, ControlId::BP3, ControlId::Aucun};

}  // namespace

std::int32_t FrameDuration(const std::string& text) {
    const std::int32_t duration = StrToInt(text);
    if (duration > kLongestFrameMs)
        throw Exception("Durée trop longue : " + std::to_string(duration) +
                        " ms. Une image dure au plus " + std::to_string(kLongestFrameMs) +
                        " ms, sinon le microcontrôleur la répète sans fin.");
    return duration;
}

void RecordingWorkflow::SetVisible(std::initializer_list<ControlId> ids, bool visible) {
    for (ControlId id : ids) view_.SetVisible(id, visible);
}

void RecordingWorkflow::NomfChange() {
    path_ = OutputPath::FromName(view_.GetText(ControlId::Nomf));
}

void RecordingWorkflow::CommencerClick() {
    AppendText(path_, ProgramHeader());
    SetVisible(kSwitchButtons, true);
    view_.SetReadOnly(ControlId::Nomf, true);
    Show({ControlId::Label3});
    Hide({ControlId::Commencer});
}

void RecordingWorkflow::SwitchClick(SwitchCombination combination) {
    AppendText(path_, SwitchBlockOpen(combination));
    Show({ControlId::Etage1, ControlId::Etage2, ControlId::Etage3, ControlId::Temps,
          ControlId::Label1, ControlId::Label2});
    SetVisible(kSwitchButtons, false);
    Show({ControlId::Suivant, ControlId::FinirBP, ControlId::TAllumer, ControlId::TEteindre,
          ControlId::EAllumer, ControlId::EEteindre});
    Hide({ControlId::Finir, ControlId::Label3});
}

void RecordingWorkflow::SuivantClick() {
    const std::int32_t duration = FrameDuration(view_.GetText(ControlId::Temps));
    AppendText(path_, FrameBlock(duration, cells_));
}

void RecordingWorkflow::FinirBPClick() {
    AppendText(path_, SwitchBlockClose());
    Show({ControlId::Finir});
    SetVisible(kSwitchButtons, true);
    Hide({ControlId::FinirBP});
    Show({ControlId::Label3});
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
}

}  // namespace ledcube
