// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "FakeMainView.h"
#include "TempHome.h"
#include "TestSupport.h"
#include "base/Sysutils.h"
#include "workflow/CellEditor.h"
#include "workflow/RecordingWorkflow.h"

namespace ledcube {
namespace {

using enum ControlId;
using Controls = std::set<ControlId>;

// The editor's logic on a fake window, writing into a temporary home.
struct Recording {
    test::TempHome home;
    test::FakeMainView view;
    CellState cells;
    OutputPath path;
    CellEditor editor{view, cells};
    RecordingWorkflow workflow{view, cells, path};

    void Name(const std::string& name) {
        view.Type(Nomf, name);
        workflow.NomfChange();
    }
    void Tick(int n) {
        view.Toggle(CheckBoxOf(n));
        editor.CellClick(n);
    }
    void Frame(const std::string& duration) {
        view.Type(Temps, duration);
        workflow.SuivantClick();
    }
    std::string File(const std::string& name = "cube") const { return home.Read(name + ".c"); }

    // The workflow controls shown now (cells and lamps left out).
    Controls Shown() const {
        Controls shown;
        for (int i = 0; i < static_cast<int>(D1); ++i)
            if (view.IsVisible(static_cast<ControlId>(i))) shown.insert(static_cast<ControlId>(i));
        return shown;
    }
};

const Controls kStart = {Label2, Nomf, Commencer};
const Controls kSwitchChoice = {Label2, Nomf, BP1, BP2, BP3, Aucun, Label3};
const Controls kFrameRecording = {Label2, Nomf,   FinirBP,  Suivant,   Temps,    Label1,   Etage1,
                                  Etage2, Etage3, TAllumer, TEteindre, EAllumer, EEteindre};
const Controls kAfterFinirBP = {Label2, Nomf,   BP1,      BP2,       BP3,      Aucun,
                                Label3, Finir,  Suivant,  Temps,     Label1,   Etage1,
                                Etage2, Etage3, TAllumer, TEteindre, EAllumer, EEteindre};
const Controls kAfterFinir = {Nomf, Commencer};

struct Step {
    const char* name;
    std::function<void(Recording&)> action;
    Controls shown;
    bool nomfReadOnly;
};

TEST(RecordingWorkflow, OffersTheControlsOfEachPhaseAfterEveryStep) {
    Recording r;
    r.Name("cube");
    Controls afterSecondCommencer = kSwitchChoice;
    afterSecondCommencer.erase(Label2);  // hidden by Finir until a combination is chosen
    const std::vector<Step> steps = {
        {"start", [](Recording&) {}, kStart, false},
        {"Commencer", [](Recording& x) { x.workflow.CommencerClick(); }, kSwitchChoice, true},
        {"BP1", [](Recording& x) { x.workflow.SwitchClick(SwitchCombination::BP1); },
         kFrameRecording, true},
        {"Suivant", [](Recording& x) { x.Frame("300"); }, kFrameRecording, true},
        {"FinirBP", [](Recording& x) { x.workflow.FinirBPClick(); }, kAfterFinirBP, true},
        {"Suivant between blocks", [](Recording& x) { x.Frame("15"); }, kAfterFinirBP, true},
        {"Aucun", [](Recording& x) { x.workflow.SwitchClick(SwitchCombination::Aucun); },
         kFrameRecording, true},
        {"FinirBP again", [](Recording& x) { x.workflow.FinirBPClick(); }, kAfterFinirBP, true},
        {"Finir", [](Recording& x) { x.workflow.FinirClick(); }, kAfterFinir, false},
        {"Commencer again", [](Recording& x) { x.workflow.CommencerClick(); }, afterSecondCommencer,
         true},
        {"BP3", [](Recording& x) { x.workflow.SwitchClick(SwitchCombination::BP3); },
         kFrameRecording, true},
    };
    for (const Step& step : steps) {
        step.action(r);
        EXPECT_EQ(r.Shown(), step.shown) << "after " << step.name;
        EXPECT_EQ(r.view.IsReadOnly(Nomf), step.nomfReadOnly) << "after " << step.name;
        for (int n = 1; n <= kCellCount; ++n)
            EXPECT_EQ(r.view.IsVisible(CheckBoxOf(n)), n <= 9)
                << "D" << n << " after " << step.name;
    }
}

TEST(RecordingWorkflow, TypicalRoadWritesTheProgramByteForByte) {
    Recording r;
    r.Name("cube");
    r.workflow.CommencerClick();
    r.workflow.SwitchClick(SwitchCombination::BP1);
    r.Tick(1);
    r.view.ChooseLayer(2);
    r.editor.LayerClick(2);
    r.Tick(14);
    r.Frame("1000");
    r.Tick(14);
    r.workflow.SuivantClick();  // same duration, one cell less
    r.workflow.FinirBPClick();
    r.workflow.SwitchClick(SwitchCombination::Aucun);
    r.editor.TAllumerClick();
    r.view.AnswerWith(true);  // a frame the cube never shows, written all the same
    r.Frame("-15");
    EXPECT_EQ(r.view.Questions().size(), 1u);
    r.workflow.FinirBPClick();
    r.workflow.FinirClick();

    CellState first;
    first.Set(1, true);
    first.Set(14, true);
    CellState second;
    second.Set(1, true);
    CellState all;
    for (int n = 1; n <= kCellCount; ++n) all.Set(n, true);
    EXPECT_EQ(r.File(), ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                            FrameBlock(1000, first) + FrameBlock(1000, second) + "}\n" +
                            SwitchBlockOpen(SwitchCombination::Aucun) + FrameBlock(-15, all) +
                            "}\n" + "}\n}");
    EXPECT_EQ(r.view.GetText(Temps), "-15");  // the duration stays for the next frame
}

TEST(RecordingWorkflow, EmptyBlockProgramAndASecondProgramInTheSameFile) {
    Recording r;
    r.Name("cube");
    const auto program = [&r] {
        r.workflow.CommencerClick();
        r.workflow.SwitchClick(SwitchCombination::BP2);
        r.workflow.FinirBPClick();
        r.workflow.FinirClick();
    };
    program();
    const std::string one = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP2) + "}\n}\n}";
    EXPECT_EQ(r.File(), one);
    program();
    EXPECT_EQ(r.File(), one + one);
}

TEST(RecordingWorkflow, NameChangedBetweenProgramsStartsANewFile) {
    Recording r;
    r.Name("one");
    r.workflow.CommencerClick();
    r.workflow.SwitchClick(SwitchCombination::BP1);
    r.workflow.FinirBPClick();
    r.workflow.FinirClick();
    r.Name("two");
    r.workflow.CommencerClick();
    EXPECT_EQ(r.File("two"), ProgramHeader());
    EXPECT_TRUE(r.File("one").ends_with("}\n}"));
}

// Reaches a phase, then checks that a failing step changes neither file nor window.
struct FailureStep {
    const char* name;
    std::function<void(Recording&)> reach;
    std::function<void(Recording&)> fail;
};

void StartAndChoose(Recording& r) {
    r.workflow.CommencerClick();
    r.workflow.SwitchClick(SwitchCombination::BP1);
}

// Reaches frame recording with a duration typed in Temps, and the click that fails.
FailureStep Duration(const char* name, std::string text) {
    return {name,
            [text](Recording& r) {
                StartAndChoose(r);
                r.view.Type(Temps, text);
            },
            [](Recording& r) { r.workflow.SuivantClick(); }};
}

void PrintTo(const FailureStep& step, std::ostream* out) {
    *out << step.name;
}

class WorkflowFailureTest : public testing::TestWithParam<FailureStep> {};

TEST_P(WorkflowFailureTest, LeavesFileAndWindowAsTheyWere) {
    Recording r;
    r.Name("cube");
    r.Tick(5);
    GetParam().reach(r);
    const test::FakeMainView viewBefore = r.view;
    const std::string fileBefore = r.File();
    const CellState cellsBefore = r.cells;
    EXPECT_THROW(GetParam().fail(r), Exception);
    EXPECT_TRUE(r.view.SameState(viewBefore));
    EXPECT_EQ(r.File(), fileBefore);
    EXPECT_EQ(r.cells, cellsBefore);
}

// Puts the output file on a full disk: every later write fails.
void DiskFull(Recording& r) {
    std::filesystem::remove(r.home.Drive() / "cube.c");
    std::filesystem::create_symlink("/dev/full", r.home.Drive() / "cube.c");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WorkflowFailureTest,
    testing::Values(FailureStep{"Commencer without a name", [](Recording& r) { r.Name(""); },
                                [](Recording& r) { r.workflow.CommencerClick(); }},
                    FailureStep{"Commencer on a folder",
                                [](Recording& r) {
                                    std::filesystem::create_directories(r.home.Drive() / "cube.c");
                                },
                                [](Recording& r) { r.workflow.CommencerClick(); }},
                    FailureStep{
                        "BP2 on a full disk",
                        [](Recording& r) {
                            r.workflow.CommencerClick();
                            DiskFull(r);
                        },
                        [](Recording& r) { r.workflow.SwitchClick(SwitchCombination::BP2); }},
                    FailureStep{"Suivant on a full disk",
                                [](Recording& r) {
                                    StartAndChoose(r);
                                    r.view.Type(Temps, "300");
                                    DiskFull(r);
                                },
                                [](Recording& r) { r.workflow.SuivantClick(); }},
                    FailureStep{"FinirBP on a full disk",
                                [](Recording& r) {
                                    StartAndChoose(r);
                                    DiskFull(r);
                                },
                                [](Recording& r) { r.workflow.FinirBPClick(); }},
                    FailureStep{"Finir on a full disk",
                                [](Recording& r) {
                                    StartAndChoose(r);
                                    r.workflow.FinirBPClick();
                                    DiskFull(r);
                                },
                                [](Recording& r) { r.workflow.FinirClick(); }},
                    Duration("empty duration", ""), Duration("blank duration", "   "),
                    Duration("letters", "abc"), Duration("trailing letters", "12abc"),
                    Duration("exponent", "1e3"), Duration("beyond 32 bits", "99999999999"),
                    Duration("frame that would never end", "491520"),
                    Duration("largest 32-bit duration", "2147483647")),
    [](const testing::TestParamInfo<FailureStep>& info) {
        return test::TestName(info.param.name);
    });

TEST(RecordingWorkflow, AfterAFailureTheUserCorrectsAndGoesOn) {
    Recording r;
    r.Name("");
    EXPECT_THROW(r.workflow.CommencerClick(), Exception);
    EXPECT_FALSE(r.view.IsReadOnly(Nomf));
    r.Name("cube");  // the name can still be corrected
    r.workflow.CommencerClick();
    r.workflow.SwitchClick(SwitchCombination::BP1);
    EXPECT_THROW(r.Frame("12abc"), Exception);
    r.Frame("491519");  // the longest frame the firmware can end
    EXPECT_TRUE(r.File().ends_with(FrameBlock(491519, r.cells)));
    EXPECT_NE(r.File().find("while(i<32767)"), std::string::npos);
}

TEST(FlashBudget, SuivantAsksOnceWhenTheProgramCrossesTheLimit) {
    Recording r;
    r.Name("cube");
    r.workflow.CommencerClick();
    r.workflow.SwitchClick(SwitchCombination::BP2);
    for (int n = 1; r.view.Questions().empty() && n < 200; ++n) {
        r.Tick(1 + n % 27);
        r.Frame("300");
    }
    ASSERT_EQ(r.view.Questions().size(), 1u);
    // One sequence so far: the compact build's table loses two frames' room to it.
    EXPECT_NE(r.view.Questions()[0].find(
                  "(ledcube-sim --compact), which keeps the frames in a table, "
                  "would still fit: it holds up to 1,219 of them with 1 sequence."),
              std::string::npos)
        << r.view.Questions()[0];
    r.view.AnswerWith(true);
    r.Frame("14");  // a frame of repeat count 0 costs no flash: asked only as too short to show
    ASSERT_EQ(r.view.Questions().size(), 2u);
    EXPECT_EQ(r.view.Questions()[1], ShortFrameQuestion(14));
    r.Frame("300");
    r.Frame("300");  // past the limit already: not asked again
    EXPECT_EQ(r.view.Questions().size(), 3u);
    EXPECT_NE(r.view.ToolTip(Suivant).find("may no longer fit"), std::string::npos);
    // A new program starts from an empty budget.
    r.workflow.FinirBPClick();
    r.workflow.FinirClick();
    r.workflow.CommencerClick();
    EXPECT_NE(r.view.ToolTip(Suivant).find("Frame 1 of the program"), std::string::npos);
}

TEST(FlashBudget, NomfToolTipCountsTheProgramsAlreadyInTheFile) {
    Recording r;
    const auto tip = [&r] { return r.view.ToolTip(Nomf); };
    r.Name("cube");
    EXPECT_EQ(tip(), "File: " + (r.home.Drive() / "cube.c").string());
    for (const char* expected :
         {"already holds 1 program: a new", "already holds 2 programs: a new"}) {
        r.workflow.CommencerClick();
        r.workflow.SwitchClick(SwitchCombination::Aucun);
        r.workflow.FinirBPClick();
        r.workflow.FinirClick();
        EXPECT_NE(tip().find(expected), std::string::npos) << tip();
    }
    r.Name("other");
    EXPECT_EQ(tip().find("already"), std::string::npos) << tip();
    r.Name("");
    EXPECT_NE(tip().find("No file name"), std::string::npos) << tip();
}

TEST(FlashBudget, NumbersGroupThousandsWithTheSeparatorGiven) {
    const std::pair<long long, const char*> cases[] = {
        {999, "999"}, {8192, "8 192"}, {-1234567, "-1 234 567"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(GroupThousands(value, ' '), text);
}

// The number before " bytes" in a text: the estimate it shows.
std::string BytesShown(const std::string& text, const std::string& before) {
    const std::size_t at = text.find(before);
    if (at == std::string::npos) return "?";
    const std::size_t start = at + before.size();
    return text.substr(start, text.find(" bytes", start) - start);
}

TEST(RecordingWorkflow, TheStatusLineSaysWhatEachActionDid) {
    Recording r;
    const std::string where = (r.home.Drive() / "demo.c").string();
    struct Step {
        std::function<void()> action;
        std::string status;  // what the status line starts with
    };
    const Step steps[] = {
        {[&] { r.workflow.ShowFileToolTip(); },
         "Type the file's name, then Commencer."},  // at start
        {[&] { r.Name("demo"); }, "The program will be written to " + where + "."},
        {[&] { r.workflow.CommencerClick(); },
         "demo.c — program started: choose the button combination of the first sequence — about "},
        {[&] { r.workflow.SwitchClick(SwitchCombination::BP1); },
         "demo.c — sequence BP1 — no frame yet — about "},
        {[&] { r.Frame("300"); },
         "demo.c — sequence BP1 — frame 1 recorded (300 ms = 20 passes ≈ 307.1 ms on the "
         "ATmega8535) — about "},
        {[&] { r.Frame("15"); },
         "demo.c — sequence BP1 — frame 2 recorded (15 ms = 1 pass ≈ 15.4 ms on the ATmega8535) — "
         "about "},
        {[&] { r.Frame("1 000"); }, "demo.c — sequence BP1 — frame 2 recorded"},  // refused
        {[&] { r.workflow.FinirBPClick(); },
         "demo.c — sequence BP1 closed: 2 frames — choose the next combination, or Finir — about "},
        {[&] { r.Frame("45"); },
         "demo.c — between the sequences — frame 1 recorded (45 ms = 3 passes ≈ 46.1 ms on the "
         "ATmega8535) — about "},
        {[&] { r.workflow.FinirClick(); }, "demo.c — program finished: 3 frames"},
        {[&] { r.Name("demo"); },
         "The program will be written to " + where + ", after the 1 program"},
    };
    for (const Step& step : steps) {
        try {
            step.action();
        } catch (const Exception&) {
            // a refused duration leaves the status as it was
        }
        ASSERT_FALSE(r.view.Statuses().empty());
        const std::string& status = r.view.Statuses().back();
        EXPECT_TRUE(status.starts_with(step.status)) << status << "\n  wanted: " << step.status;
        // During a program the size shown is the estimate Suivant's tooltip gives.
        if (step.status.ends_with("about ")) {
            EXPECT_EQ(BytesShown(status, "about "),
                      BytesShown(r.view.ToolTip(Suivant), "so far: "));
            EXPECT_TRUE(status.ends_with(" bytes of 8,192")) << status;
        }
    }
}

TEST(RecordingWorkflow, AFrameTooShortToShowIsWrittenOnlyWhenTheUserSaysOui) {
    struct Case {
        const char* duration;
        bool oui;
        bool asked;
    };
    const Case cases[] = {{"0", false, true},  {"0", true, true},    {"14", false, true},
                          {"14", true, true},  {"-10", false, true}, {"-10", true, true},
                          {"15", false, false}};  // one pass: shown, nothing asked
    for (const Case& c : cases) {
        Recording r;
        r.Name("short");
        r.workflow.CommencerClick();
        r.workflow.SwitchClick(SwitchCombination::Aucun);
        const std::string before = r.File("short");
        r.view.AnswerWith(c.oui);
        r.Frame(c.duration);
        const int ms = std::stoi(c.duration);
        ASSERT_EQ(r.view.Questions().size(), c.asked ? 1u : 0u) << c.duration;
        if (c.asked) {
            EXPECT_TRUE(r.view.Questions()[0].starts_with("A frame of " + std::string(c.duration) +
                                                          " ms lasts less than one pass"));
        }
        EXPECT_EQ(r.File("short"), c.oui || !c.asked ? before + FrameBlock(ms, r.cells) : before)
            << c.duration;
    }
}

TEST(RecordingWorkflow, ADurationThatIsNotAWholeNumberSaysWhatIsExpected) {
    try {
        FrameDuration("12abc");
        FAIL() << "accepted";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(),
                  "'12abc' is not a valid whole number\nGive the frame's duration in milliseconds: "
                  "a whole "
                  "number, 15 or more.");
    }
}

TEST(RecordingWorkflow, EnterInABoxDoesWhatTheButtonBesideItDoes) {
    struct Case {
        const char* what;
        std::function<void(Recording&)> before;
        void (RecordingWorkflow::*enter)();
        std::string written;  // what Enter appends
    };
    const auto started = [](Recording& r) { r.workflow.CommencerClick(); };
    const auto inSequence = [](Recording& r) {
        r.workflow.CommencerClick();
        r.workflow.SwitchClick(SwitchCombination::BP2);
        r.view.Type(Temps, "300");
    };
    const Case cases[] = {
        {"Enter in the name box starts", [](Recording&) {}, &RecordingWorkflow::NomfEnter,
         ProgramHeader()},
        {"once started, Enter in the name box does nothing", started, &RecordingWorkflow::NomfEnter,
         ""},
        {"Enter in the ms box records the frame", inSequence, &RecordingWorkflow::TempsEnter,
         FrameBlock(300, CellState())},
        {"Enter in the ms box before a sequence does nothing", started,
         &RecordingWorkflow::TempsEnter, ""},
    };
    for (const Case& c : cases) {
        Recording r;
        r.Name("enter");
        c.before(r);
        const auto content = [&r] {
            return std::filesystem::exists(r.home.Drive() / "enter.c") ? r.File("enter") : "";
        };
        const std::string before = content();
        (r.workflow.*c.enter)();
        EXPECT_EQ(content(), before + c.written) << c.what;
    }
}

TEST(RecordingWorkflow, ClosingInTheMiddleOfAProgramAsksFirst) {
    Recording r;
    r.Name("closing");
    EXPECT_TRUE(r.workflow.MayClose());  // nothing started
    r.workflow.CommencerClick();
    r.workflow.SwitchClick(SwitchCombination::BP1);
    EXPECT_FALSE(r.workflow.MayClose());  // Non, the default
    r.view.AnswerWith(true);
    EXPECT_TRUE(r.workflow.MayClose());
    ASSERT_EQ(r.view.Questions().size(), 2u);
    EXPECT_EQ(r.view.Questions()[0], UnfinishedCloseQuestion("closing.c"));
    r.workflow.FinirBPClick();
    r.workflow.FinirClick();
    r.view.AnswerWith(false);
    EXPECT_TRUE(r.workflow.MayClose());  // finished: not asked
    EXPECT_EQ(r.view.Questions().size(), 2u);
}

TEST(RecordingWorkflow, TheNameBoxTellsWhenTheFilesLastProgramIsUnfinished) {
    Recording r;
    r.Name("kept");
    r.workflow.CommencerClick();
    r.workflow.SwitchClick(SwitchCombination::BP1);
    // Another editor (or this one, closed in the middle) left it so; a new name shows it.
    Recording other;
    std::filesystem::create_directories(other.home.Drive());
    std::filesystem::copy_file(r.home.Drive() / "kept.c", other.home.Drive() / "kept.c");
    other.Name("kept");
    EXPECT_NE(other.view.ToolTip(Nomf).find("The last program of the file is not finished"),
              std::string::npos)
        << other.view.ToolTip(Nomf);
    r.workflow.FinirBPClick();
    r.workflow.FinirClick();
    EXPECT_EQ(r.view.ToolTip(Nomf).find("n'est pas terminé"), std::string::npos)
        << r.view.ToolTip(Nomf);
}

}  // namespace
}  // namespace ledcube
