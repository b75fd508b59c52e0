// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "workflow/MainView.h"

namespace ledcube::test {

// A window without a toolkit: remembers what the logic set, starts as the
// real window starts, and lets tests act as the user (type, tick, choose).
class FakeMainView : public MainView {
  public:
    FakeMainView();

    void SetVisible(ControlId id, bool visible) override { At(visible_, id) = visible; }
    std::string GetText(ControlId id) const override;
    void SetReadOnly(ControlId id, bool readOnly) override { At(readOnly_, id) = readOnly; }
    bool IsChecked(ControlId id) const override { return At(checked_, id); }
    void SetChecked(ControlId id, bool checked) override { At(checked_, id) = checked; }
    void SetLit(ControlId id, bool lit) override { At(lit_, id) = lit; }
    void SetToolTip(ControlId id, const std::string& text) override { toolTips_[id] = text; }
    // Records the question and gives the answer set by AnswerWith (Non at first).
    bool Confirm(const std::string& question) override {
        questions_.push_back(question);
        return answer_;
    }

    bool IsVisible(ControlId id) const override { return At(visible_, id); }
    void ShowStatus(const std::string& text) override { statuses_.push_back(text); }
    // Every text the status line showed, the last one last.
    const std::vector<std::string>& Statuses() const { return statuses_; }
    bool IsReadOnly(ControlId id) const { return At(readOnly_, id); }
    bool IsLit(ControlId id) const { return At(lit_, id); }
    std::string ToolTip(ControlId id) const;
    const std::vector<std::string>& Questions() const { return questions_; }
    void AnswerWith(bool oui) { answer_ = oui; }
    // What the user does: type a whole text, toggle a check box, pick a layer.
    void Type(ControlId id, const std::string& text) { texts_[id] = text; }
    void Toggle(ControlId id) { At(checked_, id) = !At(checked_, id); }
    void ChooseLayer(int layer);

    // Same controls shown, frozen, checked, lit and same texts.
    bool SameState(const FakeMainView& other) const {
        return visible_ == other.visible_ && readOnly_ == other.readOnly_ &&
               checked_ == other.checked_ && lit_ == other.lit_ && texts_ == other.texts_;
    }

  private:
    using Flags = std::array<bool, kControlCount>;
    static bool& At(Flags& flags, ControlId id) { return flags[static_cast<int>(id)]; }
    static bool At(const Flags& flags, ControlId id) { return flags[static_cast<int>(id)]; }

    Flags visible_{};
    Flags readOnly_{};
    Flags checked_{};
    Flags lit_{};
    std::map<ControlId, std::string> texts_;
    std::map<ControlId, std::string> toolTips_;
    std::vector<std::string> questions_;
    std::vector<std::string> statuses_;
    bool answer_ = false;
};

}  // namespace ledcube::test
