// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "chip/Avrdude.h"
#include "chip/Chips.h"
#include "pipeline/BuildPipeline.h"
#include "program/ProgramReader.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ledcube::player {

// "ttyACM0 — Arduino Uno (Arduino LLC)": a serial port as the dialog lists it.
QString PortLabel(const QString& name, const QString& description, const QString& manufacturer);

// Puts the program on the cube: builds it for the chip or board chosen
// (unrolled, or compact when that is chosen or the unrolled build does not
// fit) and runs avrdude in a process of its own, its writing and verifying
// followed by a progress bar, its messages one click away. Never blocks the
// window; Cancel stops avrdude.
class FlashDialog : public QDialog {
    Q_OBJECT

  public:
    // `program` is the program's whole text, `name` its file's name.
    FlashDialog(std::string program, QString name, const chip::Chip& chip,
                QWidget* parent = nullptr);
    ~FlashDialog() override;

    void ChooseChip(const QString& id);
    void ChooseProgrammer(const QString& id);
    void SetPort(const QString& port);
    // The programmer's avrdude name and the port as chosen, for the next time.
    QString ProgrammerId() const;
    QString PortText() const;
    bool CompactChosen() const;
    // Builds and flashes; the outcome comes in the status line.
    void Flash();
    void Cancel();
    bool Busy() const;
    QString StatusText() const;
    int Progress() const;
    QString Log() const;
    // How long the bars may stand still before avrdude is stopped.
    void SetStallMs(int ms) { stallMs_ = ms; }
    // Puts the live program for the player's chip and wiring on it, proven
    // first, rather than the program.
    void ChooseLiveProgram();
    bool LiveProgramChosen() const { return live_; }

  signals:
    // avrdude wrote and verified the build.
    void Flashed();

  private:
    // The form, the status and the buttons in their places.
    void Lay();
    void Connect();
    void RefreshPorts();
    void ChipChanged();
    void Built(const std::string& hex, const QString& problem);
    void ReadOutput();
    void Done(int exitCode, QProcess::ExitStatus status);
    // Stops avrdude when its bars have stood still for the stall time.
    void CheckStall();
    void Say(const QString& text, bool problem);
    chip::Chip ChosenChip() const;
    std::optional<std::string> ChosenProgrammer() const;

    std::string program_;
    QString name_;
    std::optional<std::vector<program::RecordedFrame>> frames_;
    QFormLayout* form_ = nullptr;
    QComboBox* chips_;
    QComboBox* programmers_;
    QComboBox* ports_;
    QRadioButton* unrolled_;
    QRadioButton* compact_;
    QLabel* buildNote_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* flash_;
    QPushButton* cancel_;
    QPushButton* showLog_;
    QPlainTextEdit* log_;
    QTimer* portWatch_;
    QTimer* stallCheck_;
    QElapsedTimer running_;
    chip::StallWatch stallWatch_;
    int stallMs_ = chip::kStallMs;
    int hexBytes_ = 0;
    bool stalled_ = false;
    // The programmer last chosen for each chip or board, by id.
    std::map<QString, QString> programmerOf_;
    // The chip as the player gave it, with the user's wiring, if any.
    chip::Chip given_ = chip::kAtmega8535;
    QProcess* avrdude_ = nullptr;
    std::shared_ptr<const pipeline::BuiltProgram> built_;  // what is being flashed
    QString target_;
    std::string output_;
    bool building_ = false;
    bool cancelled_ = false;
    bool closing_ = false;
    bool live_ = false;
};

}  // namespace ledcube::player
