// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "ui/Unit1.h"

namespace ledcube::test {

// Drives a shown main window the way a user does: clicks only what is visible,
// types into edit boxes, answers error boxes.
class WindowDriver {
  public:
    WindowDriver();
    ~WindowDriver();

    TForm1& Form() { return *form_; }
    QWidget* Control(ControlId id) const { return form_->Control(id); }
    bool Shown(ControlId id) const;
    // Clicks a control in its middle; fails the test when it is hidden.
    void Click(ControlId id);
    // Replaces the text of an edit box by typing it, key by key.
    void Type(ControlId id, const QString& text);
    void Tick(int cell) { Click(CheckBoxOf(cell)); }

  private:
    std::unique_ptr<TForm1> form_;
};

// Runs an action and answers the message box it opens: with its default
// acceptance, by pressing Escape ("Escape") or by clicking the button with the
// given caption. Returns the box's text, or nothing when no box opened.
std::optional<QString> AnswerMessageBox(const std::function<void()>& action,
                                        const QString& answer = {});

}  // namespace ledcube::test
