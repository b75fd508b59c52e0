// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace ledcube::player {

// What the window asks the user; tests answer in its place.
struct PlayerQuestions {
    // Unsaved edits: Save, Discard or Cancel.
    std::function<QMessageBox::StandardButton(const QString& question)> unsavedEdits;
    // The file to save to, starting from a proposed one; empty when cancelled.
    std::function<QString(const QString& proposed)> saveName;
    // Something went wrong; the program goes on.
    std::function<void(const QString& message)> warn;
    // A yes-or-no question; true for yes.
    std::function<bool(const QString& question)> confirm;
    // The animated GIF to write, starting from a proposed name; empty when cancelled.
    std::function<QString(const QString& proposed)> gifName;
    // Something done that the user should hear of.
    std::function<void(const QString& message)> tell;
};

// The questions asked in the desktop's dialogs, over `window`.
PlayerQuestions DialogQuestions(QWidget* window);

}  // namespace ledcube::player
