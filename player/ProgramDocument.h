// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "firmware/FirmwareText.h"
#include "program/Animation.h"

namespace ledcube::player {

// The transform as the menus and the Undo menu name it: "Shift right".
QString TransformName(program::CellTransform transform);

// The name Save proposes for a file the player did not write: NAME-2.c, or the
// next number free in the same folder.
QString ProposedSaveName(const QString& path);

// A change of the program, as the undo history keeps it.
using AnimationChange =
    std::function<std::vector<int>(program::Animation&, const std::vector<int>&)>;

// The program the player edits: its blocks, the selected blocks, the undo
// history and the file it was read from or saved to. No widgets: the window
// shows it and forwards the user's edits.
class ProgramDocument {
  public:
    ProgramDocument();

    // The program the player plays of this file's text: its last one, closed
    // when it is still being recorded. Raises SimError when it is no program.
    // A program edited by hand opens read-only. Forgets the undo history.
    void Load(const QString& path, const std::string& fileText);
    // An empty program of no file.
    void New();

    const program::Animation& Content() const { return animation_; }
    std::string Text() const { return program::AnimationText(animation_); }
    const QString& Path() const { return path_; }
    // Why the program cannot be edited; none when it can.
    const std::optional<QString>& ReadOnlyReason() const { return readOnly_; }
    // Edited away from a file still being recorded: the file's later frames are not taken.
    bool EditedCopy() const { return editedCopy_; }
    // Unsaved edits.
    bool Modified() const { return !history_.isClean(); }
    // Save writes the file itself (the player wrote it) rather than asking for a name.
    bool SavesInPlace() const { return savedByUs_ && !path_.isEmpty(); }

    const std::vector<int>& Selection() const { return selection_; }
    void Select(std::vector<int> blocks);

    QUndoStack& History() { return history_; }

    // The edits of the selection, each one step of the history named for the
    // Undo menu ("Delete 3 frames"). None changes a read-only program.
    // Deletes the rows selected; a sequence's opening takes its frames along.
    void DeleteSelection();
    // Deletes the frames selected (the window has copied them).
    void CutFrames();
    // Inserts frames after the selection.
    void PasteFrames(const std::vector<program::AnimationFrame>& frames);
    // A copy of the frames selected after them, the copy selected.
    void DuplicateFrames();
    // An empty frame after the selection, as long as the frame it follows.
    void InsertEmptyFrame();
    // An effect's frames after the selection, one step of the history named
    // after the effect ("Insert effect Rain: 24 frames").
    void InsertEffect(const QString& title, const std::vector<program::AnimationFrame>& frames);
    // The frames selected one row up (-1) or down (1).
    void MoveFrames(int step);
    // The frames selected before row `block` (the end: the number of rows).
    void MoveFramesTo(int block);
    // Opens a sequence of these buttons around the frames selected, or an empty one after.
    void NewSequence(SwitchCombination combination);
    // The sequence of the first row selected plays under other buttons.
    void SetSequenceButtons(SwitchCombination combination);
    // Deletes the sequence of the first row selected, with its frames.
    void DeleteSequence();
    // The frames selected moved, turned, mirrored or inverted.
    void Transform(program::CellTransform transform);
    // A copy of the frames selected after them, transformed, the copy selected.
    void DuplicateTransformed(program::CellTransform transform);
    // Every frame selected lasts `passes` passes.
    void SetRepeatCount(int passes);
    // LED n of the first frame selected on or off.
    void ToggleLamp(int n);

    // Writes the program to `path` through a file that replaces the old one
    // whole or not at all. Returns the reason it did not, with the edits kept:
    // the file changed since it was read, or it cannot be written.
    std::optional<QString> SaveAs(const QString& path);

    // Called after every change of the content or the selection.
    std::function<void()> changed;

  private:
    friend class AnimationCommand;
    // One step of the history: the change made on a copy of the program and
    // the selection, returning the selection after it.
    void Edit(const QString& name, const AnimationChange& change);
    void Put(const program::Animation& animation, const std::vector<int>& selection);

    program::Animation animation_;
    std::vector<int> selection_;
    QUndoStack history_;
    QString path_;
    std::string fileText_;  // the file as last read or written
    std::optional<QString> readOnly_;
    bool editedCopy_ = false;
    bool savedByUs_ = false;
};

}  // namespace ledcube::player
