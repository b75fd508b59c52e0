// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QWidget>
#include <array>

#include "firmware/OutputFile.h"
#include "model/CellModel.h"
#include "workflow/CellEditor.h"
#include "workflow/MainView.h"
#include "workflow/RecordingWorkflow.h"

class QFont;
class QLabel;
class QLineEdit;
class QScrollArea;

// Applies a macro to each cell number 1..27.
// clang-format off
#define LEDCUBE_FOR_EACH_CELL(X)                                                    \
    X(1) X(2) X(3) X(4) X(5) X(6) X(7) X(8) X(9) X(10) X(11) X(12) X(13) X(14)    \
    X(15) X(16) X(17) X(18) X(19) X(20) X(21) X(22) X(23) X(24) X(25) X(26) X(27)
// clang-format on

// The platform's sans-serif face at the given size in points.
QFont SansSerif(int points);
// The editor's face, small sans-serif: the application's font when the editor runs.
inline QFont EditorFont() {
    return SansSerif(8);
}

// The editor's one window: file name and workflow buttons, the 3×3 grid of
// the current layer, layer choice, duration, bulk buttons and the cube of 27
// lamps. Its handlers forward to the editing and recording logic, each inside
// the guard that shows errors.
class TForm1 : public QWidget, public ledcube::MainView {
    Q_OBJECT

  public:
    explicit TForm1(QWidget* parent = nullptr);

    void SetVisible(ledcube::ControlId id, bool visible) override;
    bool IsVisible(ledcube::ControlId id) const override;
    std::string GetText(ledcube::ControlId id) const override;
    void SetReadOnly(ledcube::ControlId id, bool readOnly) override;
    bool IsChecked(ledcube::ControlId id) const override;
    void SetChecked(ledcube::ControlId id, bool checked) override;
    void SetLit(ledcube::ControlId id, bool lit) override;
    void SetToolTip(ledcube::ControlId id, const std::string& text) override;
    bool Confirm(const std::string& question) override;
    void ShowStatus(const std::string& text) override;

    // The widget that plays a control.
    QWidget* Control(ledcube::ControlId id) const { return controls_[static_cast<int>(id)]; }
    // The client area that holds the controls, scrolled when the screen is too small.
    QScrollArea* ClientArea() const { return scroll_; }
    const ledcube::CellState& Cells() const { return cellState_; }
    const ledcube::OutputPath& Path() const { return outputPath_; }
    // The status line below the cube: what the program is doing.
    QLabel* StatusLine() const { return status_; }

#define LEDCUBE_DECLARE_CELL_HANDLER(n) void D##n##Click();
    LEDCUBE_FOR_EACH_CELL(LEDCUBE_DECLARE_CELL_HANDLER)
#undef LEDCUBE_DECLARE_CELL_HANDLER
    void Etage1Click();
    void Etage2Click();
    void Etage3Click();
    void TAllumerClick();
    void TEteindreClick();
    void EAllumerClick();
    void EEteindreClick();
    void CommencerClick();
    void BP1Click();
    void BP2Click();
    void BP3Click();
    void AucunClick();
    void SuivantClick();
    void FinirBPClick();
    void FinirClick();
    void NomfChange();
    void TempsEnter();
    void NomfEnter();

  protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    // Sizes and places the window for its screen, given the window manager's
    // frame (none yet before the window is shown).
    void PlaceOnScreen(QSize frame);
    void CreateCells();
    void CreateStatusLine();
    void BindEvents();
    void SetTabOrder();
    void FitOuterSize();
    QLineEdit* Edit(ledcube::ControlId id) const;

    std::array<QWidget*, ledcube::kControlCount> controls_{};
    ledcube::CellState cellState_;
    ledcube::OutputPath outputPath_;
    ledcube::CellEditor editor_{*this, cellState_};
    ledcube::RecordingWorkflow workflow_{*this, cellState_, outputPath_};
    bool frameFitted_ = false;
    QScrollArea* scroll_;
    QWidget* client_;
    QLabel* status_;
};

// The main window while the program runs.
extern TForm1* Form1;
