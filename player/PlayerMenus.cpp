// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "firmware/Buttons.h"
#include "ui/Application.h"

namespace ledcube::player {

namespace {

using program::CellTransform;

// A transform of the menus: its action's name ("duplicate-" before it for
// the copy) and its key (Shift added for the copy).
struct TransformKey {
    CellTransform transform;
    const char* name;
    QKeyCombination key;
};

const TransformKey kTransforms[] = {
    {CellTransform::ShiftRight, "shift-right", Qt::CTRL | Qt::Key_Right},
    {CellTransform::ShiftLeft, "shift-left", Qt::CTRL | Qt::Key_Left},
    {CellTransform::ShiftBack, "shift-back", Qt::CTRL | Qt::Key_Up},
    {CellTransform::ShiftFront, "shift-front", Qt::CTRL | Qt::Key_Down},
    {CellTransform::ShiftUp, "shift-up", Qt::CTRL | Qt::Key_PageUp},
    {CellTransform::ShiftDown, "shift-down", Qt::CTRL | Qt::Key_PageDown},
    {CellTransform::TurnClockwise, "turn-clockwise", Qt::CTRL | Qt::Key_R},
    {CellTransform::TurnAnticlockwise, "turn-anticlockwise", Qt::CTRL | Qt::Key_L},
    {CellTransform::MirrorLeftRight, "mirror-left-right", Qt::CTRL | Qt::Key_H},
    {CellTransform::MirrorBackFront, "mirror-back-front", Qt::CTRL | Qt::Key_J},
    {CellTransform::MirrorTopBottom, "mirror-top-bottom", Qt::CTRL | Qt::Key_K},
    {CellTransform::Invert, "invert", Qt::CTRL | Qt::Key_I},
};

// An edit of the Edit menu: its action's name, text and keys, and the
// document's method it calls.
struct EditRow {
    const char* name;
    QString text;
    QList<QKeySequence> keys;
    std::function<void(ProgramDocument&)> edit;
};

}  // namespace

PlayerMenus::PlayerMenus(QWidget* window, ProgramDocument& document,
                         const std::vector<MenuCommand>& files,
                         const std::vector<MenuCommand>& clipboard, QWidget* panel, QWidget* pane)
    : window_(window), document_(document), bar_(new QMenuBar(window)) {
    QMenu* file = bar_->addMenu(tr("&File"));
    for (const MenuCommand& command : files)
        if (command.name[0] == '\0')
            file->addSeparator();
        else
            Add(file, QString::fromLatin1(command.name), command.text, command.keys, command.run);
    MakeEditMenu(clipboard);
    MakeTransformMenu();
    MakeViewMenu(pane);
    panel->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const char* name :
         {"cut", "copy", "paste", "delete", "duplicate", "insert", "move-up", "move-down"})
        panel->addAction(Action(QString::fromLatin1(name)));
}

QAction* PlayerMenus::Add(QMenu* menu, const QString& name, const QString& text,
                          const QList<QKeySequence>& keys, const std::function<void()>& run) {
    auto* action = new QAction(text, window_);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window_, [run] { Guarded(run); });
    menu->addAction(action);
    window_->addAction(action);
    return action;
}

QAction* PlayerMenus::Action(const QString& name) const {
    return window_->findChild<QAction*>(name);
}

void PlayerMenus::MakeEditMenu(const std::vector<MenuCommand>& clipboard) {
    QMenu* edit = bar_->addMenu(tr("&Edit"));
    QAction* undo = document_.History().createUndoAction(window_, tr("Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction* redo = document_.History().createRedoAction(window_, tr("Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo}) {
        edit->addAction(action);
        window_->addAction(action);
    }
    edit->addSeparator();
    for (const MenuCommand& command : clipboard)
        Add(edit, QString::fromLatin1(command.name), command.text, command.keys, command.run);
    const EditRow rows[] = {
        {"delete",
         tr("&Delete"),
         {QKeySequence(Qt::Key_Delete)},
         [](ProgramDocument& d) { d.DeleteSelection(); }},
        {"duplicate",
         tr("D&uplicate after"),
         {QKeySequence(Qt::CTRL | Qt::Key_D)},
         [](ProgramDocument& d) { d.DuplicateFrames(); }},
        {"insert",
         tr("&Insert an empty frame after"),
         {QKeySequence(Qt::Key_Insert)},
         [](ProgramDocument& d) { d.InsertEmptyFrame(); }},
        {"move-up",
         tr("Move &up"),
         {QKeySequence(Qt::ALT | Qt::Key_Up)},
         [](ProgramDocument& d) { d.MoveFrames(-1); }},
        {"move-down",
         tr("Move do&wn"),
         {QKeySequence(Qt::ALT | Qt::Key_Down)},
         [](ProgramDocument& d) { d.MoveFrames(1); }},
    };
    for (const EditRow& row : rows)
        Add(edit, QString::fromLatin1(row.name), row.text, row.keys,
            [this, run = row.edit] { run(document_); });
    edit->addSeparator();
    QMenu* newSequence = edit->addMenu(tr("&New sequence"));
    QMenu* change = edit->addMenu(tr("C&hange the sequence's buttons"));
    for (const SwitchCombination combination : kCombinations) {
        const QString name = QString::fromLatin1(CombinationName(combination));
        Add(newSequence, QStringLiteral("new-sequence-") + name, name, {},
            [this, combination] { document_.NewSequence(combination); });
        Add(change, QStringLiteral("sequence-buttons-") + name, name, {},
            [this, combination] { document_.SetSequenceButtons(combination); });
    }
    Add(edit, QStringLiteral("delete-sequence"), tr("Delete the sequence and its frames"), {},
        [this] { document_.DeleteSequence(); });
}

void PlayerMenus::MakeTransformMenu() {
    QMenu* transform = bar_->addMenu(tr("&Transform"));
    QMenu* copies = transform->addMenu(tr("&Duplicate and…"));
    for (const TransformKey& entry : kTransforms) {
        const QString text = TransformName(entry.transform);
        const CellTransform kind = entry.transform;
        Add(transform, QString::fromLatin1(entry.name), text, {QKeySequence(entry.key)},
            [this, kind] { document_.Transform(kind); });
        Add(copies, QStringLiteral("duplicate-") + QString::fromLatin1(entry.name), text,
            {QKeySequence(entry.key.keyboardModifiers() | Qt::SHIFT | entry.key.key())},
            [this, kind] { document_.DuplicateTransformed(kind); });
    }
    transform->insertMenu(transform->actions().first(), copies);
    transform->insertSeparator(transform->actions().at(1));
}

void PlayerMenus::MakeViewMenu(QWidget* pane) {
    QMenu* view = bar_->addMenu(tr("&View"));
    QAction* panel = Add(view, QStringLiteral("show-panel"), tr("&Frame panel"),
                         {QKeySequence(Qt::Key_F9)}, [] {});
    panel->setCheckable(true);
    panel->setChecked(true);
    QObject::connect(panel, &QAction::toggled, pane, &QWidget::setVisible);
}

void PlayerMenus::UpdateEnabled(bool program) {
    const program::Animation& content = document_.Content();
    const std::vector<int>& selection = document_.Selection();
    const bool editable = !document_.ReadOnlyReason();
    const bool frames = editable && !program::FrameBlocks(content, selection).empty();
    const bool sequence =
        editable && !selection.empty() && program::SequenceOpening(content, selection.front());
    const auto enable = [this](const QString& name, bool on) { Action(name)->setEnabled(on); };
    for (const char* name : {"cut", "copy", "duplicate", "move-up", "move-down"})
        enable(QString::fromLatin1(name), frames);
    for (const TransformKey& entry : kTransforms) {
        enable(QString::fromLatin1(entry.name), frames);
        enable(QStringLiteral("duplicate-") + QString::fromLatin1(entry.name), frames);
    }
    enable(QStringLiteral("delete"), editable && !selection.empty());
    enable(QStringLiteral("delete-sequence"), sequence);
    for (const SwitchCombination combination : kCombinations) {
        const QString name = QString::fromLatin1(CombinationName(combination));
        enable(QStringLiteral("sequence-buttons-") + name, sequence);
        enable(QStringLiteral("new-sequence-") + name, editable);
    }
    for (const char* name : {"paste", "insert", "effect", "save", "save-as"})
        enable(QString::fromLatin1(name), editable);
    for (const char* name : {"put-on-cube", "export-animation"})
        enable(QString::fromLatin1(name), program);
}

}  // namespace ledcube::player
