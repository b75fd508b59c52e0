// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/ProgramDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "program/SimError.h"

namespace ledcube::player {

namespace {

std::optional<std::string> FileContent(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll().toStdString();
}

}  // namespace

QString ProposedSaveName(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("c") : info.suffix();
    for (int number = 2;; ++number) {
        const QString name = QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(number).arg(suffix);
        const QString candidate = info.dir().filePath(name);
        if (!QFileInfo::exists(candidate)) return candidate;
    }
}

// One edit as the history keeps it: the program and the selection before and after.
class AnimationCommand : public QUndoCommand {
  public:
    AnimationCommand(ProgramDocument& document, const QString& name, sim::Animation after,
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
    sim::Animation before_;
    std::vector<int> selectionBefore_;
    sim::Animation after_;
    std::vector<int> selectionAfter_;
};

ProgramDocument::ProgramDocument() = default;

void ProgramDocument::Load(const QString& path, const std::string& fileText) {
    const sim::ProgramPreview preview = sim::PreviewLastProgram(fileText);
    sim::Animation animation;
    readOnly_.reset();
    try {
        animation = sim::ReadAnimation(preview.text);
        if (preview.handEditedLine)
            readOnly_ = QCoreApplication::translate(
                            "ProgramDocument",
                            "read-only: the program was edited by hand (from line %1 it is not the "
                            "editor's text: a comment, a blank line, spacing or a value the editor "
                            "never writes); it plays as written")
                            .arg(*preview.handEditedLine);
    } catch (const sim::SimError& error) {
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
            animation.blocks[static_cast<std::size_t>(at)].kind != sim::AnimationBlock::Kind::Close)
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
    sim::Animation after = animation_;
    std::vector<int> selection = change(after, selection_);
    if (after == animation_) {
        Select(std::move(selection));
        return;
    }
    if (!path_.isEmpty() && !savedByUs_) editedCopy_ = true;
    history_.push(new AnimationCommand(*this, name, std::move(after), std::move(selection)));
}

void ProgramDocument::Put(const sim::Animation& animation, const std::vector<int>& selection) {
    animation_ = animation;
    selection_ = selection;
    if (changed) changed();
}

std::optional<QString> ProgramDocument::SaveAs(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const bool sameFile = !path_.isEmpty() && QFileInfo(path).absoluteFilePath() ==
                                                  QFileInfo(path_).absoluteFilePath();
    if (sameFile && FileContent(path) != std::optional<std::string>(fileText_))
        return QCoreApplication::translate("ProgramDocument",
                                           "%1 changed on disk since it was read: it is not "
                                           "overwritten. Save under another "
                                           "name; your edits are kept.")
            .arg(name);
    const std::string text = Text();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit())
        return QCoreApplication::translate(
                   "ProgramDocument",
                   "%1 cannot be written (%2); nothing was written and your edits are kept.")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    path_ = QFileInfo(path).absoluteFilePath();
    fileText_ = text;
    savedByUs_ = true;
    editedCopy_ = false;
    history_.setClean();
    if (changed) changed();
    return std::nullopt;
}

}  // namespace ledcube::player
