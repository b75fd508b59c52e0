// SPDX-License-Identifier: GPL-3.0-or-later
// How soon the cube follows the player, live: the simulated Uno on a
// pseudo-terminal runs the live program; a lamp of the selected frame is
// clicked, and the time is taken until the player's lamps show it and until
// the board's pins drive the LED (or stop driving it).
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "chip/FirmwareBuild.h"
#include "chip/Flashing.h"
#include "chip/ShowDecoder.h"
#include "chip/SimulatedBoard.h"
#include "compact/LiveBuild.h"
#include "firmware/FirmwareText.h"
#include "player/PlayerSettings.h"
#include "player/PlayerWindow.h"
#include "ui/Application.h"
#include "ui/LampWidget.h"

namespace {

using namespace ledcube;

constexpr int kLed = 14;  // layer 2, the middle

CellState Pattern(int frame) {
    CellState cells;
    for (int n = 1; n <= kCellCount; ++n) cells.Set(n, (n * 7 + frame * 3) % 5 == 0);
    return cells;
}

bool Shows(const player::PlayerWindow& window, const CellState& cells) {
    for (int n = 1; n <= kCellCount; ++n)
        if (window.Cube()->Lamp(n)->IsLit() != cells.Get(n)) return false;
    return true;
}

// Where the board's wires, since the recording began, started driving the LED
// as `lit` says for most of a slot of its layer (cycles from the recording's
// start, the board's time keeping the wall clock's); none yet.
std::optional<std::uint64_t> BoardDrove(const chip::PortTrace& trace, bool lit) {
    std::uint8_t a = 0;
    std::uint8_t c = 0;
    const int layer = (kLed - 1) / 9 + 1;
    std::optional<std::uint64_t> slotStart;
    const std::uint64_t slot = trace.frequency / 1000 * 4;  // most of a 5 ms slot
    for (const chip::PortWrite& write : trace.writes) {
        (write.port == 'A' ? a : c) = write.value;
        const bool selected = chip::SelectedLayer(a) == layer;
        const bool driven = (chip::DrivenLeds(a, c) >> (kLed - 1) & 1) != 0;
        if (selected && driven == lit) {
            if (!slotStart) slotStart = write.cycle;
        } else if (slotStart && write.cycle - *slotStart >= slot) {
            return slotStart;
        } else {
            slotStart.reset();
        }
    }
    if (slotStart && trace.endCycle - *slotStart >= slot) return slotStart;
    return std::nullopt;
}

// Runs the event loop until `done`, looking every millisecond; false after `ms`.
template <typename Done>
bool WaitMs(Done done, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > ms) return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    const chip::ScratchFolder folder;
    const chip::Chip uno = chip::kUno;
    chip::SimulatedBoard board(uno, chip::BootloaderOf(uno, folder.Path()));
    const chip::FlashRun flashed = chip::FlashChip(compact::BuildLiveProgram(uno, folder).hex, uno,
                                                   std::nullopt, board.Port());
    if (!flashed.outcome.flashed) {
        std::fprintf(stderr, "%s\n", flashed.outcome.sentence.c_str());
        return 1;
    }

    const std::string file = (folder.Path() / "cube.c").string();
    std::string text = ProgramHeader();
    for (int frame = 0; frame < 50; ++frame) text += FrameBlock(200, Pattern(frame));
    std::ofstream(file, std::ios::binary) << text + ProgramClose();
    player::PlayerWindow window(chip::WallClock());
    player::PlayerMemory memory;
    memory.chip = QStringLiteral("uno");
    memory.port = QString::fromStdString(board.Port());
    window.Restore(memory);
    window.OpenFile(QString::fromStdString(file));
    window.show();
    window.SetLive(true);
    if (!QTest::qWaitFor([&] { return window.LiveText().startsWith(QStringLiteral("live on")); },
                         20000)) {
        std::fprintf(stderr, "not live: %s\n", qPrintable(window.LiveText()));
        return 1;
    }
    window.Document().Select({4});
    CellState cells = Pattern(4);
    if (!QTest::qWaitFor([&] { return Shows(window, cells); }, 30000)) return 1;
    QTest::qWait(500);

    std::vector<double> lamps;
    std::vector<double> pins;
    std::vector<double> after;
    for (int edit = 0; edit < 10; ++edit) {
        cells.Set(kLed, !cells.Get(kLed));
        board.StartRecording();
        QElapsedTimer clicked;
        clicked.start();
        window.ToggleLamp(kLed);
        double lampsMs = -1;
        std::optional<std::uint64_t> driven;
        WaitMs(
            [&] {
                if (lampsMs < 0 && Shows(window, cells)) lampsMs = clicked.nsecsElapsed() / 1e6;
                return (driven = BoardDrove(board.Recording(), cells.Get(kLed))).has_value();
            },
            10000);
        if (!driven || lampsMs < 0) {
            std::fprintf(stderr, "edit %d did not show\n", edit);
            return 1;
        }
        pins.push_back(*driven * 1000.0 / uno.clockHz);
        lamps.push_back(lampsMs);
        after.push_back(pins.back() - lampsMs);
        QTest::qWait(300);
    }
    const auto say = [](const char* what, std::vector<double> ms) {
        std::ranges::sort(ms);
        std::printf("live on the simulated Uno: %s: %.0f–%.0f ms, median %.0f\n", what, ms.front(),
                    ms.back(), ms[ms.size() / 2]);
    };
    say("a lamp of the selected frame clicked (10 times) to the player's lamps showing it", lamps);
    say("the click to the board's pins driving the LED", pins);
    say("the player's lamps to the board's pins", after);
    return 0;
}
