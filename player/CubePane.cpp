// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/CubePane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Language.h"
#include "chip/WiringCheck.h"
#include "player/PlayerSettings.h"
#include "ui/LampWidget.h"

namespace ledcube::player {

namespace {

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

CubePane::CubePane(QWidget* parent)
    : QWidget(parent),
      layout_(new QVBoxLayout(this)),
      cube_(new CubeView(this)),
      problem_(new QLabel(this)),
      time_(new QLabel(this)),
      showing_(new QLabel(this)),
      sizes_(new QLabel(this)),
      where_(new QLabel(this)),
      pause_(new QPushButton(tr("Pause"), this)),
      step_(new QPushButton(tr("Step"), this)),
      speed_(new QComboBox(this)),
      chips_(new QComboBox(this)) {
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    problem_->hide();
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->addWidget(problem_);
    layout_->addWidget(cube_, 1);
    layout_->addLayout(MakePushButtons());
    layout_->addWidget(new QLabel(
        tr("Hold a button with the mouse or keys 1, 2, 3; Shift-click latches it."), this));
    layout_->addLayout(MakeControls());
    layout_->addLayout(MakeReadout());
    ShowWhere();
}

QLayout* CubePane::MakePushButtons() {
    auto* row = new QHBoxLayout;
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
        row->addWidget(button);
    }
    return row;
}

QLayout* CubePane::MakeControls() {
    pause_->setCheckable(true);
    pause_->setFocusPolicy(Qt::NoFocus);
    pause_->setToolTip(tr("Pause or play on (Space)"));
    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        pause_->setText(paused ? tr("Play") : tr("Pause"));
        step_->setEnabled(paused);
        emit PausedChanged(paused);
    });
    new QShortcut(Qt::Key_Space, this, pause_, &QPushButton::toggle);
    step_->setFocusPolicy(Qt::NoFocus);
    step_->setEnabled(false);
    step_->setToolTip(tr("While paused: on to the next layer slot (Right arrow)"));
    connect(step_, &QPushButton::clicked, this, &CubePane::StepClicked);
    new QShortcut(Qt::Key_Right, this, step_, &QPushButton::click);
    for (const Speed& speed : kSpeeds)
        speed_->addItem(QString::fromUtf8(speed.label), speed.factor);
    speed_->setCurrentIndex(kNormalSpeed);
    speed_->setFocusPolicy(Qt::NoFocus);
    speed_->setToolTip(tr("Simulated time against real time"));
    connect(speed_, &QComboBox::currentIndexChanged, this,
            [this](int index) { emit SpeedChanged(speed_->itemData(index).toDouble()); });
    compact_ = new QCheckBox(tr("Compact build"), this);
    compact_->setFocusPolicy(Qt::NoFocus);
    compact_->setToolTip(
        tr("Play the compact build (ledcube-sim --compact): the frames as a table in flash"));
    connect(compact_, &QCheckBox::toggled, this, &CubePane::CompactChanged);
    live_ = new QCheckBox(tr("Live"), this);
    live_->setFocusPolicy(Qt::NoFocus);
    live_->setToolTip(
        tr("Show on the real cube what the player shows, through its serial line, and play "
           "with the cube's own buttons (Ctrl+L)"));
    connect(live_, &QCheckBox::toggled, this, &CubePane::LiveToggled);
    ListWirings();
    chips_->setFocusPolicy(Qt::NoFocus);
    chips_->setToolTip(
        tr("The chip or board the firmware is built for, and the wirings saved for it "
           "(ledcube-sim --chip, --wiring)"));
    connect(chips_, &QComboBox::currentIndexChanged, this, &CubePane::TakeChosenChip);
    auto* wiring = new QPushButton(tr("Wiring…"), this);
    wiring->setFocusPolicy(Qt::NoFocus);
    wiring->setToolTip(tr("The pins and levels of your cube on the chip or board chosen"));
    connect(wiring, &QPushButton::clicked, this, &CubePane::WiringClicked);
    auto* controls = new QHBoxLayout;
    controls->addWidget(pause_);
    controls->addWidget(step_);
    controls->addWidget(new QLabel(tr("Speed:"), this));
    controls->addWidget(speed_);
    controls->addStretch(1);
    controls->addWidget(chips_);
    controls->addWidget(wiring);
    controls->addWidget(compact_);
    controls->addWidget(live_);
    return controls;
}

QLayout* CubePane::MakeReadout() {
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
    // The live cube's line, while live.
    liveCaption_ = new QLabel(tr("Live:"), this);
    liveLine_ = new QLabel(this);
    liveLine_->setWordWrap(true);
    readout->addWidget(liveCaption_, row, 0, Qt::AlignTop);
    readout->addWidget(liveLine_, row, 1);
    liveCaption_->hide();
    liveLine_->hide();
    readout->setColumnStretch(1, 1);
    return readout;
}

void CubePane::AddAbove(QLayout* row) {
    layout_->insertLayout(0, row);
}

QString CubePane::ShowingText() const {
    return showing_->text();
}

QString CubePane::TimeText() const {
    return time_->text();
}

QString CubePane::ProblemText() const {
    return problem_->isHidden() ? QString() : problem_->text();
}

QString CubePane::WhereText() const {
    return where_->text();
}

bool CubePane::ButtonShownHeld(int button) const {
    return buttons_[button]->isDown();
}

namespace {

constexpr int kWiringRole = Qt::UserRole + 1;

}  // namespace

void CubePane::ListWirings() {
    const QSignalBlocker quiet(chips_);
    const QString id = QString::fromLatin1(chosen_.id);
    const QString wiring = ChosenWiring();
    chips_->clear();
    std::vector<SavedWiring> wirings = SavedWirings();
    for (const QString& path : extraWirings_)
        if (std::none_of(wirings.begin(), wirings.end(),
                         [&](const SavedWiring& w) { return w.path == path; }))
            wirings.push_back(WiringAt(path));
    for (const chip::Chip& chip : chip::Chips()) {
        const QString chipId = QString::fromLatin1(chip.id);
        chips_->addItem(QString::fromUtf8(chip.name), chipId);
        for (const SavedWiring& saved : wirings) {
            // A file that names no chip (or a wrong one) is listed under the cube's own.
            const bool here =
                saved.chipId == chipId || (!chip::ChipNamed(saved.chipId.toStdString()) &&
                                           chip.wiring == chip::Wiring::Atmega8535);
            if (!here) continue;
            chips_->addItem(QStringLiteral("    ") +
                                tr("%1, wired as %2").arg(QString::fromUtf8(chip.name), saved.name),
                            chipId);
            chips_->setItemData(chips_->count() - 1, saved.path, kWiringRole);
        }
    }
    int index = chips_->findData(wiring, kWiringRole);
    if (wiring.isEmpty() || index < 0) index = chips_->findData(id);
    chips_->setCurrentIndex(index);
    chosenIndex_ = index;
}

QString CubePane::ChipText() const {
    return chips_->currentText().trimmed();
}

QString CubePane::ChosenWiring() const {
    return chips_->currentData(kWiringRole).toString();
}

void CubePane::ChooseChip(const QString& id) {
    chips_->setCurrentIndex(chips_->findData(id));
}

bool CubePane::ChooseWiring(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    if (chips_->findData(full, kWiringRole) < 0) {
        extraWirings_ << full;
        ListWirings();
    }
    const int index = chips_->findData(full, kWiringRole);
    if (index == chips_->currentIndex()) return TakeChosenChip();
    chips_->setCurrentIndex(index);  // takes it
    return chips_->currentIndex() == index;
}

bool CubePane::TakeChosenChip() {
    const QString wiring = ChosenWiring();
    if (wiring.isEmpty()) {
        chosen_ = *chip::ChipNamed(chips_->currentData().toString().toStdString());
    } else {
        try {
            chosen_ = LoadWiring(wiring);
        } catch (const std::exception& error) {
            // Never half taken: the chip and wiring before stay chosen and play
            // on, and the file's wrong line is said.
            const QSignalBlocker quiet(chips_);
            chips_->setCurrentIndex(chosenIndex_);
            ShowProblem(QString::fromStdString(error.what()));
            return false;
        }
    }
    chosenIndex_ = chips_->currentIndex();
    emit ChipChanged(chosen_);
    return true;
}

int CubePane::SpeedIndex() const {
    return speed_->currentIndex();
}

void CubePane::ChooseSpeed(int index) {
    if (index >= 0 && index < speed_->count()) speed_->setCurrentIndex(index);
}

void CubePane::ChooseCompact(bool compact) {
    compact_->setChecked(compact);
}

void CubePane::SetPaused(bool paused) {
    pause_->setChecked(paused);
}

void CubePane::ShowFrame(const chip::PlayerFrame& frame) {
    cube_->SetGlow(frame.glow);
    if (!problem_->isHidden()) return;
    SetTextIfChanged(time_,
                     QString::fromStdString(chip::SimulatedTimeText(frame.cycle, frame.clockHz)));
    const bool nothingShown = frame.frame == 0 && !frame.stopped && framesKnown_;
    QString showing = nothingShown && !held_.hint.isEmpty()
                          ? held_.hint
                          : QString::fromStdString(chip::DescribeShowing(frame, framesKnown_));
    if (namingLit_) {
        CellState lit;
        for (int n = 1; n <= kCellCount; ++n)
            lit.Set(n, frame.glow[static_cast<std::size_t>(n - 1)] > 0.5);
        showing +=
            QStringLiteral(" — ") + QString::fromStdString(chip::LitDescription(lit, chosen_));
    }
    SetTextIfChanged(showing_, showing);
}

void CubePane::ShowHeld(const HeldButtons& held) {
    held_ = held;
    DrawButtons();
    ShowWhere();
}

void CubePane::ShowLive(const LiveNews& live) {
    const bool shown = !live.says.isEmpty();
    liveLine_->setText(live.says);
    liveLine_->setStyleSheet(live.state == compact::LiveSession::State::Live || !shown
                                 ? QString()
                                 : QStringLiteral("QLabel { color: #a00000; }"));
    liveCaption_->setVisible(shown);
    liveLine_->setVisible(shown);
}

QString CubePane::LiveText() const {
    return liveLine_->isHidden() ? QString() : liveLine_->text();
}

void CubePane::SetLive(bool on) {
    live_->setChecked(on);
}

bool CubePane::LiveChosen() const {
    return live_->isChecked();
}

void CubePane::ShowWhere() {
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

void CubePane::ShowLoaded(const LoadedProgram& program) {
    problem_->hide();
    programLoaded_ = true;
    framesKnown_ = program.framesKnown;
    sizes_->setText(program.sizes);
    programWhere_ = program.where;
    ShowWhere();
}

void CubePane::ShowProblem(const QString& message) {
    problem_->setText(message);
    problem_->show();
    programLoaded_ = false;
    for (QLabel* label : {time_, showing_, sizes_, where_}) label->clear();
}

void CubePane::UpdateButtons() {
    DrawButtons();
    emit ButtonsChanged(pad_.HeldBits());
}

void CubePane::DrawButtons() {
    // Held by the user, on the live cube, or by the player following the sequence being recorded.
    for (int b = 0; b < 3; ++b)
        buttons_[b]->setDown(pad_.Held(b) || (held_.fromCube & (1 << b)) != 0 ||
                             (held_.following && (held_.bits & (1 << b)) != 0));
}

bool CubePane::TakeButtonKey(QKeyEvent* event, bool down) {
    const int button = event->key() - Qt::Key_1;
    if (button < 0 || button > 2) return false;
    if (!event->isAutoRepeat()) {
        pad_.Key(button, down);
        UpdateButtons();
    }
    return true;
}

void CubePane::ReleaseKeys() {
    pad_.ReleaseKeys();
    UpdateButtons();
}

}  // namespace ledcube::player
