// SPDX-License-Identifier: GPL-3.0-or-later
// The player's editing: the frame panel, the menus and keys, saving.
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "chip/FirmwareBuild.h"
#include "firmware/Buttons.h"
#include "player/FlashDialog.h"
#include "player/FramePanel.h"
#include "player/PlayerWindow.h"
#include "program/SimError.h"
#include "ui/Application.h"
#include "ui/LampWidget.h"
#include "workflow/RecordingWorkflow.h"

namespace ledcube::player {

namespace {

using sim::Animation;
using sim::CellTransform;

const QString kFramesType = QStringLiteral("application/x-ledcube-frames");

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

std::vector<EditRow> EditRows() {
    return {
        {"delete", PlayerWindow::tr("&Delete"), {QKeySequence(Qt::Key_Delete)},
         [](ProgramDocument& d) { d.DeleteSelection(); }},
        {"duplicate", PlayerWindow::tr("D&uplicate after"), {QKeySequence(Qt::CTRL | Qt::Key_D)},
         [](ProgramDocument& d) { d.DuplicateFrames(); }},
        {"insert", PlayerWindow::tr("&Insert an empty frame after"), {QKeySequence(Qt::Key_Insert)},
         [](ProgramDocument& d) { d.InsertEmptyFrame(); }},
        {"move-up", PlayerWindow::tr("Move &up"), {QKeySequence(Qt::ALT | Qt::Key_Up)},
         [](ProgramDocument& d) { d.MoveFrames(-1); }},
        {"move-down", PlayerWindow::tr("Move do&wn"), {QKeySequence(Qt::ALT | Qt::Key_Down)},
         [](ProgramDocument& d) { d.MoveFrames(1); }},
    };
}

// The frame's number among the program's frames, from 0.
int FrameNumber(const Animation& animation, int block) {
    int number = 0;
    for (int at = 0; at < block; ++at)
        if (animation.blocks[static_cast<std::size_t>(at)].kind == sim::AnimationBlock::Kind::Frame)
            ++number;
    return number;
}

}  // namespace

void PlayerWindow::MakeEditing() {
    panel_ = new FramePanel(this);
    duration_ = new QLineEdit(this);
    duration_->setPlaceholderText(tr("ms"));
    duration_->setToolTip(tr("The duration of the selected frames in milliseconds (Enter sets it)"));
    connect(duration_, &QLineEdit::returnPressed, this, [this] { ApplyDuration(duration_->text()); });
    editState_ = new QLabel(this);
    // What the duration became: its passes and how long they last on the chip chosen.
    durationSays_ = new QLabel(this);
    editState_->setWordWrap(true);
    // Two lines: the edited copy's line wraps once in a narrow panel.
    editState_->setMinimumHeight(2 * editState_->fontMetrics().lineSpacing());

    panelBox_ = new QWidget(this);
    auto* box = new QVBoxLayout(panelBox_);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(editState_);
    box->addWidget(panel_, 1);
    auto* durationRow = new QHBoxLayout;
    durationRow->addWidget(new QLabel(tr("Duration:"), this));
    durationRow->addWidget(duration_, 1);
    durationRow->addWidget(new QLabel(tr("ms"), this));
    durationRow->addWidget(durationSays_);
    box->addLayout(durationRow);

    connect(panel_, &FramePanel::SelectionChanged, this,
            [this](const std::vector<int>& blocks) { document_.Select(blocks); });
    connect(panel_, &FramePanel::SelectionClickedAgain, this, &PlayerWindow::ShowSelectedFrame);
    connect(&panel_->Model(), &FrameListModel::MoveRequested, this,
            [this](int to) { document_.MoveFramesTo(to); });
    connect(cube_, &CubeView::LampClicked, this, &PlayerWindow::ToggleLamp);

    questions_.unsavedEdits = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, windowTitle(), question,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Save);
        // Said as the desktop's programs say it, rather than Qt's "Discard".
        box.button(QMessageBox::Discard)->setText(tr("Don't Save"));
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    questions_.saveName = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, tr("Save the program"), proposed,
                                            tr("Cube programs (*.c);;All files (*)"));
    };
    questions_.warn = [this](const QString& message) {
        QMessageBox::warning(this, windowTitle(), message);
    };
    questions_.gifName = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, tr("Export the animation"), proposed,
                                            tr("Animated GIF (*.gif)"));
    };
    questions_.tell = [this](const QString& message) {
        QMessageBox::information(this, windowTitle(), message);
    };
    questions_.confirm = [this](const QString& question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    };
    document_.changed = [this] { DocumentChanged(); };
    // The history counts an edit only once it has been made.
    connect(&document_.History(), &QUndoStack::cleanChanged, this, [this] { UpdateEditState(); });
}

QAction* PlayerWindow::AddAction(QMenu* menu, const QString& name, const QString& text,
                                 const QList<QKeySequence>& keys, const std::function<void()>& run) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run] { Guarded(run); });
    menu->addAction(action);
    addAction(action);
    return action;
}

QAction* PlayerWindow::Action(const QString& name) const {
    return findChild<QAction*>(name);
}

QMenuBar* PlayerWindow::MakeMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(tr("&File"));
    AddAction(file, QStringLiteral("new"), tr("&New program"), {QKeySequence::New}, [this] { NewProgram(); });
    AddAction(file, QStringLiteral("open"), tr("&Open…"), {QKeySequence::Open}, [this] { ChooseFile(); });
    AddAction(file, QStringLiteral("save"), tr("&Save"), {QKeySequence::Save}, [this] { Save(); });
    AddAction(file, QStringLiteral("save-as"), tr("Save &as…"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
              [this] { SaveAs(); });
    AddAction(file, QStringLiteral("reload"), tr("&Reload the file"), {QKeySequence(Qt::Key_F5)},
              [this] { ReloadFile(); });
    file->addSeparator();
    AddAction(file, QStringLiteral("put-on-cube"), tr("Put on the c&ube…"), {QKeySequence(Qt::CTRL | Qt::Key_U)},
              [this] { PutOnTheCube(); });
    AddAction(file, QStringLiteral("export-animation"), tr("&Export animation…"),
              {QKeySequence(Qt::CTRL | Qt::Key_E)}, [this] { ExportAnimation(); });
    file->addSeparator();
    AddAction(file, QStringLiteral("quit"), tr("&Quit"), {QKeySequence::Quit}, [this] { close(); });

    QMenu* edit = bar->addMenu(tr("&Edit"));
    QAction* undo = document_.History().createUndoAction(this, tr("Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction* redo = document_.History().createRedoAction(this, tr("Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undo, redo}) {
        edit->addAction(action);
        addAction(action);
    }
    edit->addSeparator();
    AddAction(edit, QStringLiteral("cut"), tr("Cu&t"), {QKeySequence::Cut}, [this] {
        CopyFrames();
        document_.CutFrames();
    });
    AddAction(edit, QStringLiteral("copy"), tr("&Copy"), {QKeySequence::Copy}, [this] { CopyFrames(); });
    AddAction(edit, QStringLiteral("paste"), tr("&Paste"), {QKeySequence::Paste}, [this] { PasteFrames(); });
    for (const EditRow& row : EditRows())
        AddAction(edit, QString::fromLatin1(row.name), row.text, row.keys,
                  [this, edit = row.edit] { edit(document_); });
    edit->addSeparator();
    QMenu* newSequence = edit->addMenu(tr("&New sequence"));
    QMenu* change = edit->addMenu(tr("C&hange the sequence's buttons"));
    for (const SwitchCombination combination : kCombinations) {
        const QString name = QString::fromLatin1(CombinationName(combination));
        AddAction(newSequence, QStringLiteral("new-sequence-") + name, name, {},
                  [this, combination] { document_.NewSequence(combination); });
        AddAction(change, QStringLiteral("sequence-buttons-") + name, name, {},
                  [this, combination] { document_.SetSequenceButtons(combination); });
    }
    AddAction(edit, QStringLiteral("delete-sequence"), tr("Delete the sequence and its frames"), {},
              [this] { document_.DeleteSequence(); });

    QMenu* transform = bar->addMenu(tr("&Transform"));
    QMenu* copies = transform->addMenu(tr("&Duplicate and…"));
    for (const TransformKey& entry : kTransforms) {
        const QString text = TransformName(entry.transform);
        const CellTransform kind = entry.transform;
        AddAction(transform, QString::fromLatin1(entry.name), text, {QKeySequence(entry.key)},
                  [this, kind] { document_.Transform(kind); });
        AddAction(copies, QStringLiteral("duplicate-") + QString::fromLatin1(entry.name), text,
                  {QKeySequence(entry.key.keyboardModifiers() | Qt::SHIFT | entry.key.key())},
                  [this, kind] { document_.DuplicateTransformed(kind); });
    }
    transform->insertMenu(transform->actions().first(), copies);
    transform->insertSeparator(transform->actions().at(1));

    QMenu* view = bar->addMenu(tr("&View"));
    QAction* panel = AddAction(view, QStringLiteral("show-panel"), tr("&Frame panel"), {QKeySequence(Qt::Key_F9)}, [] {});
    panel->setCheckable(true);
    panel->setChecked(true);
    connect(panel, &QAction::toggled, panelBox_, &QWidget::setVisible);

    panel_->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const char* name : {"cut", "copy", "paste", "delete", "duplicate", "insert", "move-up", "move-down"})
        panel_->addAction(Action(QString::fromLatin1(name)));
    return bar;
}

void PlayerWindow::ToggleLamp(int n) {
    document_.ToggleLamp(n);
}

void PlayerWindow::ApplyDuration(const QString& text) {
    if (sim::FrameBlocks(document_.Content(), document_.Selection()).empty()) return;
    std::int32_t duration = 0;
    try {
        duration = FrameDuration(text.toStdString());
    } catch (const Exception& error) {
        questions_.warn(QString::fromStdString(error.Message()));
        return;
    }
    if (RepeatCount(duration) <= 0 && !questions_.confirm(QString::fromStdString(ShortFrameQuestion(duration))))
        return;
    document_.SetRepeatCount(RepeatCount(duration));
}

void PlayerWindow::CopyFrames() {
    const std::vector<sim::AnimationFrame> frames = sim::FramesAt(document_.Content(), document_.Selection());
    if (frames.empty()) return;
    const QByteArray text = QByteArray::fromStdString(sim::FramesText(frames));
    auto* data = new QMimeData;
    data->setData(kFramesType, text);
    data->setText(QString::fromLatin1(text));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PlayerWindow::PasteFrames() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) return;
    const std::string text = data->hasFormat(kFramesType) ? data->data(kFramesType).toStdString()
                                                          : data->text().toStdString();
    std::vector<sim::AnimationFrame> frames;
    try {
        frames = sim::FramesFromText(text);
    } catch (const sim::SimError& error) {
        questions_.warn(tr("Nothing to paste: %1.").arg(QString::fromStdString(error.what())));
        return;
    }
    document_.PasteFrames(frames);
}

void PlayerWindow::DocumentChanged() {
    const Animation& animation = document_.Content();
    const std::vector<int>& selection = document_.Selection();
    const bool contentChanged = animation != shownAnimation_;
    if (contentChanged) {
        panel_->Show(animation, selection);
        shownAnimation_ = animation;
    } else {
        panel_->SelectBlocks(selection);
    }
    UpdateEditState();
    // The text is made only when the program changed, not for every selection.
    if (!loadingFile_ && contentChanged && document_.Text() != playedText_) PlayDocument();
    if (loadingFile_ || (!contentChanged && selection == shownSelection_)) {
        shownSelection_ = selection;
        return;
    }
    shownSelection_ = selection;
    ShowSelectedFrame();
}

void PlayerWindow::ShowSelectedFrame() {
    const Animation& animation = document_.Content();
    const std::vector<int> frames = sim::FrameBlocks(animation, document_.Selection());
    if (frames.empty()) {
        engine_->Post([](PlayerEngine& engine) { engine.ShowRecordedFrame(-1); });
        return;
    }
    const sim::AnimationFrame& first = animation.blocks[static_cast<std::size_t>(frames.front())].frame;
    duration_->setText(QString::number(static_cast<long long>(first.repeatCount) * 15));
    const int number = FrameNumber(animation, frames.front());
    pause_->setChecked(true);
    engine_->Post([number](PlayerEngine& engine) { engine.ShowRecordedFrame(number); });
}

void PlayerWindow::PlayDocument() {
    playedText_ = document_.Text();
    followedFile_.clear();
    const QString name = document_.Path().isEmpty() ? QStringLiteral("new.c") : QFileInfo(document_.Path()).fileName();
    const int edit = engine_->NextEdit();
    engine_->Post([text = playedText_, name, edit](PlayerEngine& engine) { engine.PlayText(text, name, edit); });
}

void PlayerWindow::ShowFileText(const std::string& fileText) {
    if (fileText.empty() || followedFile_.isEmpty() || document_.Modified()) return;
    const bool first = document_.Path() != followedFile_;
    loadingFile_ = true;
    try {
        document_.Load(followedFile_, fileText);
        playedText_ = document_.Text();
    } catch (const sim::SimError&) {
        // The engine said what is wrong with the file.
    }
    loadingFile_ = false;
    UpdateEditState();
    if (first) panel_->setFocus();
}

QString PlayerWindow::EditStateText() const {
    return editState_->text();
}

void PlayerWindow::UpdateEditState() {
    const QString path = document_.Path();
    const QString name = path.isEmpty() ? tr("new program") : QFileInfo(path).fileName();
    setWindowTitle(tr("%1[*] — LED cube player").arg(name));
    setWindowModified(document_.Modified());
    QString state;
    if (document_.ReadOnlyReason())
        state = *document_.ReadOnlyReason();
    else if (document_.EditedCopy() && document_.Modified())
        state = tr("edited copy of %1 — no longer following the file").arg(name);
    // The line keeps its place when empty, so the list below does not move
    // under the pointer when an edit makes it say something.
    editState_->setText(state);
    if (!path.isEmpty()) file_->setText(path);

    const bool editable = !document_.ReadOnlyReason();
    const bool frames = editable && !sim::FrameBlocks(document_.Content(), document_.Selection()).empty();
    const bool sequence = editable && !document_.Selection().empty() &&
                          sim::SequenceOpening(document_.Content(), document_.Selection().front());
    for (const char* name : {"cut", "copy", "duplicate", "move-up", "move-down"})
        Action(QString::fromLatin1(name))->setEnabled(frames);
    for (const TransformKey& entry : kTransforms) {
        Action(QString::fromLatin1(entry.name))->setEnabled(frames);
        Action(QStringLiteral("duplicate-") + QString::fromLatin1(entry.name))->setEnabled(frames);
    }
    Action(QStringLiteral("delete"))->setEnabled(editable && !document_.Selection().empty());
    Action(QStringLiteral("delete-sequence"))->setEnabled(sequence);
    for (const SwitchCombination combination : kCombinations) {
        const QString name = QString::fromLatin1(CombinationName(combination));
        Action(QStringLiteral("sequence-buttons-") + name)->setEnabled(sequence);
        Action(QStringLiteral("new-sequence-") + name)->setEnabled(editable);
    }
    for (const char* name : {"paste", "insert", "save", "save-as"})
        Action(QString::fromLatin1(name))->setEnabled(editable);
    duration_->setEnabled(frames);
    const std::vector<sim::AnimationFrame> selected =
        sim::FramesAt(document_.Content(), document_.Selection());
    durationSays_->setText(
        selected.empty()
            ? QString()
            : QStringLiteral("= ") +
                  QString::fromStdString(PassesText(
                      selected.front().repeatCount,
                      sim::ChipNamed(chips_->currentData().toString().toStdString())->clockHz)));
    // Nothing to put on the cube or to export before a program has frames.
    const bool program = (document_.ReadOnlyReason() && !followedFile_.isEmpty()) ||
                         !sim::AnimationFrames(document_.Content()).empty();
    for (const char* name : {"put-on-cube", "export-animation"})
        Action(QString::fromLatin1(name))->setEnabled(program);
}

bool PlayerWindow::MayDropEdits() {
    if (!document_.Modified()) return true;
    const QString name = document_.Path().isEmpty() ? tr("The new program") : QFileInfo(document_.Path()).fileName();
    switch (questions_.unsavedEdits(tr("%1 has edits that are not saved. Save them?").arg(name))) {
        case QMessageBox::Save: return Save();
        case QMessageBox::Discard: return true;
        default: return false;
    }
}

bool PlayerWindow::Save() {
    if (document_.SavesInPlace()) return SaveTo(document_.Path());
    return SaveAs();
}

bool PlayerWindow::SaveAs() {
    QString proposed;
    if (document_.SavesInPlace())
        proposed = document_.Path();
    else if (!document_.Path().isEmpty())
        proposed = ProposedSaveName(document_.Path());
    else
        proposed = ProposedSaveName(OpenDialogFolder(QString()) + QStringLiteral("/cube.c"));
    const QString path = questions_.saveName(proposed);
    return !path.isEmpty() && SaveTo(path);
}

bool PlayerWindow::SaveTo(const QString& path) {
    if (const std::optional<QString> problem = document_.SaveAs(path)) {
        questions_.warn(*problem);
        return false;
    }
    return true;
}

void PlayerWindow::NewProgram() {
    if (!MayDropEdits()) return;
    pause_->setChecked(false);
    followedFile_.clear();
    document_.New();
    PlayDocument();
    file_->setText(tr("A new program: not saved yet"));
    file_->setProperty("path", QString());
    panel_->setFocus();
}

void PlayerWindow::ReloadFile() {
    const QString path = document_.Path().isEmpty() ? followedFile_ : document_.Path();
    if (!path.isEmpty()) OpenFile(path);
}

std::string PlayerWindow::ProgramToFlash() const {
    // A program edited by hand is not in the panel: the file's, as it plays.
    if (document_.ReadOnlyReason() && !followedFile_.isEmpty())
        return sim::PreviewLastProgram(sim::ReadTextFile(followedFile_.toStdString())).text;
    return document_.Text();
}

void PlayerWindow::PutOnTheCube() {
    if (!Action(QStringLiteral("put-on-cube"))->isEnabled()) return;
    const QString name = document_.Path().isEmpty() ? QStringLiteral("new.c") : QFileInfo(document_.Path()).fileName();
    const sim::Chip chip = *sim::ChipNamed(chips_->currentData().toString().toStdString());
    auto* dialog = new FlashDialog(ProgramToFlash(), name, chip, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
    if (MayDropEdits())
        event->accept();
    else
        event->ignore();
}

}  // namespace ledcube::player
