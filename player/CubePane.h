// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "chip/Chips.h"
#include "chip/CubePlayer.h"
#include "player/ButtonPad.h"
#include "player/PlayerEngine.h"

class CubeView;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLayout;
class QPushButton;
class QVBoxLayout;

namespace ledcube::player {

// The player's cube pane: the cube as the simulated chip lights it, the three
// push buttons, pause, step, the speed, the chip and the build, and the
// readout of what plays. It knows no engine: what the user does comes out as
// signals, what the engine says comes in through the Show methods.
class CubePane : public QWidget {
    Q_OBJECT

  public:
    explicit CubePane(QWidget* parent = nullptr);

    // Puts a row above the pane's own (the window's file line).
    void AddAbove(QLayout* row);

    const CubeView* Cube() const { return cube_; }
    CubeView* Cube() { return cube_; }
    QString ShowingText() const;
    QString TimeText() const;
    QString ProblemText() const;
    QString WhereText() const;
    bool ButtonShownHeld(int button) const;
    // The chip or board chosen, with the wiring chosen under it, if any.
    chip::Chip ChosenChip() const { return chosen_; }
    void ChooseChip(const QString& id);
    // Chooses the wiring of this file (listed under its chip, and added to
    // the list when it is not in the wirings folder); false, with the
    // file's wrong line shown, when it cannot be read.
    bool ChooseWiring(const QString& path);
    // The wiring file chosen, empty for the chip's own pins.
    QString ChosenWiring() const;
    // What the Chip list shows: "Arduino Uno (ATmega328P), wired as mycube".
    QString ChipText() const;
    // Lists the chips again with the wirings saved under each.
    void ListWirings();
    void ChooseCompact(bool compact);
    // The speed's place in its list (×1/100 … ×10), as remembered.
    int SpeedIndex() const;
    void ChooseSpeed(int index);
    // Pauses (true) or plays on, as a click on Pause would.
    void SetPaused(bool paused);
    // The buttons the chip gets: the user's, or those the player holds.
    int ChipHeldBits() const { return held_.bits; }

    void ShowFrame(const chip::PlayerFrame& frame);
    // While the wiring test plays, the readout names what is lit and on which pins.
    void NameWhatIsLit(bool on) { namingLit_ = on; }
    void ShowLoaded(const LoadedProgram& program);
    void ShowProblem(const QString& message);
    void ShowHeld(const HeldButtons& held);
    // The live cube's line under the readout; hidden when not live.
    void ShowLive(const LiveNews& live);
    QString LiveText() const;
    // Ticks Live (as a click would: LiveToggled follows) or unticks it.
    void SetLive(bool on);
    bool LiveChosen() const;
    // Keys 1, 2, 3 hold BP1, BP2, BP3; false for other keys.
    bool TakeButtonKey(QKeyEvent* event, bool down);
    // The window lost the keyboard: the keys it held are let go.
    void ReleaseKeys();

  signals:
    void ButtonsChanged(int bits);
    void PausedChanged(bool paused);
    void StepClicked();
    void SpeedChanged(double speed);
    void CompactChanged(bool compact);
    void ChipChanged(const chip::Chip& chip);
    void WiringClicked();
    void LiveToggled(bool on);

  private:
    QLayout* MakePushButtons();
    QLayout* MakeControls();
    QLayout* MakeReadout();
    void ShowWhere();
    // Takes the chip or wiring the list shows; false when its file is wrong.
    bool TakeChosenChip();
    void UpdateButtons();
    void DrawButtons();

    ButtonPad pad_;
    bool framesKnown_ = true;
    HeldButtons held_;            // as the engine gives them to the chip
    QString programWhere_;        // which program of the file plays
    bool programLoaded_ = false;  // a program was built and plays
    QVBoxLayout* layout_;
    CubeView* cube_;
    QLabel* problem_;
    QLabel* time_;
    QLabel* showing_;
    QLabel* sizes_;
    QLabel* where_;
    std::array<QPushButton*, 3> buttons_{};
    QPushButton* pause_;
    QPushButton* step_;
    QComboBox* speed_;
    QComboBox* chips_;
    QCheckBox* compact_;
    QCheckBox* live_;
    QLabel* liveCaption_;
    QLabel* liveLine_;
    chip::Chip chosen_ = chip::kAtmega8535;
    bool namingLit_ = false;
    int chosenIndex_ = 0;       // the list's item of chosen_
    QStringList extraWirings_;  // wiring files chosen from outside the folder
};

}  // namespace ledcube::player
