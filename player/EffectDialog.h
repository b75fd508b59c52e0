// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "chip/Chips.h"
#include "chip/CubePlayer.h"
#include "effects/Effect.h"

class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QTimer;
class CubeView;

namespace ledcube::player {

// What inserting frames would leave of the chip's flash: a line for the
// dialog, and whether the program would still fit.
struct EffectRoom {
    QString text;
    bool fits = true;
};

// Insert → Effect…: the effects to choose from, each setting as a control, a
// formula's body, the number of frames and their duration, what the program
// would then take of the flash, and a preview of the frames played on the
// simulated chip before anything is inserted.
class EffectDialog : public QDialog {
    Q_OBJECT

  public:
    // `room` tells what the program would take with these frames inserted.
    EffectDialog(std::vector<effects::Effect> effects, const chip::Chip& chip,
                 std::function<EffectRoom(const std::vector<CellState>& frames, int ms)> room,
                 QWidget* parent = nullptr);
    ~EffectDialog() override;

    // The effect by its file's name, or "formula".
    void ChooseEffect(const QString& name);
    void SetSetting(const QString& name, const QString& value);
    void SetFormula(const QString& body);
    void SetFrames(int frames);
    void SetMs(int ms);

    // "Rain", "Formula": as the undo history names the insertion.
    QString EffectTitle() const;
    // The frames made, none while the script fails.
    const std::vector<CellState>& Frames() const { return frames_; }
    int Ms() const;
    QString ProblemText() const;
    QString RoomText() const;
    bool Fits() const { return fits_; }
    const CubeView* Preview() const { return preview_; }
    // The preview plays on the simulated chip.
    bool Previewing() const { return player_ != nullptr; }

  private:
    void EffectChosen();
    void Remake();
    void BuildPreview();
    void PreviewBuilt(int generation, const std::shared_ptr<void>& keep,
                      const std::filesystem::path& hex, const QString& problem);
    void Tick();
    effects::SettingValues Values() const;

    std::vector<effects::Effect> effects_;
    chip::Chip chip_;
    std::function<EffectRoom(const std::vector<CellState>&, int)> room_;
    QListWidget* list_;
    QFormLayout* settings_;
    std::vector<std::pair<std::string, QWidget*>> controls_;
    QPlainTextEdit* formula_;
    QSpinBox* frameCount_;
    QSpinBox* ms_;
    QLabel* problem_;
    QLabel* roomLine_;
    CubeView* preview_;
    QDialogButtonBox* buttons_;
    QTimer* remakeSoon_;
    QTimer* ticker_;
    std::vector<CellState> frames_;
    bool fits_ = true;
    int generation_ = 0;
    std::shared_ptr<void> built_;  // keeps the preview's firmware files
    std::unique_ptr<chip::CubePlayer> player_;
};

}  // namespace ledcube::player
