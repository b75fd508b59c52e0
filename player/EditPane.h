// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

#include "program/Animation.h"

class QLabel;
class QLineEdit;

namespace ledcube::player {

class FramePanel;

// The player's edit pane: the line that says whether the program can be
// edited, the frame panel and the duration of the frames selected.
class EditPane : public QWidget {
    Q_OBJECT

  public:
    explicit EditPane(QWidget* parent = nullptr);

    FramePanel* Panel() const { return panel_; }
    QString StateText() const;
    // "read-only: …", "edited copy of …", or nothing.
    void ShowState(const QString& state);
    // The duration box: the duration in ms of a frame of `passes` passes.
    void ShowDuration(int passes);
    // What the first frame selected lasts on a chip at `clockHz` ("= 13
    // passes ≈ 199.6 ms"); the box disabled without frames or when the
    // program cannot be edited.
    void ShowSelected(const std::vector<program::AnimationFrame>& selected, bool editable,
                      unsigned clockHz);

  signals:
    // Enter pressed in the duration box.
    void DurationEntered(const QString& text);

  private:
    FramePanel* panel_;
    QLineEdit* duration_;
    QLabel* durationSays_;
    QLabel* state_;
};

}  // namespace ledcube::player
