// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/ProgramDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/Language.h"
#include "program/SimError.h"
#include "ui/SaveText.h"

namespace ledcube::player {

namespace {

using program::Animation;
using program::CellTransform;

const std::pair<CellTransform, const char*> kTransformNames[] = {
    {CellTransform::ShiftRight, QT_TRANSLATE_NOOP("ProgramDocument", "Shift right")},
    {CellTransform::ShiftLeft, QT_TRANSLATE_NOOP("ProgramDocument", "Shift left")},
    {CellTransform::ShiftBack, QT_TRANSLATE_NOOP("ProgramDocument", "Shift to the back")},
    {CellTransform::ShiftFront, QT_TRANSLATE_NOOP("ProgramDocument", "Shift to the front")},
    {CellTransform::ShiftUp, QT_TRANSLATE_NOOP("ProgramDocument", "Shift up a layer")},
    {CellTransform::ShiftDown, QT_TRANSLATE_NOOP("ProgramDocument", "Shift down a layer")},
    {CellTransform::TurnClockwise,
     QT_TRANSLATE_NOOP("ProgramDocument", "Turn clockwise (seen from above)")},
    {CellTransform::TurnAnticlockwise,
     QT_TRANSLATE_NOOP("ProgramDocument", "Turn anticlockwise (seen from above)")},
    {CellTransform::MirrorLeftRight, QT_TRANSLATE_NOOP("ProgramDocument", "Mirror left ↔ right")},
    {CellTransform::MirrorBackFront, QT_TRANSLATE_NOOP("ProgramDocument", "Mirror back ↔ front")},
    {CellTransform::MirrorTopBottom, QT_TRANSLATE_NOOP("ProgramDocument", "Mirror top ↔ bottom")},
    {CellTransform::Invert, QT_TRANSLATE_NOOP("ProgramDocument", "Invert")},
};

std::optional<std::string> FileContent(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll().toStdString();
}

}  // namespace

QString TransformName(CellTransform transform) {
    for (const auto& [kind, name] : kTransformNames)
        if (kind == transform) return QCoreApplication::translate("ProgramDocument", name);
    return {};
}

QString ProposedSaveName(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("c") : info.suffix();
    for (int number = 2;; ++number) {
        const QString name =
            QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(number).arg(suffix);
        const QString candidate = info.dir().filePath(name);
        if (!QFileInfo::exists(candidate)) return candidate;
    }
}

// One edit as the history keeps it: the program and the selection before and after.
class AnimationCommand : public QUndoCommand {
  public:
    AnimationCommand(ProgramDocument& document, const QString& name, program::Animation after,
                     std::vector<int> selectionAfter)
        : QUndoCommand(name),
          document_(document),
          before_(document.animation_),
          selectionBefore_(document.selection_),
          after_(std::move(after)),
          selectionAfter_(std::move(selectionAfter)) {}

    void undo() override { document_.Put(before_, selectionBefore_); }
    void redo() override { document_.Put(after_, selectionAfter_); }

  private:
    ProgramDocument& document_;
    program::Animation before_;
    std::vector<int> selectionBefore_;
    program::Animation after_;
    std::vector<int> selectionAfter_;
};

ProgramDocument::ProgramDocument() = default;

void ProgramDocument::Load(const QString& path, const std::string& fileText) {
    const program::ProgramPreview preview = program::PreviewLastProgram(fileText);
    program::Animation animation;
    readOnly_.reset();
    try {
        animation = program::ReadAnimation(preview.text);
        if (preview.handEditedLine)
            readOnly_ = QCoreApplication::translate(
                            "ProgramDocument",
                            "read-only: the program was edited by hand (from line %1 it is not the "
                            "editor's text: a comment, a blank line, spacing or a value the editor "
                            "never writes); it plays as written")
                            .arg(*preview.handEditedLine);
    } catch (const program::SimError& error) {
        readOnly_ =
            QCoreApplication::translate(
                "ProgramDocument", "read-only: the program holds text the editor never writes (%1)")
                .arg(QString::fromStdString(error.what()));
    }
    history_.clear();
    path_ = path;
    fileText_ = fileText;
    editedCopy_ = false;
    savedByUs_ = false;
    std::vector<int> selection;
    for (const int at : selection_)
        if (at < static_cast<int>(animation.blocks.size()) &&
            animation.blocks[static_cast<std::size_t>(at)].kind !=
                program::AnimationBlock::Kind::Close)
            selection.push_back(at);
    Put(animation, selection);
}

void ProgramDocument::New() {
    history_.clear();
    readOnly_.reset();
    path_.clear();
    fileText_.clear();
    editedCopy_ = false;
    savedByUs_ = false;
    Put({}, {});
}

void ProgramDocument::Select(std::vector<int> blocks) {
    if (blocks == selection_) return;
    selection_ = std::move(blocks);
    if (changed) changed();
}

void ProgramDocument::Edit(const QString& name, const AnimationChange& change) {
    if (readOnly_) return;
    program::Animation after = animation_;
    std::vector<int> selection = change(after, selection_);
    if (after == animation_) {
        Select(std::move(selection));
        return;
    }
    if (!path_.isEmpty() && !savedByUs_) editedCopy_ = true;
    history_.push(new AnimationCommand(*this, name, std::move(after), std::move(selection)));
}

void ProgramDocument::DeleteSelection() {
    const std::size_t frames = program::FrameBlocks(animation_, selection_).size();
    Edit(frames < selection_.size()
             ? QCoreApplication::translate("ProgramDocument", "Delete sequence")
             : QString::fromStdString(Counted(static_cast<long long>(frames),
                                              Tr("ProgramDocument", "Delete frame"),
                                              Tr("ProgramDocument", "Delete %1 frames"))),
         [](Animation& a, const std::vector<int>& s) { return program::DeleteBlocks(a, s); });
}

void ProgramDocument::CutFrames() {
    Edit(QString::fromStdString(
             Counted(static_cast<long long>(program::FrameBlocks(animation_, selection_).size()),
                     Tr("ProgramDocument", "Cut frame"), Tr("ProgramDocument", "Cut %1 frames"))),
         [](Animation& a, const std::vector<int>& s) {
             return program::DeleteBlocks(a, program::FrameBlocks(a, s));
         });
}

void ProgramDocument::PasteFrames(const std::vector<program::AnimationFrame>& frames) {
    Edit(QString::fromStdString(Counted(static_cast<long long>(frames.size()),
                                        Tr("ProgramDocument", "Paste frame"),
                                        Tr("ProgramDocument", "Paste %1 frames"))),
         [&frames](Animation& a, const std::vector<int>& s) {
             return program::InsertFrames(a, program::InsertionPoint(a, s), frames);
         });
}

void ProgramDocument::DuplicateFrames() {
    Edit(QString::fromStdString(
             Counted(static_cast<long long>(program::FrameBlocks(animation_, selection_).size()),
                     Tr("ProgramDocument", "Duplicate frame"),
                     Tr("ProgramDocument", "Duplicate %1 frames"))),
         [](Animation& a, const std::vector<int>& s) {
             return program::InsertFrames(a, program::InsertionPoint(a, s),
                                          program::FramesAt(a, s));
         });
}

void ProgramDocument::InsertEffect(const QString& title,
                                   const std::vector<program::AnimationFrame>& frames) {
    const auto count = static_cast<long long>(frames.size());
    Edit(QString::fromStdString(Plural(count, Tr("ProgramDocument", "Insert effect %1: %2 frame"),
                                       Tr("ProgramDocument", "Insert effect %1: %2 frames"))
                                    .Arg(title.toStdString())
                                    .Arg(Number(count))
                                    .Str()),
         [&frames](Animation& a, const std::vector<int>& s) {
             return program::InsertFrames(a, program::InsertionPoint(a, s), frames);
         });
}

void ProgramDocument::InsertEmptyFrame() {
    Edit(QCoreApplication::translate("ProgramDocument", "Insert empty frame"),
         [](Animation& a, const std::vector<int>& s) {
             // As long as the frame it follows, else 150 ms.
             const std::vector<program::AnimationFrame> selected = program::FramesAt(a, s);
             const program::AnimationFrame empty{
                 selected.empty() ? 10 : selected.back().repeatCount, {}};
             return program::InsertFrames(a, program::InsertionPoint(a, s), {empty});
         });
}

void ProgramDocument::MoveFrames(int step) {
    Edit(step < 0 ? QCoreApplication::translate("ProgramDocument", "Move up")
                  : QCoreApplication::translate("ProgramDocument", "Move down"),
         [step](Animation& a, const std::vector<int>& s) {
             return program::MoveFrames(a, s, step);
         });
}

void ProgramDocument::MoveFramesTo(int block) {
    Edit(QCoreApplication::translate("ProgramDocument", "Move frames"),
         [block](Animation& a, const std::vector<int>& s) {
             return program::MoveFramesTo(a, s, block);
         });
}

void ProgramDocument::NewSequence(SwitchCombination combination) {
    Edit(QCoreApplication::translate("ProgramDocument", "New %1 sequence")
             .arg(QString::fromLatin1(CombinationName(combination))),
         [combination](Animation& a, const std::vector<int>& s) {
             return program::NewSequence(a, s, combination);
         });
}

void ProgramDocument::SetSequenceButtons(SwitchCombination combination) {
    Edit(QCoreApplication::translate("ProgramDocument", "Make it a %1 sequence")
             .arg(QString::fromLatin1(CombinationName(combination))),
         [combination](Animation& a, const std::vector<int>& s) {
             if (s.empty()) return s;
             if (const std::optional<int> open = program::SequenceOpening(a, s.front()))
                 a.blocks[static_cast<std::size_t>(*open)].combination = combination;
             return s;
         });
}

void ProgramDocument::DeleteSequence() {
    Edit(QCoreApplication::translate("ProgramDocument", "Delete sequence"),
         [](Animation& a, const std::vector<int>& s) {
             if (s.empty()) return s;
             const std::optional<int> open = program::SequenceOpening(a, s.front());
             return open ? program::DeleteBlocks(a, {*open}) : s;
         });
}

void ProgramDocument::Transform(CellTransform transform) {
    Edit(TransformName(transform), [transform](Animation& a, const std::vector<int>& s) {
        program::TransformFrames(a, s, transform);
        return s;
    });
}

void ProgramDocument::DuplicateTransformed(CellTransform transform) {
    Edit(QCoreApplication::translate("ProgramDocument", "Duplicate and %1")
             .arg(TransformName(transform).toLower()),
         [transform](Animation& a, const std::vector<int>& s) {
             const std::vector<int> copies =
                 program::InsertFrames(a, program::InsertionPoint(a, s), program::FramesAt(a, s));
             program::TransformFrames(a, copies, transform);
             return copies;
         });
}

void ProgramDocument::SetRepeatCount(int passes) {
    Edit(QCoreApplication::translate("ProgramDocument", "Set the duration to %1 ms")
             .arg(static_cast<long long>(passes) * 15),
         [passes](Animation& a, const std::vector<int>& s) {
             for (const int at : program::FrameBlocks(a, s))
                 a.blocks[static_cast<std::size_t>(at)].frame.repeatCount = passes;
             return s;
         });
}

void ProgramDocument::ToggleLamp(int n) {
    const std::vector<int> frames = program::FrameBlocks(animation_, selection_);
    if (frames.empty()) return;
    Edit(QCoreApplication::translate("ProgramDocument", "Turn LED %1 on or off").arg(n),
         [n, at = frames.front()](Animation& a, const std::vector<int>& s) {
             CellState& cells = a.blocks[static_cast<std::size_t>(at)].frame.cells;
             cells.Set(n, cells.Get(n) == 0);
             return s;
         });
}

void ProgramDocument::Put(const program::Animation& animation, const std::vector<int>& selection) {
    animation_ = animation;
    selection_ = selection;
    if (changed) changed();
}

std::optional<QString> ProgramDocument::SaveAs(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const bool sameFile = !path_.isEmpty() &&
                          QFileInfo(path).absoluteFilePath() == QFileInfo(path_).absoluteFilePath();
    if (sameFile && FileContent(path) != std::optional<std::string>(fileText_))
        return QCoreApplication::translate("ProgramDocument",
                                           "%1 changed on disk since it was read: it is not "
                                           "overwritten. Save under another "
                                           "name; your edits are kept.")
            .arg(name);
    const std::string text = Text();
    if (const std::optional<QString> why = SaveText(path, text))
        return QCoreApplication::translate(
                   "ProgramDocument",
                   "%1 cannot be written (%2); nothing was written and your edits are kept.")
            .arg(QDir::toNativeSeparators(path), *why);
    path_ = QFileInfo(path).absoluteFilePath();
    fileText_ = text;
    savedByUs_ = true;
    editedCopy_ = false;
    history_.setClean();
    if (changed) changed();
    return std::nullopt;
}

}  // namespace ledcube::player
