// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Language.h"
#include "chip/Chips.h"
#include "player/FramePanel.h"
#include "ui/LampWidget.h"

namespace ledcube::player {

namespace {

constexpr int kTickMs = 40;  // 25 frames a second

struct Speed {
    const char* label;
    double factor;
};
constexpr Speed kSpeeds[] = {{"×1/100", 0.01}, {"×1/10", 0.1}, {"×1/4", 0.25}, {"×1/2", 0.5},
                             {"×1", 1.0},      {"×2", 2.0},    {"×5", 5.0},    {"×10", 10.0}};
constexpr int kNormalSpeed = 4;

void SetTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

}  // namespace

PlayerWindow::PlayerWindow(sim::Clock clock, QWidget* parent)
    : QWidget(parent),
      engine_(new PlayerEngine(std::move(clock))),
      cube_(new CubeView(this)),
      file_(new QLabel(tr("No program open: open one, or drop a file here."), this)),
      problem_(new QLabel(this)),
      time_(new QLabel(this)),
      showing_(new QLabel(this)),
      sizes_(new QLabel(this)),
      where_(new QLabel(this)),
      pause_(new QPushButton(tr("Pause"), this)),
      step_(new QPushButton(tr("Step"), this)),
      speed_(new QComboBox(this)) {
    setWindowTitle(tr("LED cube player"));
    setAcceptDrops(true);

    auto* open = new QPushButton(tr("Open…"), this);
    open->setFocusPolicy(Qt::NoFocus);
    connect(open, &QPushButton::clicked, this, &PlayerWindow::ChooseFile);
    auto* top = new QHBoxLayout;
    top->addWidget(open);
    top->addWidget(file_, 1);

    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    problem_->hide();

    auto* pushButtons = new QHBoxLayout;
    for (int b = 0; b < 3; ++b) {
        auto* button = new QPushButton(QStringLiteral("BP%1").arg(b + 1), this);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumHeight(40);
        button->setToolTip(
            tr("Held while you hold it or key %1; Shift-click holds it until the next Shift-click")
                .arg(b + 1));
        connect(button, &QPushButton::pressed, this, [this, b] {
            pad_.MousePress(b, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
            UpdateButtons();
        });
        connect(button, &QPushButton::released, this, [this, b] {
            pad_.MouseRelease(b);
            UpdateButtons();
        });
        buttons_[b] = button;
        pushButtons->addWidget(button);
    }

    pause_->setCheckable(true);
    pause_->setFocusPolicy(Qt::NoFocus);
    pause_->setToolTip(tr("Pause or play on (Space)"));
    connect(pause_, &QPushButton::toggled, this, &PlayerWindow::SetPaused);
    new QShortcut(Qt::Key_Space, this, pause_, &QPushButton::toggle);
    step_->setFocusPolicy(Qt::NoFocus);
    step_->setEnabled(false);
    step_->setToolTip(tr("While paused: on to the next layer slot (Right arrow)"));
    connect(step_, &QPushButton::clicked, this,
            [this] { engine_->Post([](PlayerEngine& engine) { engine.Step(); }); });
    new QShortcut(Qt::Key_Right, this, step_, &QPushButton::click);
    for (const Speed& speed : kSpeeds) speed_->addItem(QString::fromUtf8(speed.label), speed.factor);
    speed_->setCurrentIndex(kNormalSpeed);
    speed_->setFocusPolicy(Qt::NoFocus);
    speed_->setToolTip(tr("Simulated time against real time"));
    connect(speed_, &QComboBox::currentIndexChanged, this,
            [this](int index) {
                const double speed = speed_->itemData(index).toDouble();
                engine_->Post([speed](PlayerEngine& engine) { engine.SetSpeed(speed); });
            });
    auto* compact = new QCheckBox(tr("Compact build"), this);
    compact->setFocusPolicy(Qt::NoFocus);
    compact->setToolTip(
        tr("Play the compact build (ledcube-sim --compact): the frames as a table in flash"));
    connect(compact, &QCheckBox::toggled, this, [this](bool on) {
        engine_->Post([on](PlayerEngine& engine) { engine.SetCompact(on); });
    });
    auto* chips = new QComboBox(this);
    for (const sim::Chip& chip : sim::Chips())
        chips->addItem(QString::fromUtf8(chip.name), QString::fromLatin1(chip.id));
    chips->setFocusPolicy(Qt::NoFocus);
    chips->setToolTip(tr("The chip or board the firmware is built for (ledcube-sim --chip)"));
    connect(chips, &QComboBox::currentIndexChanged, this, [this, chips](int index) {
        const sim::Chip chip = *sim::ChipNamed(chips->itemData(index).toString().toStdString());
        engine_->Post([chip](PlayerEngine& engine) { engine.SetChip(chip); });
        panel_->Model().SetClock(chip.clockHz);
        UpdateEditState();
    });
    chips_ = chips;
    auto* controls = new QHBoxLayout;
    controls->addWidget(pause_);
    controls->addWidget(step_);
    controls->addWidget(new QLabel(tr("Speed:"), this));
    controls->addWidget(speed_);
    controls->addStretch(1);
    controls->addWidget(chips);
    controls->addWidget(compact);

    auto* readout = new QGridLayout;
    const std::pair<QString, QLabel*> rows[] = {{tr("Cube time:"), time_},
                                                {tr("Showing:"), showing_},
                                                {tr("Program:"), where_},
                                                {tr("Sizes:"), sizes_}};
    int row = 0;
    for (const auto& [caption, label] : rows) {
        readout->addWidget(new QLabel(caption, this), row, 0, Qt::AlignTop);
        label->setWordWrap(true);
        readout->addWidget(label, row++, 1);
    }
    readout->setColumnStretch(1, 1);

    auto* player = new QWidget(this);
    auto* layout = new QVBoxLayout(player);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(problem_);
    layout->addWidget(cube_, 1);
    layout->addLayout(pushButtons);
    layout->addWidget(new QLabel(
        tr("Hold a button with the mouse or keys 1, 2, 3; Shift-click latches it."), this));
    layout->addLayout(controls);
    layout->addLayout(readout);

    MakeEditing();
    auto* splitter = new QSplitter(this);
    splitter->addWidget(player);
    splitter->addWidget(panelBox_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({560, 320});
    auto* whole = new QVBoxLayout(this);
    whole->setMenuBar(MakeMenus());
    whole->addWidget(splitter);
    // The cube scales with the window: on a small screen the window is made to fit
    // (the title bar's height left for the window manager).
    const QRect free = screen()->availableGeometry();
    resize(std::min(880, free.width()), std::min(760, free.height() - 40));

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
    engine_->Post([](PlayerEngine& engine) { engine.StartTicking(kTickMs); });
    // Nothing plays until a program is opened or made.
    playedText_ = document_.Text();
    DocumentChanged();
    ShowWhere();
}

PlayerWindow::~PlayerWindow() {
    thread_.quit();
    thread_.wait();
    while (!engineGone_.load(std::memory_order_acquire)) QThread::yieldCurrentThread();
}

void PlayerWindow::OpenFile(const QString& file) {
    if (!MayDropEdits()) return;
    // Another program plays from its start: nothing of the old one's
    // selection stays paused or held.
    pause_->setChecked(false);
    // The file's program comes into the panel when the engine has read it.
    loadingFile_ = true;
    document_.New();
    loadingFile_ = false;
    followedFile_ = QFileInfo(file).absoluteFilePath();
    file_->setText(QFileInfo(file).absoluteFilePath());
    file_->setProperty("path", QFileInfo(file).absoluteFilePath());
    setWindowTitle(tr("%1[*] — LED cube player").arg(QFileInfo(file).fileName()));
    engine_->Post([file](PlayerEngine& engine) { engine.Open(file); });
}

QString PlayerWindow::ShowingText() const {
    return showing_->text();
}

QString PlayerWindow::TimeText() const {
    return time_->text();
}

QString PlayerWindow::ProblemText() const {
    return problem_->isHidden() ? QString() : problem_->text();
}

void PlayerWindow::ShowNews() {
    const EngineNews news = engine_->News().Take();
    if (news.problem) ShowProblem(*news.problem);
    if (news.loaded) ShowLoaded(*news.loaded);
    if (news.held) ShowHeld(*news.held);
    if (news.frame) ShowFrame(*news.frame);
}

void PlayerWindow::ShowFrame(const sim::PlayerFrame& frame) {
    cube_->SetGlow(frame.glow);
    panel_->Model().SetShownFrame(frame.frame - 1);
    if (!problem_->isHidden()) return;
    SetTextIfChanged(time_, QString::fromStdString(sim::SimulatedTimeText(frame.cycle, frame.clockHz)));
    const bool nothingShown = frame.frame == 0 && !frame.stopped && framesKnown_;
    SetTextIfChanged(showing_, nothingShown && !held_.hint.isEmpty()
                                   ? held_.hint
                                   : QString::fromStdString(sim::DescribeShowing(frame, framesKnown_)));
}

void PlayerWindow::ShowHeld(const HeldButtons& held) {
    held_ = held;
    DrawButtons();
    ShowWhere();
}

void PlayerWindow::ShowWhere() {
    if (!problem_->isHidden()) return;
    if (!programLoaded_) {
        where_->setText(tr("no program: open one, or start a new one"));
        return;
    }
    QString where = programWhere_.isEmpty() ? tr("the only program in the file") : programWhere_;
    if (held_.following)
        where = QString::fromStdString(JoinClauses(where.toStdString(), held_.says.toStdString()));
    where_->setText(where);
}

void PlayerWindow::ChooseChip(const QString& id) {
    chips_->setCurrentIndex(chips_->findData(id));
}

QString PlayerWindow::WhereText() const {
    return where_->text();
}

bool PlayerWindow::ButtonShownHeld(int button) const {
    return buttons_[button]->isDown();
}

void PlayerWindow::ShowLoaded(const LoadedProgram& program) {
    problem_->hide();
    programLoaded_ = true;
    framesKnown_ = program.framesKnown;
    sizes_->setText(program.sizes);
    programWhere_ = program.where;
    ShowWhere();
    ShowFileText(program.fileText);
}

void PlayerWindow::ShowProblem(const QString& message) {
    problem_->setText(message);
    problem_->show();
    programLoaded_ = false;
    for (QLabel* label : {time_, showing_, sizes_, where_}) label->clear();
}

QString OpenDialogFolder(const QString& shownFile) {
    if (!shownFile.isEmpty()) return NearestExistingFolder(QFileInfo(shownFile).absolutePath());
    return NearestExistingFolder(QDir::homePath() + QStringLiteral("/D"));
}

void PlayerWindow::ChooseFile() {
    const QString shown = file_->property("path").toString();
    const QString file = QFileDialog::getOpenFileName(this, tr("Open a cube program"),
                                                      OpenDialogFolder(shown),
                                                      tr("Cube programs (*.c);;All files (*)"));
    if (!file.isEmpty()) OpenFile(file);
}

void PlayerWindow::UpdateButtons() {
    DrawButtons();
    const int held = pad_.HeldBits();
    engine_->Post([held](PlayerEngine& engine) { engine.SetButtons(held); });
}

void PlayerWindow::DrawButtons() {
    // Held by the user, or by the player following the sequence being recorded.
    for (int b = 0; b < 3; ++b)
        buttons_[b]->setDown(pad_.Held(b) || (held_.following && (held_.bits & (1 << b)) != 0));
}

void PlayerWindow::SetPaused(bool paused) {
    pause_->setText(paused ? tr("Play") : tr("Pause"));
    step_->setEnabled(paused);
    engine_->Post([paused](PlayerEngine& engine) { engine.SetPaused(paused); });
}

void PlayerWindow::keyPressEvent(QKeyEvent* event) {
    if (!TakeButtonKey(event, true)) QWidget::keyPressEvent(event);
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* event) {
    if (!TakeButtonKey(event, false)) QWidget::keyReleaseEvent(event);
}

bool PlayerWindow::TakeButtonKey(QKeyEvent* event, bool down) {
    const int button = event->key() - Qt::Key_1;
    if (button < 0 || button > 2) return false;
    if (!event->isAutoRepeat()) {
        pad_.Key(button, down);
        UpdateButtons();
    }
    return true;
}

void PlayerWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        pad_.ReleaseKeys();
        UpdateButtons();
    }
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
