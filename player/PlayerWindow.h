// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>
#include <QWidget>
#include <array>
#include <atomic>

#include "player/ButtonPad.h"
#include "player/PlayerEngine.h"

class CubeView;
class QComboBox;
class QLabel;
class QPushButton;

namespace ledcube::player {

// Where Open… starts: the folder of the file shown (or the nearest one that
// exists), else the folder D in the home folder where the editor writes.
QString OpenDialogFolder(const QString& shownFile);

// The player's window: the cube as the simulated chip lights it, the three
// push buttons, the speed controls and a readout of what is playing. It owns
// the engine's worker thread: started with the window, stopped and waited
// for when the window goes.
class PlayerWindow : public QWidget {
    Q_OBJECT

  public:
    explicit PlayerWindow(sim::Clock clock, QWidget* parent = nullptr);
    ~PlayerWindow() override;

    void OpenFile(const QString& file);

    const CubeView* Cube() const { return cube_; }
    QString ShowingText() const;
    QString TimeText() const;
    QString ProblemText() const;
    QString WhereText() const;
    // Builds for the chip or board of this --chip name.
    void ChooseChip(const QString& id);
    // Whether the window shows BP1, BP2 or BP3 (0, 1, 2) as held.
    bool ButtonShownHeld(int button) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ShowNews();
    void ShowFrame(const sim::PlayerFrame& frame);
    void ShowLoaded(const LoadedProgram& program);
    void ShowProblem(const QString& message);
    void ShowHeld(const HeldButtons& held);
    void ShowWhere();
    void ChooseFile();
    // Keys 1, 2, 3 hold BP1, BP2, BP3; false for other keys.
    bool TakeButtonKey(QKeyEvent* event, bool down);
    // The user's buttons changed: tells the engine and draws them.
    void UpdateButtons();
    void DrawButtons();
    void SetPaused(bool paused);

    QThread thread_;
    PlayerEngine* engine_;
    std::atomic<bool> engineGone_ = false;
    ButtonPad pad_;
    bool framesKnown_ = true;
    HeldButtons held_;     // as the engine gives them to the chip
    QString programWhere_;  // which program of the file plays
    CubeView* cube_;
    QLabel* file_;
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
};

}  // namespace ledcube::player
