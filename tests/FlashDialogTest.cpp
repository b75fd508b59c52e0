// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QTest>
#include <functional>
#include <optional>

#include "TestSupport.h"
#include "chip/Avrdude.h"
#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "chip/SimulatedBoard.h"
#include "player/FlashDialog.h"

namespace ledcube::player {
namespace {

using test::CellsOn;

std::string Bp1AndAucun() {
    return ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
           FrameBlock(150, CellsOn({2})) + FrameBlock(45, CellsOn({11, 12})) + SwitchBlockClose() +
           SwitchBlockOpen(SwitchCombination::Aucun) + FrameBlock(75, CellsOn({5, 23})) +
           SwitchBlockClose() + ProgramClose();
}

// Runs the dialog's Flash to its end; the progress values it showed on the way.
std::vector<int> FlashToTheEnd(FlashDialog& dialog) {
    std::vector<int> seen;
    dialog.Flash();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            if (seen.empty() || seen.back() != dialog.Progress()) seen.push_back(dialog.Progress());
            return !dialog.Busy();
        },
        120000));
    return seen;
}

TEST(FlashDialog, FlashesTheSimulatedUnoWithAMovingProgressBarAndTheChipPlaysTheFrames) {
    const chip::ScratchFolder boot;
    chip::SimulatedBoard board(chip::kUno, chip::BootloaderOf(chip::kUno, boot.Path()));
    FlashDialog dialog(Bp1AndAucun(), QStringLiteral("cube.c"), chip::kUno);
    dialog.SetPort(QString::fromStdString(board.Port()));
    const std::vector<int> seen = FlashToTheEnd(dialog);
    EXPECT_TRUE(dialog.StatusText().startsWith(QStringLiteral("flashed ")) &&
                dialog.StatusText().endsWith(QStringLiteral(" to the ATmega328P on ") +
                                             QString::fromStdString(board.Port()) +
                                             QStringLiteral(" and verified")))
        << dialog.StatusText().toStdString() << dialog.Log().toStdString();
    EXPECT_EQ(dialog.Progress(), 100);
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int p) { return p > 0 && p < 100; }))
        << "the progress bar never moved between 0 and 100";
    ASSERT_TRUE(QTest::qWaitFor([&] { return board.ProgramRunning(); }, 10000));
    const std::vector<chip::ShownFrame> shown =
        chip::DecodeShow(board.Play(SwitchCombination::BP1, 600));
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(chip::CellsText(shown[0].cells), chip::CellsText(CellsOn({2})));
    EXPECT_EQ(chip::CellsText(shown[1].cells), chip::CellsText(CellsOn({11, 12})));
}

struct DialogFailure {
    const char* name;
    const char* chip;
    const char* programmer;  // none: the board's own
    bool board;              // a simulated Uno behind the port, else nothing
    const char* avrdude;
    std::string says;
};

void PrintTo(const DialogFailure& c, std::ostream* out) {
    *out << c.name;
}

class FlashDialogFailureTest : public testing::TestWithParam<DialogFailure> {};

TEST_P(FlashDialogFailureTest, SaysWhatWentWrong) {
    const DialogFailure& c = GetParam();
    const chip::ScratchFolder boot;
    std::optional<chip::SimulatedBoard> board;
    int master = -1;
    int slave = -1;
    std::string port;
    if (c.board) {
        board.emplace(chip::kUno, chip::BootloaderOf(chip::kUno, boot.Path()));
        port = board->Port();
    } else {
        char name[256] = {};
        ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        port = name;
    }
    if (c.avrdude) qputenv("AVRDUDE", c.avrdude);
    FlashDialog dialog(Bp1AndAucun(), QStringLiteral("cube.c"), chip::kUno);
    dialog.ChooseChip(QString::fromLatin1(c.chip));
    if (c.programmer) dialog.ChooseProgrammer(QString::fromLatin1(c.programmer));
    dialog.SetPort(QString::fromStdString(port));
    FlashToTheEnd(dialog);
    qunsetenv("AVRDUDE");
    if (master >= 0) close(master), close(slave);
    std::string says = c.says;
    if (const std::size_t at = says.find("PORT"); at != std::string::npos)
        says.replace(at, 4, port);
    EXPECT_TRUE(dialog.StatusText().startsWith(QString::fromStdString(says)))
        << dialog.StatusText().toStdString() << "\n"
        << dialog.Log().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FlashDialogFailureTest,
    testing::Values(
        DialogFailure{"avrdude missing", "uno", nullptr, true, "/nonexistent/avrdude",
                      chip::AvrdudeMissing()},
        DialogFailure{
            "another chip answers", "atmega16", "arduino", true, nullptr,
            "the chip that answered is an ATmega328P (signature 1E 95 0F), not the ATmega16"},
        DialogFailure{"nothing answers", "uno", nullptr, false, nullptr,
                      "nothing answers on PORT"}),
    [](const testing::TestParamInfo<DialogFailure>& info) {
        return test::TestName(info.param.name);
    });

TEST(FlashDialog, CancelStopsAvrdudeAndSaysTheChipMayHoldPartOfTheProgram) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    FlashDialog dialog(Bp1AndAucun(), QStringLiteral("cube.c"), chip::kUno);
    dialog.SetPort(QString::fromLatin1(name));
    dialog.Flash();
    // avrdude is trying to reach the board when the user gives up.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Log().isEmpty(); }, 30000));
    dialog.Cancel();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.Busy(); }, 10000));
    close(master), close(slave);
    EXPECT_EQ(dialog.StatusText().toStdString(), chip::FlashStopped());
}

TEST(FlashDialog, ABoardThatStopsAnsweringInTheMiddleEndsTheFlashWithinTheStallTime) {
    const chip::ScratchFolder boot;
    chip::SimulatedBoard board(chip::kUno, chip::BootloaderOf(chip::kUno, boot.Path()));
    board.GoAwayAfter(500);  // of the 858 bytes of the program, and the talk around them
    FlashDialog dialog(Bp1AndAucun(), QStringLiteral("cube.c"), chip::kUno);
    dialog.SetPort(QString::fromStdString(board.Port()));
    dialog.SetStallMs(2000);
    QElapsedTimer timer;
    timer.start();
    dialog.Flash();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Busy(); }, 30000))
        << dialog.Log().toStdString();
    EXPECT_LT(timer.elapsed(), 2000 + 10000);
    const QString says = dialog.StatusText();
    EXPECT_TRUE(says.startsWith("the board stopped answering on " +
                                QString::fromStdString(board.Port()) + " after ") &&
                says.endsWith(" bytes: check the cable and flash again"))
        << says.toStdString() << "\n"
        << dialog.Log().toStdString();
}

TEST(FlashDialog, EachChipKeepsTheProgrammerLastChosenForIt) {
    FlashDialog dialog(Bp1AndAucun(), QStringLiteral("cube.c"), chip::kUno);
    const auto programmer = [&] {
        return dialog.findChildren<QComboBox*>()[1]->currentData().toString();
    };
    EXPECT_EQ(programmer(), QStringLiteral("arduino"));
    dialog.ChooseChip(QStringLiteral("atmega16"));
    EXPECT_EQ(programmer(), QStringLiteral("usbasp"));
    dialog.ChooseProgrammer(QStringLiteral("usbtiny"));
    dialog.ChooseChip(QStringLiteral("uno"));
    EXPECT_EQ(programmer(), QStringLiteral("arduino"));
    dialog.ChooseChip(QStringLiteral("atmega16"));
    EXPECT_EQ(programmer(), QStringLiteral("usbtiny"));
}

TEST(PortLabel, ShowsTheBoardsUsbNameBesideThePort) {
    EXPECT_EQ(PortLabel("/dev/ttyACM0", "Arduino Uno", "Arduino LLC"),
              "/dev/ttyACM0 — Arduino Uno (Arduino LLC)");
    EXPECT_EQ(PortLabel("/dev/ttyUSB0", "USB2.0-Serial", ""), "/dev/ttyUSB0 — USB2.0-Serial");
    EXPECT_EQ(PortLabel("/dev/ttyS0", "", ""), "/dev/ttyS0");
}

}  // namespace
}  // namespace ledcube::player
