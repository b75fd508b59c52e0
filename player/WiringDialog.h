// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "chip/Chips.h"
#include "chip/WiringFile.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace ledcube::player {

// A place on the drawing of a chip's or board's header: its text, where it
// stands (column 0 or 1 of a DIP, a row of a board's header) and the port pin, if any.
struct HeaderPlace {
    QString label;
    int column;
    int row;
    std::optional<chip::Pin> pin;
};
// The 40-pin DIP of the 40-pin chips (pin 1 top left, 21 bottom right), or
// the board's two headers (D13 … D0 above, A0 … A5/A7 below).
std::vector<HeaderPlace> HeaderLayout(const chip::Chip& chip);

// The chip's header drawn with the line each pin carries.
class HeaderView : public QWidget {
  public:
    explicit HeaderView(QWidget* parent = nullptr) : QWidget(parent) {}
    void Show(const chip::Chip& chip, const chip::PinWiring& wiring);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    chip::Chip chip_ = chip::kAtmega8535;
    chip::PinWiring wiring_;
};

// Wiring…: the 15 lines of the cube, each with a list of the chip's usable
// pins (those another line takes marked), the three levels, the header drawn
// with each line's pin, and the name the wiring is saved under in the
// user's wirings folder. What Save writes is read back with the rules of a
// wiring file first, so a wiring that file would refuse is never saved.
class WiringDialog : public QDialog {
    Q_OBJECT

  public:
    WiringDialog(const chip::Chip& chip, const QString& name, QWidget* parent = nullptr);

    chip::PinWiring Wiring() const;
    void SetPin(int line, const chip::Pin& pin);
    void SetLevels(bool ledsLitHigh, bool layersOnHigh, bool buttonsPressedHigh);
    void SetName(const QString& name);
    // Saves the wiring; false, with the reason shown, when it cannot be.
    bool Save();
    // The file saved, once it is.
    QString SavedPath() const { return saved_; }
    QString ProblemText() const;
    // What line `line`'s list shows for its pins ("D12 — LED2"), for tests.
    QStringList PinTexts(int line) const;

  private:
    void Refresh();

    chip::Chip chip_;
    std::vector<chip::ChipPin> pins_;
    std::array<QComboBox*, chip::kWiredLines> lines_{};
    std::array<QComboBox*, 3> levels_{};
    QLineEdit* name_;
    HeaderView* header_;
    QLabel* problem_;
    QString saved_;
};

}  // namespace ledcube::player
