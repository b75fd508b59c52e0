// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fstream>
#include <set>

#include "TestSupport.h"
#include "chip/WiringFile.h"
#include "firmware/FirmwareText.h"
#include "player/FlashDialog.h"
#include "player/PlayerSettings.h"
#include "player/PlayerWindow.h"
#include "player/WiringDialog.h"
#include "ui/LampWidget.h"

using namespace ledcube;
using namespace ledcube::player;

namespace {

// The user's settings folder in a temporary one for the life of the object.
class TempConfig {
  public:
    TempConfig() : old_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    }
    ~TempConfig() { qputenv("XDG_CONFIG_HOME", old_); }
    QString Path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QByteArray old_;
};

const char* const kUnoCube =
    "chip = uno\nLED1 = D13\nLED2 = D12\nLED3 = D11\nLED4 = D10\nLED5 = D9\nLED6 = D8\n"
    "LED7 = D7\nLED8 = D6\nLED9 = D5\nEtage1 = A0\nEtage2 = A1\nEtage3 = A2\nBP1 = A3\n"
    "BP2 = A4\nBP3 = A5\nleds lit = high\nlayers on = high\nbuttons pressed = low\n";

QString WriteFile(const QString& path, const std::string& text) {
    std::ofstream(path.toStdString(), std::ios::binary) << text;
    return path;
}

TEST(PlayerMemory, KeepsTenRecentFilesAndAPlaceOnlyOnAScreen) {
    QStringList recent;
    for (int n = 0; n < 12; ++n) recent = WithRecentFile(recent, QStringLiteral("/f%1.c").arg(n));
    recent = WithRecentFile(recent, QStringLiteral("/f5.c"));
    EXPECT_EQ(recent.size(), 10);
    EXPECT_EQ(recent.first(), "/f5.c");
    EXPECT_EQ(recent.count(QStringLiteral("/f5.c")), 1);
    EXPECT_EQ(recent[1], "/f11.c");

    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    struct Case {
        QRect saved;
        bool restored;
    };
    const Case cases[] = {
        {QRect(100, 100, 880, 760), true},
        {QRect(2000, 50, 880, 760), true},     // on the second screen
        {QRect(3150, 50, 880, 760), false},    // 50 px of its title bar on a screen
        {QRect(100, -200, 880, 760), false},   // its title bar above every screen
        {QRect(-5000, 100, 880, 760), false},  // a screen unplugged since
        {QRect(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnScreens(c.saved, screens).has_value(), c.restored) << c.saved.x();
}

TEST(PlayerMemory, WhatIsWrittenIsReadBack) {
    QTemporaryDir dir;
    PlayerMemory memory;
    memory.recentFiles = {QStringLiteral("/home/u/D/cube1.c"), QStringLiteral("/tmp/é.c")};
    memory.chip = QStringLiteral("uno");
    memory.wiring = QStringLiteral("/home/u/.config/ledcube/wirings/mycube.wiring");
    memory.programmer = QStringLiteral("arduino");
    memory.port = QStringLiteral("/dev/ttyACM1");
    memory.speedIndex = 2;
    memory.panelShown = false;
    memory.place = QRect(10, 20, 800, 600);
    {
        QSettings settings(dir.filePath(QStringLiteral("play.conf")), QSettings::IniFormat);
        memory.Write(settings);
    }
    QSettings settings(dir.filePath(QStringLiteral("play.conf")), QSettings::IniFormat);
    const PlayerMemory back = PlayerMemory::Read(settings);
    EXPECT_EQ(back.recentFiles, memory.recentFiles);
    EXPECT_EQ(back.chip, memory.chip);
    EXPECT_EQ(back.wiring, memory.wiring);
    EXPECT_EQ(back.programmer, memory.programmer);
    EXPECT_EQ(back.port, memory.port);
    EXPECT_EQ(back.speedIndex, 2);
    EXPECT_FALSE(back.panelShown);
    EXPECT_EQ(back.place, memory.place);
}

TEST(WiringDialog, MakesTheUnoCubeMarksTakenPinsAndRefusesTwoLinesOnOnePin) {
    const TempConfig config;
    const chip::WiringRead wanted = chip::ReadWiring(kUnoCube, "mine.wiring", std::nullopt);
    WiringDialog dialog(chip::kUno, QStringLiteral("mycube"));
    for (int line = 0; line < chip::kWiredLines; ++line)
        dialog.SetPin(line, chip::LinePin(wanted.wiring, line));
    dialog.SetLevels(true, true, false);
    ASSERT_TRUE(dialog.Save()) << dialog.ProblemText().toStdString();
    EXPECT_EQ(dialog.SavedPath(), WiringsFolder() + "/mycube.wiring");
    EXPECT_TRUE(dialog.SavedPath().startsWith(config.Path()));
    const chip::Chip saved = LoadWiring(dialog.SavedPath());
    EXPECT_STREQ(saved.id, "uno");
    chip::PinWiring pins = *saved.pins;
    chip::NameWiring(pins, "");
    EXPECT_EQ(pins, wanted.wiring);
    // The lists mark a pin another line takes; the same pin twice is refused as the file would be.
    EXPECT_TRUE(
        dialog.PinTexts(1).contains(QStringLiteral("D13 — taken by LED1 (the ISP header's SCK)")))
        << dialog.PinTexts(1).join(QStringLiteral(", ")).toStdString();
    dialog.SetPin(1, chip::Pin{'B', 5});
    EXPECT_FALSE(dialog.Save());
    EXPECT_TRUE(dialog.ProblemText().contains(QStringLiteral("LED2 is on D13")))
        << dialog.ProblemText().toStdString();
    const std::vector<SavedWiring> listed = SavedWirings();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].chipId, "uno");
}

TEST(HeaderLayout, DrawsEveryPortPinOfTheChipOnce) {
    for (const chip::Chip& chip : chip::Chips()) {
        std::set<std::pair<char, int>> pins;
        std::set<std::pair<int, int>> places;
        for (const HeaderPlace& place : HeaderLayout(chip)) {
            EXPECT_TRUE(places.insert({place.column, place.row}).second) << chip.id;
            if (place.pin) {
                EXPECT_TRUE(pins.insert({place.pin->port, place.pin->bit}).second);
            }
        }
        int usable = 0;
        for (const chip::ChipPin& pin : chip::ChipPins(chip)) {
            if (!pin.output) continue;
            ++usable;
            EXPECT_TRUE(pins.count({pin.pin.port, pin.pin.bit})) << chip.id << " " << pin.name;
        }
        EXPECT_EQ(usable, chip.wiring == chip::Wiring::Arduino ? 20 : 32) << chip.id;
    }
}

TEST(PlayerWindow, PlaysTheWiringChosenRemembersItAndRefusesAWrongFileWhole) {
    const TempConfig config;
    const QString mine = WriteFile(config.Path() + "/mycube.wiring", kUnoCube);
    std::string broken = kUnoCube;
    broken.replace(broken.find("LED5 = D9"), 9, "LED5 = D14");
    const QString wrong = WriteFile(config.Path() + "/wrong.wiring", broken);
    const QString program =
        WriteFile(config.Path() + "/cube.c",
                  ProgramHeader() + FrameBlock(600, test::CellsOn({1})) + ProgramClose());
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    PlayerMemory remembered;
    window.remember = [&](const PlayerMemory& memory) { remembered = memory; };
    PlayerMemory last;
    last.chip = QStringLiteral("uno");
    last.wiring = mine;
    last.speedIndex = 5;
    last.panelShown = false;
    last.programmer = QStringLiteral("usbasp");
    last.port = QStringLiteral("/dev/ttyS3");
    window.Restore(last);
    window.show();
    EXPECT_STREQ(window.ChosenChip().id, "uno");
    EXPECT_EQ(window.ChipText(), "Arduino Uno (ATmega328P), wired as mycube");
    ASSERT_TRUE(window.ChosenChip().pins.has_value());
    EXPECT_TRUE(window.ChosenChip().pins->ledsLitHigh);
    window.OpenFile(program);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.TimeText() == "0.000 s"; }, 20000))
        << window.ProblemText().toStdString();
    now = 0.1;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.ShowingText().contains("frame 1 of 1"); }, 20000))
        << window.ShowingText().toStdString() << window.ProblemText().toStdString();
    for (int n = 1; n <= kCellCount; ++n)
        EXPECT_EQ(window.Cube()->Lamp(n)->IsLit(), n == 1)
            << n << " " << window.Cube()->Lamp(n)->Brightness() << " "
            << window.TimeText().toStdString();

    EXPECT_FALSE(window.ChooseWiring(wrong));
    EXPECT_TRUE(window.ProblemText().contains("wrong.wiring, line 6"))
        << window.ProblemText().toStdString();
    EXPECT_TRUE(window.ChosenChip().pins.has_value());  // the wiring before plays on
    EXPECT_TRUE(window.ChooseWiring(mine));

    window.PlayWiringTest();
    // The chip's time moves on slowly until the first LED of the test shows.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            now = now + 0.002;
            return window.ShowingText().contains("layer 1, back row, left — D13 with A0");
        },
        20000))
        << window.ShowingText().toStdString();

    // Put on the cube starts from the programmer and port of the last time, and keeps this time's.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Action("put-on-cube")->isEnabled(); }, 20000));
    window.PutOnTheCube();
    auto* flash = window.findChild<FlashDialog*>();
    ASSERT_NE(flash, nullptr);
    EXPECT_EQ(flash->ProgrammerId(), "usbasp");
    EXPECT_EQ(flash->PortText(), "/dev/ttyS3");
    flash->SetPort(QStringLiteral("/dev/ttyUSB7"));
    flash->reject();

    window.close();
    EXPECT_EQ(remembered.programmer, "usbasp");
    EXPECT_EQ(remembered.port, "/dev/ttyUSB7");
    EXPECT_EQ(remembered.chip, "uno");
    EXPECT_EQ(remembered.wiring, QFileInfo(mine).absoluteFilePath());
    EXPECT_EQ(remembered.speedIndex, 5);
    EXPECT_FALSE(remembered.panelShown);
    EXPECT_EQ(remembered.recentFiles.value(0), QFileInfo(program).absoluteFilePath());
}

}  // namespace
