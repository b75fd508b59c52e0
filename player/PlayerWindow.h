// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>
#include <QWidget>
#include <atomic>
#include <memory>

#include "player/CubePane.h"
#include "player/EditPane.h"
#include "player/PlayerEngine.h"
#include "player/PlayerMenus.h"
#include "player/PlayerQuestions.h"
#include "player/PlayerSettings.h"
#include "player/ProgramDocument.h"

class CubeView;
class QAction;
class QLabel;
class QMenu;

namespace ledcube::player {

// Where Open… starts: the folder of the file shown (or the nearest one that
// exists), else the folder D in the home folder where the editor writes.
QString OpenDialogFolder(const QString& shownFile);

class FramePanel;

// The player's window: the file line, the cube pane and the edit pane side by
// side, the menus, and the program's files (open, new, save, put on the cube,
// export). It owns the engine's worker thread: started with the window,
// stopped and waited for when the window goes.
class PlayerWindow : public QWidget {
    Q_OBJECT

  public:
    explicit PlayerWindow(chip::Clock clock, QWidget* parent = nullptr);
    ~PlayerWindow() override;

    void OpenFile(const QString& file);

    const CubeView* Cube() const { return cubePane_->Cube(); }
    QString ShowingText() const { return cubePane_->ShowingText(); }
    QString TimeText() const { return cubePane_->TimeText(); }
    QString ProblemText() const { return cubePane_->ProblemText(); }
    QString WhereText() const { return cubePane_->WhereText(); }
    // Builds for the chip or board of this --chip name.
    void ChooseChip(const QString& id) { cubePane_->ChooseChip(id); }
    void ChooseCompact(bool compact) { cubePane_->ChooseCompact(compact); }
    // Whether the window shows BP1, BP2 or BP3 (0, 1, 2) as held.
    bool ButtonShownHeld(int button) const { return cubePane_->ButtonShownHeld(button); }

    ProgramDocument& Document() { return document_; }
    FramePanel* Panel() const { return editPane_->Panel(); }
    PlayerQuestions& Questions() { return questions_; }
    // The actions by name ("delete", "duplicate", "undo" ...), as the menus hold them.
    QAction* Action(const QString& name) const { return menus_->Action(name); }
    // Turns LED n of the first selected frame on or off.
    void ToggleLamp(int n) { document_.ToggleLamp(n); }
    // Sets the selected frames' duration from the text of the duration box.
    void ApplyDuration(const QString& text);
    // Saves; false when not saved (cancelled or failed, the edits kept).
    bool Save();
    bool SaveAs();
    void NewProgram();
    void ReloadFile();
    // Opens "Put on the cube…" for the program shown.
    void PutOnTheCube();
    // Insert → Effect…: the effect dialog, its frames inserted after the selection.
    void InsertEffect();
    // Writes what the chip shows under the buttons held, one round of the
    // frames, as an animated GIF; built and run off the window's thread.
    void ExportAnimation();
    // Plays the wiring test, naming what is lit, until another program is opened or made.
    void PlayWiringTest();
    // Opens Wiring… for the chip chosen.
    void EditWiring();
    // Live on the cube (Ctrl+L): on the port Put on the cube last used, or
    // one chosen as the live program is put on the cube.
    void SetLive(bool on) { cubePane_->SetLive(on); }
    bool LiveChosen() const { return cubePane_->LiveChosen(); }
    QString LiveText() const { return cubePane_->LiveText(); }
    // Chooses the wiring of this file (--wiring); false when it is wrong, as the cube pane says.
    bool ChooseWiring(const QString& path) { return cubePane_->ChooseWiring(path); }
    QString ChosenWiring() const { return cubePane_->ChosenWiring(); }
    chip::Chip ChosenChip() const { return cubePane_->ChosenChip(); }
    QString ChipText() const { return cubePane_->ChipText(); }
    // What the window remembers for the next time, and takes back from the last.
    PlayerMemory Memory() const;
    void Restore(const PlayerMemory& memory);
    // The files of File → Open Recent, the last opened first.
    QStringList RecentFiles() const { return memory_.recentFiles; }
    // Called with what to remember when the window closes (the settings, in the program).
    std::function<void(const PlayerMemory&)> remember;
    // The program's whole text as it would be flashed.
    std::string ProgramToFlash() const;
    QString EditStateText() const { return editPane_->StateText(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QLayout* MakeFileRow();
    void MakeMenus();
    void ConnectPanes();
    void StartEngine();
    // Runs a command on the engine's thread.
    void Post(std::function<void(PlayerEngine&)> command) { engine_->Post(std::move(command)); }
    void ShowNews();
    void ChooseFile();
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
    // The program's file name in messages: "new.c" before it has one.
    QString ProgramName() const;

    QThread thread_;
    PlayerEngine* engine_;
    std::atomic<bool> engineGone_ = false;
    ProgramDocument document_;
    PlayerQuestions questions_;
    QLabel* file_;
    CubePane* cubePane_;
    EditPane* editPane_;
    std::unique_ptr<PlayerMenus> menus_;
    std::string playedText_;  // the text the engine was last given or read
    bool loadingFile_ = false;
    std::vector<int> shownSelection_;
    program::Animation shownAnimation_;
    QString followedFile_;  // the file the engine reads, or empty for an edited program
    PlayerMemory memory_;   // what is remembered beyond what the panes show
    QMenu* recent_ = nullptr;
    void ShowRecentFiles();
    void LiveToggled(bool on);
    // Says why the chip's wiring cannot be live and unticks Live; false when it can.
    bool RefuseLive(const chip::Chip& chip);
    // Puts the live program on the cube on `port` (or one chosen in the dialog), then goes live.
    void PutLiveProgram(const QString& port);
    bool askedLiveProgram_ = false;  // asked once, each time Live is ticked
};

}  // namespace ledcube::player
