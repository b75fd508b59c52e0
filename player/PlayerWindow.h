// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QThread>
#include <QWidget>
#include <array>
#include <atomic>
#include <functional>

#include "player/ButtonPad.h"
#include "player/PlayerEngine.h"
#include "player/ProgramDocument.h"

class CubeView;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace ledcube::player {

// Where Open… starts: the folder of the file shown (or the nearest one that
// exists), else the folder D in the home folder where the editor writes.
QString OpenDialogFolder(const QString& shownFile);

class FramePanel;

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

    ProgramDocument& Document() { return document_; }
    FramePanel* Panel() const { return panel_; }
    PlayerQuestions& Questions() { return questions_; }
    // The edit actions by name ("delete", "duplicate", "undo" ...), as the menus hold them.
    QAction* Action(const QString& name) const;
    // Turns LED n of the first selected frame on or off.
    void ToggleLamp(int n);
    // Sets the selected frames' duration from the text of the duration box.
    void ApplyDuration(const QString& text);
    // Saves; false when not saved (cancelled or failed, the edits kept).
    bool Save();
    bool SaveAs();
    void NewProgram();
    void ReloadFile();
    // Opens "Put on the cube…" for the program shown.
    void PutOnTheCube();
    // Writes what the chip shows under the buttons held, one round of the
    // frames, as an animated GIF; built and run off the window's thread.
    void ExportAnimation();
    // The program's whole text as it would be flashed.
    std::string ProgramToFlash() const;
    QString EditStateText() const;
  protected:
    void closeEvent(QCloseEvent* event) override;
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

    // Editing, in PlayerEditing.cpp.
    void MakeEditing();
    QMenuBar* MakeMenus();
    QAction* AddAction(QMenu* menu, const QString& name, const QString& text,
                       const QList<QKeySequence>& keys, const std::function<void()>& run);
    // Runs the chip to the first selected frame and pauses there.
    void ShowSelectedFrame();
    void DocumentChanged();
    void UpdateEditState();
    void ShowFileText(const std::string& fileText);
    // True when there are no unsaved edits, or the user saved or discarded them.
    bool MayDropEdits();
    bool SaveTo(const QString& path);
    void CopyFrames();
    void PasteFrames();
    void PlayDocument();

    QThread thread_;
    PlayerEngine* engine_;
    std::atomic<bool> engineGone_ = false;
    ButtonPad pad_;
    bool framesKnown_ = true;
    HeldButtons held_;     // as the engine gives them to the chip
    QString programWhere_;  // which program of the file plays
    bool programLoaded_ = false;  // a program was built and plays
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
    ProgramDocument document_;
    PlayerQuestions questions_;
    FramePanel* panel_ = nullptr;
    QWidget* panelBox_ = nullptr;
    QLineEdit* duration_ = nullptr;
    QLabel* durationSays_ = nullptr;
    QLabel* editState_ = nullptr;
    std::string playedText_;  // the text the engine was last given or read
    bool loadingFile_ = false;
    std::vector<int> shownSelection_;
    sim::Animation shownAnimation_;
    QString followedFile_;  // the file the engine reads, or empty for an edited program
};

}  // namespace ledcube::player
