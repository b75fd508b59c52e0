// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "InLanguage.h"
#include "chip/FirmwareBuild.h"
#include "firmware/FirmwareText.h"
#include "gif/AnimatedGif.h"
#include "player/FramePanel.h"
#include "player/PlayerWindow.h"
#include "ui/CubePainter.h"

namespace ledcube::player {
namespace {

namespace fs = std::filesystem;

// A finished program of one Aucun sequence: frame i lights LED i % 27 + 1 and
// its neighbour for 30 to 150 ms, so that no two frames in a row look alike.
std::string Program(int frames) {
    std::string text = ProgramHeader() + SwitchBlockOpen(SwitchCombination::Aucun);
    for (int i = 0; i < frames; ++i) {
        CellState cells;
        cells.Set(i % 27 + 1, true);
        cells.Set((i + 13) % 27 + 1, true);
        text += FrameBlock(30 + 15 * (i % 9), cells);
    }
    return text + SwitchBlockClose() + ProgramClose();
}

void OpenProgram(PlayerWindow& window, const fs::path& file, int frames) {
    std::ofstream(file, std::ios::binary) << Program(frames);
    window.show();
    window.OpenFile(QString::fromStdString(file.string()));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window.Panel()->model()->rowCount() == frames + 1; }, 20000))
        << window.ProblemText().toStdString();
}

TEST(PlayerWindow, SpeaksFrenchToAFrenchUser) {
    const test::SpeakFrench french;
    const chip::ScratchFolder folder;
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    window.Questions().warn = [](const QString& message) {
        ADD_FAILURE() << message.toStdString();
    };
    OpenProgram(window, folder.Path() / "cube1.c", 3);
    QStringList menus;
    for (const QAction* menu : window.findChild<QMenuBar*>()->actions()) menus << menu->text();
    EXPECT_EQ(menus,
              (QStringList{"&Fichier", "É&dition", "&Insertion", "&Transformer", "&Affichage"}));
    EXPECT_EQ(window.Action(QStringLiteral("save"))->text(), QStringLiteral("&Enregistrer"));
    EXPECT_EQ(window.Action(QStringLiteral("export-animation"))->text(),
              QStringLiteral("E&xporter l'animation…"));
    // The sizes line, with its numbers as French writes them.
    QStringList labels;
    for (const QLabel* label : window.findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.join('\n').contains(QStringLiteral("octets sur 8 192 (")))
        << labels.join('\n').toStdString();
    // An edit's name in the Edit menu.
    window.Panel()->SelectBlocks({1});
    emit window.Panel()->SelectionChanged(window.Panel()->SelectedBlocks());
    window.Action(QStringLiteral("delete"))->trigger();
    EXPECT_EQ(window.Action(QStringLiteral("undo"))->text(),
              QStringLiteral("Annuler Supprimer l'image"));
}

TEST(PlayerWindow, ExportsWhatTheChipShowsAsAnAnimatedGif) {
    const chip::ScratchFolder folder;
    std::atomic<double> now = 0;
    PlayerWindow window([&now] { return now.load(); });
    window.Questions().warn = [](const QString& message) {
        ADD_FAILURE() << message.toStdString();
    };
    const int frames = 60;
    OpenProgram(window, folder.Path() / "cube1.c", frames);
    QString proposed;
    const QString gif = QString::fromStdString((folder.Path() / "show.gif").string());
    window.Questions().gifName = [&](const QString& name) {
        proposed = name;
        return gif;
    };
    QString told;
    window.Questions().tell = [&](const QString& message) { told = message; };
    window.Action(QStringLiteral("export-animation"))->trigger();
    EXPECT_EQ(proposed, QString::fromStdString((folder.Path() / "cube1.gif").string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }, 120000));
    EXPECT_TRUE(told.contains(QStringLiteral("60 frames"))) << told.toStdString();

    // A 60-frame program at 320 pixels stays under a megabyte.
    EXPECT_LT(QFileInfo(gif).size(), 1 << 20);
    QImageReader reader(gif);
    ASSERT_EQ(reader.imageCount(), frames);
    EXPECT_EQ(reader.loopCount(), -1);
    // Each frame as long as its passes (15.34 ms at 1 MHz), the whole within 10 ms of the round.
    double total = 0;
    double round = 0;
    for (int i = 0; i < frames; ++i) {
        const QImage picture = reader.read();
        ASSERT_FALSE(picture.isNull()) << i;
        const double ms = (30 + 15 * (i % 9)) / 15 * 15.34;
        EXPECT_NEAR(reader.nextImageDelay(), ms, 10) << "frame " << i;
        total += reader.nextImageDelay();
        round += ms;
        if (i % 29 == 0)
            for (int n = 1; n <= kCellCount; ++n) {
                const bool lit = n == i % 27 + 1 || n == (i + 13) % 27 + 1;
                EXPECT_EQ(picture.pixelColor(LampCircle(n, gif::GifCube(320)).center().toPoint()),
                          lit ? kLampLit : kLampDark)
                    << "frame " << i << ", LED " << n;
            }
    }
    EXPECT_NEAR(total, round, 10);
}

}  // namespace
}  // namespace ledcube::player
