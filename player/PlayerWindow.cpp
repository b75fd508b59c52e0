// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Sysutils.h"
#include "chip/FirmwareBuild.h"
#include "chip/WiringCheck.h"
#include "compact/LiveBuild.h"
#include "effects/Effect.h"
#include "firmware/FlashEstimate.h"
#include "pipeline/BuildPipeline.h"
#include "player/AnimationExport.h"
#include "player/EffectDialog.h"
#include "player/FlashDialog.h"
#include "player/FrameClipboard.h"
#include "player/FramePanel.h"
#include "player/WiringDialog.h"
#include "program/SimError.h"
#include "ui/Application.h"
#include "ui/LampWidget.h"
#include "ui/Translations.h"
#include "workflow/RecordingWorkflow.h"

namespace ledcube::player {

namespace {

constexpr int kTickMs = 40;  // 25 frames a second

}  // namespace

QString OpenDialogFolder(const QString& shownFile) {
    if (!shownFile.isEmpty()) return NearestExistingFolder(QFileInfo(shownFile).absolutePath());
    return NearestExistingFolder(QDir::homePath() + QStringLiteral("/D"));
}

PlayerWindow::PlayerWindow(chip::Clock clock, QWidget* parent)
    : QWidget(parent),
      engine_(new PlayerEngine(std::move(clock))),
      questions_(DialogQuestions(this)),
      file_(new QLabel(tr("No program open: open one, or drop a file here."), this)),
      cubePane_(new CubePane(this)),
      editPane_(new EditPane(this)) {
    setWindowTitle(tr("LED cube player"));
    setAcceptDrops(true);
    cubePane_->AddAbove(MakeFileRow());
    auto* splitter = new QSplitter(this);
    splitter->addWidget(cubePane_);
    splitter->addWidget(editPane_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({560, 320});
    MakeMenus();
    auto* whole = new QVBoxLayout(this);
    whole->setMenuBar(menus_->Bar());
    whole->addWidget(splitter);
    // The cube scales with the window: on a small screen the window is made to fit
    // (the title bar's height left for the window manager).
    const QRect free = screen()->availableGeometry();
    resize(std::min(880, free.width()), std::min(760, free.height() - 40));
    ConnectPanes();
    StartEngine();
    // Nothing plays until a program is opened or made.
    playedText_ = document_.Text();
    DocumentChanged();
}

PlayerWindow::~PlayerWindow() {
    // The history's last signals, as it goes, find no window to update.
    document_.changed = nullptr;
    document_.History().disconnect(this);
    thread_.quit();
    thread_.wait();
    while (!engineGone_.load(std::memory_order_acquire)) QThread::yieldCurrentThread();
}

QLayout* PlayerWindow::MakeFileRow() {
    auto* open = new QPushButton(tr("Open…"), this);
    open->setFocusPolicy(Qt::NoFocus);
    connect(open, &QPushButton::clicked, this, &PlayerWindow::ChooseFile);
    auto* row = new QHBoxLayout;
    row->addWidget(open);
    row->addWidget(file_, 1);
    return row;
}

void PlayerWindow::MakeMenus() {
    const std::vector<MenuCommand> files = {
        {"new", tr("&New program"), {QKeySequence::New}, [this] { NewProgram(); }},
        {"open", tr("&Open…"), {QKeySequence::Open}, [this] { ChooseFile(); }},
        {"save", tr("&Save"), {QKeySequence::Save}, [this] { Save(); }},
        {"save-as",
         tr("Save &as…"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
         [this] { SaveAs(); }},
        {"reload", tr("&Reload the file"), {QKeySequence(Qt::Key_F5)}, [this] { ReloadFile(); }},
        {"", {}, {}, {}},
        {"put-on-cube",
         tr("Put on the c&ube…"),
         {QKeySequence(Qt::CTRL | Qt::Key_U)},
         [this] { PutOnTheCube(); }},
        {"export-animation",
         tr("&Export animation…"),
         {QKeySequence(Qt::CTRL | Qt::Key_E)},
         [this] { ExportAnimation(); }},
        {"wiring-test", tr("&Wiring test"), {}, [this] { PlayWiringTest(); }},
        {"", {}, {}, {}},
        {"quit", tr("&Quit"), {QKeySequence::Quit}, [this] { close(); }},
    };
    const std::vector<MenuCommand> clipboard = {
        {"cut",
         tr("Cu&t"),
         {QKeySequence::Cut},
         [this] {
             CopyFrames();
             document_.CutFrames();
         }},
        {"copy", tr("&Copy"), {QKeySequence::Copy}, [this] { CopyFrames(); }},
        {"paste", tr("&Paste"), {QKeySequence::Paste}, [this] { PasteFrames(); }},
    };
    menus_ = std::make_unique<PlayerMenus>(this, document_, files, clipboard, Panel(), editPane_);
    // File → Open Recent, below Open….
    QAction* open = Action(QStringLiteral("open"));
    QMenu* fileMenu = menus_->Bar()->actions().first()->menu();
    recent_ = new QMenu(tr("Open &Recent"), this);
    const QList<QAction*> actions = fileMenu->actions();
    const qsizetype at = actions.indexOf(open);
    fileMenu->insertMenu(at + 1 < actions.size() ? actions[at + 1] : nullptr, recent_);
    // File → Live on the cube, below Put on the cube…, ticked with the pane's Live.
    auto* live = new QAction(tr("&Live on the cube"), this);
    live->setObjectName(QStringLiteral("live"));
    live->setCheckable(true);
    live->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    addAction(live);
    connect(live, &QAction::triggered, this, [this](bool on) { cubePane_->SetLive(on); });
    connect(cubePane_, &CubePane::LiveToggled, live, &QAction::setChecked);
    const QList<QAction*> listed = fileMenu->actions();
    const qsizetype put = listed.indexOf(Action(QStringLiteral("put-on-cube")));
    fileMenu->insertAction(put + 1 < listed.size() ? listed[put + 1] : nullptr, live);
    // Insert → Effect…, between Edit and Transform.
    auto* insert = new QMenu(tr("&Insert"), this);
    auto* effect =
        insert->addAction(tr("&Effect…"), this, [this] { Guarded([this] { InsertEffect(); }); });
    effect->setObjectName(QStringLiteral("effect"));
    effect->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    addAction(effect);
    menus_->Bar()->insertMenu(menus_->Bar()->actions().at(2), insert);
    ShowRecentFiles();
}

void PlayerWindow::ShowRecentFiles() {
    recent_->clear();
    for (const QString& file : memory_.recentFiles)
        recent_->addAction(
            QFileInfo(file).fileName() + QStringLiteral("  —  ") + QFileInfo(file).absolutePath(),
            this, [this, file] { Guarded([&] { OpenFile(file); }); });
    recent_->setEnabled(!memory_.recentFiles.isEmpty());
}

PlayerMemory PlayerWindow::Memory() const {
    PlayerMemory memory = memory_;
    memory.chip = QString::fromLatin1(cubePane_->ChosenChip().id);
    memory.wiring = cubePane_->ChosenWiring();
    memory.speedIndex = cubePane_->SpeedIndex();
    memory.panelShown = Action(QStringLiteral("show-panel"))->isChecked();
    memory.place = geometry();
    return memory;
}

void PlayerWindow::Restore(const PlayerMemory& memory) {
    memory_ = memory;
    ShowRecentFiles();
    cubePane_->ChooseSpeed(memory.speedIndex);
    Action(QStringLiteral("show-panel"))->setChecked(memory.panelShown);
    if (chip::ChipNamed(memory.chip.toStdString())) cubePane_->ChooseChip(memory.chip);
    if (!memory.wiring.isEmpty() && QFileInfo::exists(memory.wiring))
        cubePane_->ChooseWiring(memory.wiring);
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    if (memory.place)
        if (const std::optional<QRect> place = PlaceOnScreens(*memory.place, screens))
            setGeometry(*place);
}

void PlayerWindow::PlayWiringTest() {
    if (!MayDropEdits()) return;
    cubePane_->SetPaused(false);
    followedFile_.clear();
    loadingFile_ = true;
    document_.Load(QStringLiteral("wiring-test.c"), chip::WiringTestProgram());
    loadingFile_ = false;
    PlayDocument();
    cubePane_->NameWhatIsLit(true);
    file_->setText(
        tr("The wiring test: each LED alone in turn, then each layer and the whole "
           "cube; a button held lights its layer. Compare the real cube."));
    file_->setProperty("path", QString());
    setWindowTitle(tr("Wiring test — LED cube player"));
}

void PlayerWindow::EditWiring() {
    const chip::Chip chip = cubePane_->ChosenChip();
    const QString wiring = cubePane_->ChosenWiring();
    WiringDialog dialog(
        chip, wiring.isEmpty() ? tr("my cube") : QFileInfo(wiring).completeBaseName(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    cubePane_->ListWirings();
    cubePane_->ChooseWiring(dialog.SavedPath());
}

void PlayerWindow::ConnectPanes() {
    connect(cubePane_, &CubePane::ButtonsChanged, this,
            [this](int held) { Post([held](PlayerEngine& engine) { engine.SetButtons(held); }); });
    connect(cubePane_, &CubePane::PausedChanged, this, [this](bool paused) {
        Post([paused](PlayerEngine& engine) { engine.SetPaused(paused); });
    });
    connect(cubePane_, &CubePane::StepClicked, this,
            [this] { Post([](PlayerEngine& engine) { engine.Step(); }); });
    connect(cubePane_, &CubePane::SpeedChanged, this, [this](double speed) {
        Post([speed](PlayerEngine& engine) { engine.SetSpeed(speed); });
    });
    connect(cubePane_, &CubePane::CompactChanged, this,
            [this](bool on) { Post([on](PlayerEngine& engine) { engine.SetCompact(on); }); });
    connect(cubePane_, &CubePane::ChipChanged, this, [this](const chip::Chip& chip) {
        Post([chip](PlayerEngine& engine) { engine.SetChip(chip); });
        Panel()->Model().SetClock(chip.clockHz);
        askedLiveProgram_ = false;
        if (cubePane_->LiveChosen()) RefuseLive(chip);
        UpdateEditState();
    });
    connect(cubePane_, &CubePane::WiringClicked, this,
            [this] { Guarded([this] { EditWiring(); }); });
    connect(cubePane_, &CubePane::LiveToggled, this,
            [this](bool on) { Guarded([this, on] { LiveToggled(on); }); });
    connect(cubePane_->Cube(), &CubeView::LampClicked, this, &PlayerWindow::ToggleLamp);
    connect(editPane_, &EditPane::DurationEntered, this, &PlayerWindow::ApplyDuration);
    connect(Panel(), &FramePanel::SelectionChanged, this,
            [this](const std::vector<int>& blocks) { document_.Select(blocks); });
    connect(Panel(), &FramePanel::SelectionClickedAgain, this, &PlayerWindow::ShowSelectedFrame);
    connect(&Panel()->Model(), &FrameListModel::MoveRequested, this,
            [this](int to) { document_.MoveFramesTo(to); });
    document_.changed = [this] { DocumentChanged(); };
    // The history counts an edit only once it has been made.
    connect(&document_.History(), &QUndoStack::cleanChanged, this, [this] { UpdateEditState(); });
}

void PlayerWindow::StartEngine() {
    engine_->moveToThread(&thread_);
    // The engine goes with its thread, on its thread; the flag tells the
    // window so through an atomic that ThreadSanitizer sees.
    connect(
        &thread_, &QThread::finished, this,
        [this] {
            delete engine_;
            engineGone_.store(true, std::memory_order_release);
        },
        Qt::DirectConnection);
    connect(engine_, &PlayerEngine::Updated, this, &PlayerWindow::ShowNews);
    thread_.start();
    Post([](PlayerEngine& engine) { engine.StartTicking(kTickMs); });
}

void PlayerWindow::ShowNews() {
    const EngineNews news = engine_->News().Take();
    if (news.problem) cubePane_->ShowProblem(*news.problem);
    if (news.loaded) {
        cubePane_->ShowLoaded(*news.loaded);
        ShowFileText(news.loaded->fileText);
    }
    if (news.held) cubePane_->ShowHeld(*news.held);
    if (news.live) {
        cubePane_->ShowLive(*news.live);
        // A board that runs something else is offered the live program, once.
        if (news.live->state == compact::LiveSession::State::Foreign && !askedLiveProgram_ &&
            cubePane_->LiveChosen()) {
            askedLiveProgram_ = true;
            const QString port = news.live->port;
            if (questions_.confirm(tr("%1. Put the live program on it now?").arg(news.live->says)))
                PutLiveProgram(port);
            else
                cubePane_->SetLive(false);
        }
    }
    if (news.frame) {
        Panel()->Model().SetShownFrame(news.frame->frame - 1);
        cubePane_->ShowFrame(*news.frame);
    }
}

QString PlayerWindow::ProgramName() const {
    return document_.Path().isEmpty() ? QStringLiteral("new.c")
                                      : QFileInfo(document_.Path()).fileName();
}

void PlayerWindow::OpenFile(const QString& file) {
    if (!MayDropEdits()) return;
    // Another program plays from its start: nothing of the old one's
    // selection stays paused or held.
    cubePane_->SetPaused(false);
    // The file's program comes into the panel when the engine has read it.
    loadingFile_ = true;
    document_.New();
    loadingFile_ = false;
    followedFile_ = QFileInfo(file).absoluteFilePath();
    cubePane_->NameWhatIsLit(false);
    memory_.recentFiles = WithRecentFile(memory_.recentFiles, followedFile_);
    ShowRecentFiles();
    file_->setText(QFileInfo(file).absoluteFilePath());
    file_->setProperty("path", QFileInfo(file).absoluteFilePath());
    setWindowTitle(tr("%1[*] — LED cube player").arg(QFileInfo(file).fileName()));
    Post([file](PlayerEngine& engine) { engine.Open(file); });
}

void PlayerWindow::ChooseFile() {
    const QString shown = file_->property("path").toString();
    const QString file =
        QFileDialog::getOpenFileName(this, tr("Open a cube program"), OpenDialogFolder(shown),
                                     tr("Cube programs (*.c);;All files (*)"));
    if (!file.isEmpty()) OpenFile(file);
}

void PlayerWindow::ApplyDuration(const QString& text) {
    if (program::FrameBlocks(document_.Content(), document_.Selection()).empty()) return;
    std::int32_t duration = 0;
    try {
        duration = FrameDuration(text.toStdString());
    } catch (const Exception& error) {
        questions_.warn(QString::fromStdString(error.Message()));
        return;
    }
    if (RepeatCount(duration) <= 0 &&
        !questions_.confirm(QString::fromStdString(ShortFrameQuestion(duration))))
        return;
    document_.SetRepeatCount(RepeatCount(duration));
}

void PlayerWindow::CopyFrames() {
    const std::vector<program::AnimationFrame> frames =
        program::FramesAt(document_.Content(), document_.Selection());
    if (!frames.empty()) CopyFramesToClipboard(frames);
}

void PlayerWindow::PasteFrames() {
    std::vector<program::AnimationFrame> frames;
    try {
        frames = FramesOnClipboard();
    } catch (const program::SimError& error) {
        questions_.warn(tr("Nothing to paste: %1.").arg(QString::fromStdString(error.what())));
        return;
    }
    document_.PasteFrames(frames);
}

void PlayerWindow::DocumentChanged() {
    const program::Animation& animation = document_.Content();
    const std::vector<int>& selection = document_.Selection();
    const bool contentChanged = animation != shownAnimation_;
    if (contentChanged) {
        Panel()->Show(animation, selection);
        shownAnimation_ = animation;
    } else {
        Panel()->SelectBlocks(selection);
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
    const program::Animation& animation = document_.Content();
    const std::vector<int> frames = program::FrameBlocks(animation, document_.Selection());
    if (frames.empty()) {
        Post([](PlayerEngine& engine) { engine.ShowRecordedFrame(-1); });
        return;
    }
    const program::AnimationFrame& first =
        animation.blocks[static_cast<std::size_t>(frames.front())].frame;
    editPane_->ShowDuration(first.repeatCount);
    const int number = program::FrameNumber(animation, frames.front());
    cubePane_->SetPaused(true);
    Post([number](PlayerEngine& engine) { engine.ShowRecordedFrame(number); });
}

void PlayerWindow::PlayDocument() {
    playedText_ = document_.Text();
    followedFile_.clear();
    const int edit = engine_->NextEdit();
    Post([text = playedText_, name = ProgramName(), edit](PlayerEngine& engine) {
        engine.PlayText(text, name, edit);
    });
}

void PlayerWindow::ShowFileText(const std::string& fileText) {
    if (fileText.empty() || followedFile_.isEmpty() || document_.Modified()) return;
    const bool first = document_.Path() != followedFile_;
    loadingFile_ = true;
    try {
        document_.Load(followedFile_, fileText);
        playedText_ = document_.Text();
    } catch (const program::SimError&) {
        // The engine said what is wrong with the file.
    }
    loadingFile_ = false;
    UpdateEditState();
    if (first) Panel()->setFocus();
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
    editPane_->ShowState(state);
    if (!path.isEmpty()) file_->setText(path);

    editPane_->ShowSelected(program::FramesAt(document_.Content(), document_.Selection()),
                            !document_.ReadOnlyReason(), cubePane_->ChosenChip().clockHz);
    // Nothing to put on the cube or to export before a program has frames.
    menus_->UpdateEnabled((document_.ReadOnlyReason() && !followedFile_.isEmpty()) ||
                          !program::AnimationFrames(document_.Content()).empty());
}

bool PlayerWindow::MayDropEdits() {
    if (!document_.Modified()) return true;
    const QString name =
        document_.Path().isEmpty() ? tr("The new program") : QFileInfo(document_.Path()).fileName();
    switch (questions_.unsavedEdits(tr("%1 has edits that are not saved. Save them?").arg(name))) {
        case QMessageBox::Save:
            return Save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
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
    cubePane_->SetPaused(false);
    cubePane_->NameWhatIsLit(false);
    followedFile_.clear();
    document_.New();
    PlayDocument();
    file_->setText(tr("A new program: not saved yet"));
    file_->setProperty("path", QString());
    Panel()->setFocus();
}

void PlayerWindow::ReloadFile() {
    const QString path = document_.Path().isEmpty() ? followedFile_ : document_.Path();
    if (!path.isEmpty()) OpenFile(path);
}

std::string PlayerWindow::ProgramToFlash() const {
    // A program edited by hand is not in the panel: the file's, as it plays.
    if (document_.ReadOnlyReason() && !followedFile_.isEmpty())
        return program::PreviewLastProgram(chip::ReadTextFile(followedFile_.toStdString())).text;
    return document_.Text();
}

void PlayerWindow::InsertEffect() {
    const chip::Chip chip = cubePane_->ChosenChip();
    const program::Animation animation = document_.Content();
    const std::vector<int> selection = document_.Selection();
    const auto asFrames = [](const std::vector<CellState>& cells, int ms) {
        std::vector<program::AnimationFrame> frames;
        for (const CellState& each : cells) frames.push_back({RepeatCount(ms), each});
        return frames;
    };
    // What the program would take of the flash with the frames inserted.
    const auto room = [=](const std::vector<CellState>& cells, int ms) {
        program::Animation after = animation;
        program::InsertFrames(after, program::InsertionPoint(after, selection),
                              asFrames(cells, ms));
        const std::vector<program::RecordedFrame> frames = program::AnimationFrames(after);
        const int bytes = pipeline::EstimatedBytes(frames);
        const int sequences =
            frames.empty()
                ? 0
                : std::ranges::max(frames, {}, &program::RecordedFrame::sequence).sequence;
        const bool fits = bytes <= static_cast<int>(chip.flashBytes);
        EffectRoom said{tr("the program would then take about %1 of the %2's %3 bytes of flash")
                            .arg(LocalNumber(bytes), QString::fromUtf8(chip.name),
                                 LocalNumber(chip.flashBytes)),
                        fits};
        if (!fits)
            said.text += tr("; the compact build holds up to %1 frames")
                             .arg(LocalNumber(CompactFramesHeld(static_cast<int>(chip.flashBytes),
                                                                kCompactBaseBytes, sequences)));
        return said;
    };
    auto* dialog =
        new EffectDialog(effects::ListEffects(effects::EffectFolders()), chip, room, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, asFrames] {
        if (!dialog->Fits() &&
            !questions_.confirm(tr("%1. Insert the frames all the same?").arg(dialog->RoomText())))
            return;
        document_.InsertEffect(dialog->EffectTitle(), asFrames(dialog->Frames(), dialog->Ms()));
    });
    dialog->open();
}

void PlayerWindow::PutOnTheCube() {
    if (!Action(QStringLiteral("put-on-cube"))->isEnabled()) return;
    auto* dialog = new FlashDialog(ProgramToFlash(), ProgramName(), cubePane_->ChosenChip(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The programmer and port of the last time, and this time's for the next.
    if (!memory_.programmer.isEmpty()) dialog->ChooseProgrammer(memory_.programmer);
    if (!memory_.port.isEmpty()) dialog->SetPort(memory_.port);
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        memory_.programmer = dialog->ProgrammerId();
        memory_.port = dialog->PortText();
    });
    dialog->open();
}

bool PlayerWindow::RefuseLive(const chip::Chip& chip) {
    const std::optional<std::string> problem = compact::LiveProblem(chip);
    if (!problem) return false;
    cubePane_->SetLive(false);
    questions_.warn(QString::fromStdString(*problem));
    return true;
}

void PlayerWindow::LiveToggled(bool on) {
    if (!on) {
        Post([](PlayerEngine& engine) { engine.StopLive(); });
        return;
    }
    askedLiveProgram_ = false;
    if (RefuseLive(cubePane_->ChosenChip())) return;
    if (memory_.port.isEmpty()) {
        PutLiveProgram(QString());
        return;
    }
    Post([port = memory_.port](PlayerEngine& engine) { engine.StartLive(port); });
}

void PlayerWindow::PutLiveProgram(const QString& port) {
    // avrdude needs the port: the player lets go of it meanwhile.
    Post([](PlayerEngine& engine) { engine.StopLive(); });
    askedLiveProgram_ = true;
    auto* dialog = new FlashDialog(ProgramToFlash(), ProgramName(), cubePane_->ChosenChip(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->ChooseLiveProgram();
    if (!memory_.programmer.isEmpty()) dialog->ChooseProgrammer(memory_.programmer);
    dialog->SetPort(port.isEmpty() ? memory_.port : port);
    auto flashed = std::make_shared<bool>(false);
    connect(dialog, &FlashDialog::Flashed, this, [this, dialog, flashed] {
        *flashed = true;
        memory_.programmer = dialog->ProgrammerId();
        memory_.port = dialog->PortText();
        if (cubePane_->LiveChosen())
            Post([port = memory_.port](PlayerEngine& engine) { engine.StartLive(port); });
    });
    connect(dialog, &QDialog::finished, this, [this, flashed] {
        if (!*flashed) cubePane_->SetLive(false);
    });
    dialog->open();
}

void PlayerWindow::ExportAnimation() {
    const std::optional<SwitchCombination> buttons =
        chip::HeldCombination(BitsToButtons(cubePane_->ChipHeldBits()));
    if (!buttons) {
        questions_.warn(
            tr("Hold one button, or none, for the animation: the cube plays no sequence under "
               "several."));
        return;
    }
    const QFileInfo program(document_.Path().isEmpty()
                                ? QDir::home().filePath(QStringLiteral("new.c"))
                                : document_.Path());
    const QString gif = questions_.gifName(
        program.dir().filePath(program.completeBaseName() + QStringLiteral(".gif")));
    if (gif.isEmpty()) return;
    ExportInBackground(
        this, ProgramToFlash(), program.fileName().toStdString(), cubePane_->ChosenChip(), *buttons,
        gif, [this, gif, combination = *buttons](const Exported& exported) {
            if (!exported.problem.isEmpty())
                questions_.warn(tr("The animation was not written: %1").arg(exported.problem));
            else
                questions_.tell(ExportedSentence(exported, gif, combination));
        });
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
    if (!MayDropEdits()) {
        event->ignore();
        return;
    }
    if (remember) remember(Memory());
    event->accept();
}

void PlayerWindow::keyPressEvent(QKeyEvent* event) {
    if (!cubePane_->TakeButtonKey(event, true)) QWidget::keyPressEvent(event);
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!cubePane_->TakeButtonKey(event, false)) QWidget::keyReleaseEvent(event);
}

void PlayerWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) cubePane_->ReleaseKeys();
    QWidget::changeEvent(event);
}

void PlayerWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void PlayerWindow::dropEvent(QDropEvent* event) {
    OpenFile(event->mimeData()->urls().first().toLocalFile());
    event->acceptProposedAction();
}

}  // namespace ledcube::player
