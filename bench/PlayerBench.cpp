// SPDX-License-Identifier: GPL-3.0-or-later
// What the player costs and how quickly it answers, with its real window, its
// worker thread and the wall clock: start to the first lit frame, a frame
// appended to the file to that frame on screen (a 50-frame program), an edit
// to the lamps showing it, the processor time of 20 s of playing at ×1, and a
// frame selected 60 s into a show to the lamps showing it.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "chip/FirmwareBuild.h"
#include "firmware/FirmwareText.h"
#include "player/PlayerWindow.h"
#include "ui/Application.h"
#include "ui/LampWidget.h"

namespace {

using namespace ledcube;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool Shows(const player::PlayerWindow& window, const CellState& cells) {
    for (int n = 1; n <= kCellCount; ++n)
        if (window.Cube()->Lamp(n)->IsLit() != cells.Get(n)) return false;
    return true;
}

bool AnyLit(const player::PlayerWindow& window) {
    for (int n = 1; n <= kCellCount; ++n)
        if (window.Cube()->Lamp(n)->IsLit()) return true;
    return false;
}

CellState Pattern(int frame) {
    CellState cells;
    for (int n = 1; n <= kCellCount; ++n) cells.Set(n, (n * 7 + frame * 3) % 5 == 0);
    return cells;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    const chip::ScratchFolder folder;
    const std::string file = (folder.Path() / "cube.c").string();
    // 50 frames of 200 ms, still being recorded, as the editor leaves it between frames.
    std::string text = ProgramHeader();
    for (int frame = 0; frame < 50; ++frame) text += FrameBlock(200, Pattern(frame));
    std::ofstream(file, std::ios::binary) << text;

    player::PlayerWindow window(chip::WallClock());
    // `player_bench --chip uno [--compact]` plays that build for that chip or board.
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype chip = arguments.indexOf(QStringLiteral("--chip"));
    QString chipName = QStringLiteral("atmega8535");
    if (chip >= 0 && chip + 1 < arguments.size()) {
        chipName = arguments[chip + 1];
        window.ChooseChip(chipName);
    }
    if (arguments.contains(QStringLiteral("--compact"))) {
        window.ChooseCompact(true);
        chipName += QStringLiteral(" compact");
    }
    window.OpenFile(QString::fromStdString(file));
    window.show();
    if (!QTest::qWaitFor([&] { return AnyLit(window); }, 10000)) return 1;
    std::printf("%s: start to the first lit frame: %lld ms\n", qPrintable(chipName),
                static_cast<long long>(sinceStart.elapsed()));

    // The editor records frame 51, all lit: how long until the player shows it.
    QTest::qWait(1000);
    CellState all;
    for (int n = 1; n <= kCellCount; ++n) all.Set(n, true);
    QElapsedTimer change;
    change.start();
    std::ofstream(file, std::ios::binary | std::ios::app) << FrameBlock(600, all);
    // On a board the chip may play up to a round in real time before it gets there.
    if (!QTest::qWaitFor([&] { return Shows(window, all); }, 30000)) return 1;
    std::printf(
        "%s: a frame appended to the file (50 frames of 200 ms before it) to that frame on "
        "screen: %lld ms\n",
        qPrintable(chipName), static_cast<long long>(change.elapsed()));

    // Frame 5 selected, then LED 14 turned on and off in it five times: each
    // edit to the lamps showing the edited frame, built and run on the chip.
    window.Document().Select({4});
    if (!QTest::qWaitFor([&] { return Shows(window, Pattern(4)); }, 30000)) return 1;
    CellState cells = Pattern(4);
    for (int edit = 0; edit < 5; ++edit) {
        cells.Set(14, cells.Get(14) == 0);
        QElapsedTimer edited;
        edited.start();
        window.ToggleLamp(14);
        if (!QTest::qWaitFor([&] { return Shows(window, cells); }, 10000)) return 1;
        std::printf(
            "%s: an edit (LED 14 of frame 5 of 51) to the lamps showing the edited frame: %lld "
            "ms\n",
            qPrintable(chipName), static_cast<long long>(edited.elapsed()));
    }
    window.Action(QStringLiteral("undo"))->trigger();
    QTest::qWait(500);
    window.Document().Select({});

    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(20000);
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf(
        "%s: playing at x1 for %.1f s: %.2f s of processor time, %.1f %% of one core (%s)\n",
        qPrintable(chipName), wall.elapsed() / 1000.0, cpu, 100 * cpu / (wall.elapsed() / 1000.0),
        qPrintable(QApplication::platformName()));

    // A 60 s show (30 frames of 2 s, so that it fits the ATmega8535): the frame after it
    // selected, to the lamps showing it.
    std::string show = ProgramHeader();
    for (int frame = 0; frame < 30; ++frame) show += FrameBlock(2000, Pattern(frame % 7));
    show += FrameBlock(200, all) + ProgramClose();
    const std::string showFile = (folder.Path() / "show.c").string();
    std::ofstream(showFile, std::ios::binary) << show;
    window.Questions().unsavedEdits = [](const QString&) { return QMessageBox::Discard; };
    window.OpenFile(QString::fromStdString(showFile));
    if (!QTest::qWaitFor([&] { return Shows(window, Pattern(0)); }, 10000)) {
        std::fprintf(stderr, "%s: the show did not start\n", qPrintable(chipName));
        return 1;
    }
    QElapsedTimer selected;
    selected.start();
    window.Document().Select({30});
    if (!QTest::qWaitFor([&] { return Shows(window, all); }, 10000)) {
        std::fprintf(stderr, "%s: the selected frame did not show: %s\n", qPrintable(chipName),
                     qPrintable(window.WhereText()));
        return 1;
    }
    std::printf("%s: the frame 60 s into a show selected, to the lamps showing it: %lld ms\n",
                qPrintable(chipName), static_cast<long long>(selected.elapsed()));
    return 0;
}
