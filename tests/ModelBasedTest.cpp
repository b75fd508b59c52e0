// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLineEdit>
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "TempHome.h"
#include "WindowDriver.h"
#include "firmware/FirmwareText.h"
#include "ui/LampWidget.h"

namespace ledcube {
namespace {

using enum ControlId;

// What the editor should look like and have written, kept apart from its code:
// the phase decides the shown controls, the file name decides where blocks go.
class Model {
  public:
    enum class Phase { Idle, SwitchChoice, FrameRecording, AfterFinirBP };

    std::set<ControlId> Shown() const {
        std::set<ControlId> shown;
        switch (phase_) {
            case Phase::Idle:
                shown = {Nomf, Commencer, Label2};
                break;
            case Phase::SwitchChoice:
                shown = {Nomf, Label2, BP1, BP2, BP3, Aucun, Label3};
                break;
            case Phase::FrameRecording:
                shown = {Nomf,   Label2, FinirBP,  Suivant,   Temps,    Label1,   Etage1,
                         Etage2, Etage3, TAllumer, TEteindre, EAllumer, EEteindre};
                break;
            case Phase::AfterFinirBP:
                shown = {Nomf,   Label2, BP1,      BP2,       BP3,      Aucun,
                         Label3, Finir,  Suivant,  Temps,     Label1,   Etage1,
                         Etage2, Etage3, TAllumer, TEteindre, EAllumer, EEteindre};
                break;
        }
        if (label2Hidden_) shown.erase(Label2);
        for (int n = 1; n <= kCellCount; ++n)
            if (PlaceOf(n).layer == layer_) shown.insert(CheckBoxOf(n));
        return shown;
    }
    bool NomfReadOnly() const { return phase_ != Phase::Idle; }
    bool Cell(int n) const { return cells_[n - 1]; }
    const std::map<std::string, std::string>& Files() const { return files_; }

    void TypeName(const std::string& name) {
        if (!NomfReadOnly()) name_ = name;
    }
    void TypeDuration(const std::string& text) { duration_ = text; }

    // A click on a shown control; returns whether a message box (an error, or
    // the question before a frame too short to show) should open.
    bool Click(ControlId id) {
        const int index = static_cast<int>(id);
        if (index >= static_cast<int>(D1) && index <= static_cast<int>(D27)) {
            const int n = index - static_cast<int>(D1) + 1;
            cells_[n - 1] = !cells_[n - 1];
            return false;
        }
        switch (id) {
            case Etage1:
            case Etage2:
            case Etage3:
                layer_ = index - static_cast<int>(Etage1) + 1;
                return false;
            case TAllumer:
                SetRange(1, 27, true);
                return false;
            case TEteindre:
                SetRange(1, 27, false);
                return false;
            case EAllumer:
                SetRange(9 * layer_ - 8, 9 * layer_, true);
                return false;
            case EEteindre:
                SetRange(9 * layer_ - 8, 9 * layer_, false);
                return false;
            case Commencer:
                return Write(ProgramHeader(), Phase::SwitchChoice);
            case BP1:
                return Switch(SwitchCombination::BP1);
            case BP2:
                return Switch(SwitchCombination::BP2);
            case BP3:
                return Switch(SwitchCombination::BP3);
            case Aucun:
                return Switch(SwitchCombination::Aucun);
            case Suivant: {
                const auto duration = Duration();
                if (!duration) return true;
                // A frame too short to show is asked about first; the test answers Non.
                if (RepeatCount(*duration) <= 0) return true;
                CellState cells;
                for (int n = 1; n <= kCellCount; ++n) cells.Set(n, cells_[n - 1]);
                return Write(FrameBlock(*duration, cells), phase_);
            }
            case FinirBP:
                return Write("}\n", Phase::AfterFinirBP);
            case Finir: {
                const bool failed = Write("}\n}", Phase::Idle);
                if (!failed) label2Hidden_ = true;
                return failed;
            }
            default:
                return false;
        }
    }

  private:
    void SetRange(int first, int last, bool on) {
        for (int n = first; n <= last; ++n) cells_[n - 1] = on;
    }
    bool Switch(SwitchCombination combination) {
        const bool failed = Write(SwitchBlockOpen(combination), Phase::FrameRecording);
        if (!failed) label2Hidden_ = false;
        return failed;
    }
    // The names the test types: those with a folder in the way, a missing
    // folder or nothing at all cannot be written.
    bool Writable() const {
        return !name_.empty() && name_ != "dir" && name_.find('/') == std::string::npos;
    }
    std::optional<int> Duration() const {
        static const std::map<std::string, int> kValid = {
            {"300", 300}, {"-15", -15}, {"14", 14}, {" 45 ", 45}, {"491519", 491519}, {"0", 0}};
        const auto found = kValid.find(duration_);
        if (found == kValid.end()) return std::nullopt;
        return found->second;
    }
    bool Write(const std::string& block, Phase next) {
        if (!Writable()) return true;
        files_[name_ + ".c"] += block;
        phase_ = next;
        return false;
    }

    Phase phase_ = Phase::Idle;
    bool label2Hidden_ = false;
    int layer_ = 1;
    std::array<bool, kCellCount> cells_{};
    std::string name_;
    std::string duration_;
    std::map<std::string, std::string> files_;
};

std::map<std::string, std::string> FilesOnDisk(const test::TempHome& home) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(home.Drive()))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = test::ReadFile(entry.path());
    return files;
}

class ModelBasedTest : public testing::TestWithParam<unsigned> {};

TEST_P(ModelBasedTest, RandomClicksAndTextsKeepWindowAndFileAsTheModelSays) {
    test::TempHome home;
    std::filesystem::create_directories(home.Drive() / "dir.c");  // a folder in the way
    test::WindowDriver driver;
    Model model;
    std::mt19937 random(GetParam());
    const std::vector<std::string> names = {"", "alpha", "beta", "dir", "no/such"};
    const std::vector<std::string> durations = {"300",    "-15", "14", " 45 ",  "491519",     "0",
                                                "491520", "abc", "",   "12abc", "99999999999"};

    for (int step = 0; step < 2000; ++step) {
        std::string what;
        const int kind = std::uniform_int_distribution<int>(0, 9)(random);
        const std::set<ControlId> shown = model.Shown();
        if (kind == 0) {
            const std::string& name = names[random() % names.size()];
            what = "type name '" + name + "'";
            driver.Type(Nomf, QString::fromStdString(name));  // a frozen box ignores the keys
            model.TypeName(name);
        } else if (kind == 1 && shown.contains(Temps)) {
            const std::string& text = durations[random() % durations.size()];
            what = "type duration '" + text + "'";
            driver.Type(Temps, QString::fromStdString(text));
            model.TypeDuration(text);
        } else {
            std::vector<ControlId> clickable;
            for (ControlId id : shown)
                if (id != Nomf && id != Temps && id != Label1 && id != Label2 && id != Label3)
                    clickable.push_back(id);
            const ControlId id = clickable[random() % clickable.size()];
            what = "click " + ControlName(id);
            const bool errorExpected = model.Click(id);
            const auto box = test::AnswerMessageBox([&] { driver.Click(id); });
            ASSERT_EQ(box.has_value(), errorExpected) << "step " << step << ": " << what;
        }

        const std::set<ControlId> expected = model.Shown();
        for (int i = 0; i < static_cast<int>(LED1); ++i) {
            const auto id = static_cast<ControlId>(i);
            ASSERT_EQ(driver.Shown(id), expected.contains(id))
                << "step " << step << " (" << what << "): " << ControlName(id);
        }
        ASSERT_EQ(qobject_cast<QLineEdit*>(driver.Control(Nomf))->isReadOnly(),
                  model.NomfReadOnly())
            << "step " << step << ": " << what;
        for (int n = 1; n <= kCellCount; ++n) {
            ASSERT_EQ(driver.Form().IsChecked(CheckBoxOf(n)), model.Cell(n))
                << "step " << step << " D" << n;
            ASSERT_EQ(static_cast<CubeLamp*>(driver.Control(IndicatorOf(n)))->IsLit(),
                      model.Cell(n))
                << "step " << step << " LED" << n;
            ASSERT_EQ(driver.Form().Cells().Get(n), model.Cell(n) ? 1 : 0) << "step " << step;
        }
        ASSERT_EQ(FilesOnDisk(home), model.Files()) << "step " << step << ": " << what;
    }
    EXPECT_GE(model.Files().size(), 1u);  // the walk got as far as writing
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelBasedTest, testing::Values(1u, 2u, 3u));

}  // namespace
}  // namespace ledcube
