// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace ledcube {

// Names every control of the main window. The cell check boxes D1..D27 and
// the indicators LED1..LED27 follow each other in cell order.
enum class ControlId {
    Label1,
    Label2,
    Label3,
    Etage1,
    Etage2,
    Etage3,
    Suivant,
    Temps,
    Nomf,
    Commencer,
    Finir,
    BP1,
    BP2,
    BP3,
    Aucun,
    FinirBP,
    TAllumer,
    TEteindre,
    EEteindre,
    EAllumer,
    D1,
    D27 = D1 + 26,
    LED1,
    LED27 = LED1 + 26,
};

inline constexpr int kControlCount = static_cast<int>(ControlId::LED27) + 1;

// The check box Dn of cell n (1..27).
constexpr ControlId CheckBoxOf(int n) {
    return static_cast<ControlId>(static_cast<int>(ControlId::D1) + n - 1);
}

// The indicator LEDn of cell n (1..27).
constexpr ControlId IndicatorOf(int n) {
    return static_cast<ControlId>(static_cast<int>(ControlId::LED1) + n - 1);
}

// The radio button Etage1..Etage3 of a layer.
constexpr ControlId LayerButtonOf(int layer) {
    return static_cast<ControlId>(static_cast<int>(ControlId::Etage1) + layer - 1);
}

// The name the control bears in the window ("Suivant", "D14", "LED3" ...).
std::string ControlName(ControlId id);

// What the editing and recording logic may do with the main window.
class MainView {
  public:
    virtual ~MainView() = default;

    // Shows or hides a control at once; a hidden control takes no clicks.
    virtual void SetVisible(ControlId id, bool visible) = 0;
    virtual bool IsVisible(ControlId id) const = 0;
    // The whole current text of an edit box (Temps, Nomf).
    virtual std::string GetText(ControlId id) const = 0;
    // Freezes or frees the text of an edit box (Nomf).
    virtual void SetReadOnly(ControlId id, bool readOnly) = 0;
    // The check mark of a check box or radio button.
    virtual bool IsChecked(ControlId id) const = 0;
    // Sets the check mark of a check box.
    virtual void SetChecked(ControlId id, bool checked) = 0;
    // Lights or darkens an indicator.
    virtual void SetLit(ControlId id, bool lit) = 0;
    // The help text shown while the mouse rests on a control.
    virtual void SetToolTip(ControlId id, const std::string& text) = 0;
    // Asks the user a question with the answers Oui and Non; Non is the
    // default (Enter) and the answer to Escape. True for Oui.
    virtual bool Confirm(const std::string& question) = 0;
    // The status line: what the program is doing, in a line or two.
    virtual void ShowStatus(const std::string& text) = 0;
};

}  // namespace ledcube
