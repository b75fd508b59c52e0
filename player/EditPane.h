// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

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
    // The duration box: the first frame selected's duration in ms, and what
    // it is on the chip ("= 13 passes ≈ 199.6 ms"); disabled without frames.
    void ShowDuration(const QString& ms);
    void ShowDurationSays(const QString& says, bool enabled);

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
