// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QListView>
#include <cmath>
#include <set>

#include "TestSupport.h"
#include "firmware/FirmwareText.h"
#include "player/FramePanel.h"
#include "program/Animation.h"
#include "ui/CubePainter.h"

namespace ledcube::player {
namespace {

// The relative luminance of a colour, as the contrast of text is judged.
double Luminance(QColor colour) {
    const auto linear = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(QColor a, QColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(Thumbnail, PutsTheLayersSideBySideEachSeenFromAboveInsideItsTile) {
    const QRectF area(10, 5, 100, 36);
    struct Case {
        int left;  // the cell to the left of `right`, in the same row
        int right;
    };
    // Along a row, then across the gap from one layer's right column to the next layer's left.
    const Case sideBySide[] = {{1, 2}, {2, 3}, {3, 10}, {12, 19}, {25, 26}, {26, 27}};
    for (const Case& c : sideBySide) {
        EXPECT_LT(ThumbnailCell(c.left, area).right(), ThumbnailCell(c.right, area).left())
            << c.left << " " << c.right;
        EXPECT_DOUBLE_EQ(ThumbnailCell(c.left, area).top(), ThumbnailCell(c.right, area).top());
    }
    // The back row at the top of each grid, the front row at its bottom.
    for (const int layer : {1, 2, 3}) {
        const int first = FirstCellOfLayer(layer);
        EXPECT_LT(ThumbnailCell(first, area).bottom(), ThumbnailCell(first + 3, area).top());
        EXPECT_LT(ThumbnailCell(first + 3, area).bottom(), ThumbnailCell(first + 6, area).top());
    }
    for (int n = 1; n <= kCellCount; ++n) {
        const QRectF cell = ThumbnailCell(n, area);
        EXPECT_TRUE(area.contains(cell)) << n;
        EXPECT_NEAR(cell.width(), cell.height(), 1e-9) << n;
        EXPECT_GE(cell.width(), 6) << "cells large enough to tell apart at the panel's size";
    }
    // The whole is centred: as much room left of cell 1 as right of cell 27.
    EXPECT_NEAR(ThumbnailCell(1, area).left() - area.left(),
                area.right() - ThumbnailCell(27, area).right(), 1e-9);
}

// The frame panel as it draws a program's frames: every pixel of each
// thumbnail in the GIF's palette of the three thumbnail colours, and a lit
// cell standing out from a dark one by at least 3 : 1.
TEST(Thumbnail, EachFrameOfThePanelTellsItsCellsAtAGlance) {
    const CellState frames[] = {test::CellsOn({1, 14, 27}), test::CellsOn({5}), CellState(),
                                test::CellsOn({2, 4, 6, 8, 11, 13, 15, 17, 20, 22, 24, 26})};
    std::string text = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1);
    for (const CellState& cells : frames) text += FrameBlock(150, cells);
    text += SwitchBlockClose() + ProgramClose();
    FramePanel panel;
    panel.resize(320, 400);
    panel.Show(program::ReadAnimation(text), {});
    panel.show();
    const QImage image = panel.viewport()->grab().toImage();
    const std::set<QRgb> palette = {kThumbnailTile.rgb(), kThumbnailLit.rgb(),
                                    kThumbnailDark.rgb()};
    int row = 1;  // after the sequence's heading
    for (const CellState& cells : frames) {
        const QModelIndex index = panel.model()->index(row++, 0);
        const QRect tile = FrameThumbnailRect(panel.visualRect(index), true);
        ASSERT_TRUE(image.rect().contains(tile));
        std::set<QRgb> seen;
        for (int y = tile.top(); y <= tile.bottom(); ++y)
            for (int x = tile.left(); x <= tile.right(); ++x)
                seen.insert(image.pixel(x, y) | 0xFF000000);
        for (const QRgb colour : seen)
            EXPECT_TRUE(palette.contains(colour)) << std::hex << colour << " in frame " << row - 1;
        for (int n = 1; n <= kCellCount; ++n) {
            const QPoint centre = ThumbnailCell(n, tile).center().toPoint();
            const QColor pixel = image.pixelColor(centre);
            EXPECT_EQ(pixel.rgb(), (cells.Get(n) ? kThumbnailLit : kThumbnailTile).rgb()) << n;
            EXPECT_GE(Contrast(pixel, cells.Get(n) ? kThumbnailTile : kThumbnailLit), 3.0) << n;
        }
    }
}

}  // namespace
}  // namespace ledcube::player
