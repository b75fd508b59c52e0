// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/FlashDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "chip/Avrdude.h"
#include "chip/FirmwareBuild.h"
#include "compact/LiveBuild.h"
#include "program/SimError.h"

namespace ledcube::player {

namespace {

constexpr int kPortLookMs = 1500;

}  // namespace

QString PortLabel(const QString& name, const QString& description, const QString& manufacturer) {
    QString label = name;
    if (!description.isEmpty()) label += QStringLiteral(" — ") + description;
    if (!manufacturer.isEmpty() && !description.contains(manufacturer))
        label += QStringLiteral(" (") + manufacturer + QLatin1Char(')');
    return label;
}

FlashDialog::FlashDialog(std::string program, QString name, const chip::Chip& chip, QWidget* parent)
    : QDialog(parent),
      program_(std::move(program)),
      name_(std::move(name)),
      chips_(new QComboBox(this)),
      programmers_(new QComboBox(this)),
      ports_(new QComboBox(this)),
      unrolled_(new QRadioButton(tr("Unrolled (the generated program)"), this)),
      compact_(new QRadioButton(tr("Compact (the frames as a table)"), this)),
      buildNote_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      status_(new QLabel(this)),
      flash_(new QPushButton(tr("Flash"), this)),
      cancel_(new QPushButton(tr("Close"), this)),
      showLog_(new QPushButton(tr("avrdude's messages"), this)),
      log_(new QPlainTextEdit(this)),
      portWatch_(new QTimer(this)),
      stallCheck_(new QTimer(this)) {
    given_ = chip;
    setWindowTitle(tr("Put on the cube — %1").arg(name_));
    try {
        frames_ = program::PreviewLastProgram(program_).frames;
    } catch (const program::SimError&) {
    }
    for (const chip::Chip& known : chip::Chips())
        chips_->addItem(QString::fromUtf8(known.name), QString::fromLatin1(known.id));
    chips_->setCurrentIndex(chips_->findData(QString::fromLatin1(chip.id)));
    for (const chip::Programmer& programmer : chip::Programmers())
        programmers_->addItem(QString::fromStdString(programmer.name),
                              QString::fromLatin1(programmer.id));
    ports_->setEditable(true);
    ports_->setToolTip(
        tr("The serial port of the board or programmer; a board's USB name is shown beside it"));
    unrolled_->setChecked(true);
    compact_->setEnabled(frames_.has_value());
    buildNote_->setWordWrap(true);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    // "40 %" where the language puts a space before the sign.
    progress_->setFormat(tr("%p%"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    log_->setReadOnly(true);
    log_->hide();
    showLog_->setEnabled(false);
    showLog_->setCheckable(true);
    connect(showLog_, &QPushButton::toggled, log_, &QWidget::setVisible);
    Lay();
    Connect();
    ChipChanged();
    RefreshPorts();
    resize(560, 340);
}

void FlashDialog::Lay() {
    auto* form = new QFormLayout;
    form_ = form;
    form->addRow(tr("Chip or board:"), chips_);
    form->addRow(tr("Programmer:"), programmers_);
    form->addRow(tr("Serial port:"), ports_);
    auto* build = new QVBoxLayout;
    build->addWidget(unrolled_);
    build->addWidget(compact_);
    form->addRow(tr("Build:"), build);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showLog_);
    buttons->addStretch(1);
    buttons->addWidget(flash_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buildNote_);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(log_, 1);
    // The room of the log while it is hidden, under what the dialog says.
    layout->addStretch(0);
    layout->addLayout(buttons);
    flash_->setDefault(true);
}

void FlashDialog::Connect() {
    connect(chips_, &QComboBox::currentIndexChanged, this, &FlashDialog::ChipChanged);
    connect(programmers_, &QComboBox::currentIndexChanged, this, [this] {
        const bool serial =
            chip::Programmers()[static_cast<std::size_t>(programmers_->currentIndex())].serial;
        ports_->setEnabled(serial);
        programmerOf_[chips_->currentData().toString()] = programmers_->currentData().toString();
    });
    connect(stallCheck_, &QTimer::timeout, this, &FlashDialog::CheckStall);
    connect(flash_, &QPushButton::clicked, this, &FlashDialog::Flash);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (Busy())
            Cancel();
        else
            reject();
    });
    // A board plugged in shows up in the list.
    connect(portWatch_, &QTimer::timeout, this, &FlashDialog::RefreshPorts);
    portWatch_->start(kPortLookMs);
}

FlashDialog::~FlashDialog() {
    if (avrdude_ != nullptr && avrdude_->state() != QProcess::NotRunning) {
        avrdude_->kill();
        avrdude_->waitForFinished();
    }
    // A build still running ends before its folder goes.
    closing_ = true;
    while (building_) {
        QThread::msleep(10);
        QCoreApplication::sendPostedEvents(this);
    }
}

void FlashDialog::ChipChanged() {
    const chip::Chip chip = ChosenChip();
    // The programmer last chosen for it; at first a board's own bootloader,
    // for the 40-pin chips the USBasp.
    const auto chosen = programmerOf_.find(QString::fromLatin1(chip.id));
    ChooseProgrammer(chosen != programmerOf_.end() ? chosen->second
                                                   : QString::fromLatin1(chip.programmer));
    if (chip.baud != 0 && ports_->currentText().isEmpty())
        ports_->setEditText(QString::fromLatin1(chip.port));
}

void FlashDialog::RefreshPorts() {
    const QString typed = ports_->currentText();
    QStringList names;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        names << port.systemLocation();
    QStringList shown;
    for (int i = 0; i < ports_->count(); ++i) shown << ports_->itemData(i).toString();
    if (names == shown) return;
    ports_->clear();
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        ports_->addItem(PortLabel(port.systemLocation(), port.description(), port.manufacturer()),
                        port.systemLocation());
    ports_->setEditText(typed);
}

void FlashDialog::ChooseChip(const QString& id) {
    chips_->setCurrentIndex(chips_->findData(id));
}

void FlashDialog::ChooseProgrammer(const QString& id) {
    const int index = programmers_->findData(id);
    if (index >= 0) programmers_->setCurrentIndex(index);
}

void FlashDialog::SetPort(const QString& port) {
    ports_->setEditText(port);
}

bool FlashDialog::CompactChosen() const {
    return compact_->isChecked();
}

chip::Chip FlashDialog::ChosenChip() const {
    const chip::Chip chosen = *chip::ChipNamed(chips_->currentData().toString().toStdString());
    // The player's chip keeps its wiring while it stays chosen.
    return std::string_view(chosen.id) == given_.id ? given_ : chosen;
}

QString FlashDialog::ProgrammerId() const {
    return programmers_->currentData().toString();
}

QString FlashDialog::PortText() const {
    return ports_->currentText();
}

std::optional<std::string> FlashDialog::ChosenProgrammer() const {
    const std::string id = programmers_->currentData().toString().toStdString();
    // The board's bootloader is avrdude's line without a programmer named.
    if (id == ChosenChip().programmer && ChosenChip().baud != 0) return std::nullopt;
    return id;
}

bool FlashDialog::Busy() const {
    return building_ || (avrdude_ != nullptr && avrdude_->state() != QProcess::NotRunning);
}

QString FlashDialog::StatusText() const {
    return status_->text();
}

int FlashDialog::Progress() const {
    return progress_->value();
}

QString FlashDialog::Log() const {
    return log_->toPlainText();
}

void FlashDialog::Say(const QString& text, bool problem) {
    status_->setText(text);
    status_->setStyleSheet(problem ? QStringLiteral("QLabel { color: #a00000; font-weight: bold; }")
                                   : QStringLiteral("QLabel { font-weight: bold; }"));
}

void FlashDialog::Flash() {
    if (Busy()) return;
    cancelled_ = false;
    output_.clear();
    log_->clear();
    showLog_->setEnabled(false);
    progress_->setValue(0);
    buildNote_->clear();
    Say(tr("building…"), false);
    flash_->setEnabled(false);
    cancel_->setText(tr("Cancel"));
    building_ = true;
    pipeline::BuildPlan plan;
    plan.kind = compact_->isChecked() ? pipeline::BuildKind::Compact
                                      : pipeline::BuildKind::UnrolledElseCompact;
    plan.chip = ChosenChip();
    QThread* builder = live_ ? QThread::create([this, chip = plan.chip] {
        pipeline::BuildOutcome outcome;
        try {
            auto folder = std::make_shared<const chip::ScratchFolder>();
            auto built = std::make_shared<pipeline::BuiltProgram>();
            built->firmware = compact::BuildLiveProgram(chip, *folder);
            built->folders.push_back(folder);
            outcome.built = built;
        } catch (const std::exception& error) {
            outcome.problem = error.what();
        }
        QMetaObject::invokeMethod(this, [this, outcome] {
            building_ = false;
            if (closing_) return;
            built_ = outcome.built;
            Built(built_ ? built_->firmware.hex.string() : std::string(),
                  QString::fromStdString(outcome.problem));
        });
    })
                             : QThread::create([this, plan,
                                                source = pipeline::BuildSource{
                                                    program::PreviewLastProgram(program_).text,
                                                    frames_, name_.toStdString()}] {
                                   const pipeline::BuildOutcome outcome =
                                       pipeline::TryBuildProgram(source, plan);
                                   QMetaObject::invokeMethod(this, [this, outcome] {
                                       building_ = false;
                                       if (closing_) return;
                                       built_ = outcome.built;
                                       if (built_ && built_->fellBack) {
                                           buildNote_->setText(
                                               tr("the unrolled build does not fit the chip: the "
                                                  "compact build is flashed"));
                                           compact_->setChecked(true);
                                       }
                                       Built(built_ ? built_->firmware.hex.string() : std::string(),
                                             QString::fromStdString(outcome.problem));
                                   });
                               });
    connect(builder, &QThread::finished, builder, &QObject::deleteLater);
    builder->start();
}

void FlashDialog::Built(const std::string& hex, const QString& problem) {
    if (!problem.isEmpty() || cancelled_) {
        Say(cancelled_ ? tr("stopped before anything was written") : problem, true);
        flash_->setEnabled(true);
        cancel_->setText(tr("Close"));
        return;
    }
    const chip::Chip chip = ChosenChip();
    const std::optional<std::string> port =
        ports_->isEnabled() && !ports_->currentText().isEmpty()
            ? std::optional<std::string>(
                  (ports_->currentIndex() >= 0 &&
                           ports_->itemText(ports_->currentIndex()) == ports_->currentText()
                       ? ports_->currentData().toString()
                       : ports_->currentText())
                      .toStdString())
            : std::nullopt;
    target_ = QString::fromStdString(chip::FlashTarget(chip, ChosenProgrammer(), port));
    QStringList arguments;
    for (const std::string& argument : chip::AvrdudeArguments(hex, chip, ChosenProgrammer(), port))
        arguments << QString::fromStdString(argument);
    delete avrdude_;
    avrdude_ = new QProcess(this);
    avrdude_->setProcessChannelMode(QProcess::MergedChannels);
    connect(avrdude_, &QProcess::readyRead, this, &FlashDialog::ReadOutput);
    connect(avrdude_, &QProcess::finished, this, &FlashDialog::Done);
    connect(avrdude_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        Say(QString::fromStdString(chip::AvrdudeMissing()), true);
        flash_->setEnabled(true);
        cancel_->setText(tr("Close"));
    });
    Say(tr("writing to the %1…").arg(QString::fromUtf8(chip.name)), false);
    hexBytes_ = chip::HexDataBytes(hex);
    stalled_ = false;
    stallWatch_ = chip::StallWatch(stallMs_);
    running_.start();
    stallCheck_->start(250);
    avrdude_->start(QString::fromStdString(chip::AvrdudeProgram()), arguments);
}

void FlashDialog::CheckStall() {
    if (avrdude_ == nullptr || avrdude_->state() == QProcess::NotRunning || stalled_) return;
    if (!stallWatch_.Stalled(output_, running_.elapsed())) return;
    stalled_ = true;
    avrdude_->kill();
}

void FlashDialog::ReadOutput() {
    output_ += avrdude_->readAll().toStdString();
    log_->setPlainText(QString::fromStdString(output_));
    showLog_->setEnabled(true);
    const chip::FlashProgress progress = chip::ProgressIn(output_);
    progress_->setValue(progress.percent);
    if (!cancelled_)
        Say(progress.verifying ? tr("verifying…")
                               : tr("writing to the %1…").arg(QString::fromUtf8(ChosenChip().name)),
            false);
}

void FlashDialog::Done(int exitCode, QProcess::ExitStatus status) {
    ReadOutput();
    stallCheck_->stop();
    flash_->setEnabled(true);
    cancel_->setText(tr("Close"));
    if (cancelled_) {
        Say(QString::fromStdString(chip::FlashStopped()), true);
        return;
    }
    if (stalled_) {
        Say(QString::fromStdString(chip::StalledSentence(
                output_, hexBytes_, chip::SerialProgrammer(ChosenChip(), ChosenProgrammer()),
                target_.toStdString())),
            true);
        return;
    }
    const chip::FlashOutcome outcome =
        chip::ReadAvrdudeLog(output_, status == QProcess::NormalExit ? exitCode : -1, ChosenChip(),
                             target_.toStdString());
    if (outcome.flashed) progress_->setValue(100);
    Say(QString::fromStdString(outcome.sentence), !outcome.flashed);
    if (outcome.flashed) emit Flashed();
}

void FlashDialog::ChooseLiveProgram() {
    live_ = true;
    setWindowTitle(tr("Put the live program on the cube — %1").arg(QString::fromUtf8(given_.name)));
    chips_->setCurrentIndex(chips_->findData(QString::fromLatin1(given_.id)));
    chips_->setEnabled(false);
    form_->setRowVisible(3, false);  // the build: the live program has one
    buildNote_->setText(
        tr("The live program shows on the cube what the player shows, and sends back its "
           "buttons. Put on the cube… puts the animation's own program back."));
}

void FlashDialog::Cancel() {
    cancelled_ = true;
    if (avrdude_ != nullptr && avrdude_->state() != QProcess::NotRunning) avrdude_->kill();
}

}  // namespace ledcube::player
