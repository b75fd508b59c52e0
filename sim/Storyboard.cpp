// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Storyboard.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "base/Language.h"
#include "program/SimError.h"
#include "ui/CubePainter.h"

namespace ledcube::sim {

namespace {

constexpr int kColumns = 6;
constexpr double kScale = 0.4;
constexpr int kTileWidth = 160;
// Each row starts with a band for its "round N" label, clear of the lamps.
constexpr int kRoundLabelHeight = 16;
constexpr int kTileHeight = 170 + kRoundLabelHeight;
constexpr int kTitleHeight = 28;

}  // namespace

QRectF StoryboardCube(QPoint place) {
    static const Rect bounds = CubeBounds();
    return QRectF(place.x() * kTileWidth + (kTileWidth - bounds.width * kScale) / 2,
                  kTitleHeight + place.y() * kTileHeight + kRoundLabelHeight + 8,
                  bounds.width * kScale, bounds.height * kScale);
}

std::vector<QPoint> StoryboardPlaces(const std::vector<long>& rounds) {
    std::vector<QPoint> places;
    int column = 0;
    int row = 0;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        if (i > 0 && (column == kColumns || rounds[i] != rounds[i - 1])) {
            column = 0;
            ++row;
        }
        places.emplace_back(column++, row);
    }
    return places;
}

namespace {

void DrawFrame(QPainter& painter, const chip::ShownFrame& frame, int number, QPoint place) {
    const QPointF origin(place.x() * kTileWidth, kTitleHeight + place.y() * kTileHeight);
    const QRectF cube = StoryboardCube(place);
    CubeGlow glow{};
    for (int n = 1; n <= kCellCount; ++n) glow[n - 1] = frame.cells.Get(n) ? 1.0 : 0.0;
    PaintCube(painter, cube, glow);
    painter.setPen(Qt::black);
    const std::string caption =
        Plural(frame.passes, Tr("Storyboard", "%1. %2 ms, %3 pass%4"),
               Tr("Storyboard", "%1. %2 ms, %3 passes%4"))
            .Arg(number)
            .Arg(Decimal(frame.durationMs, 0))
            .Arg(frame.passes)
            .Arg(frame.cut ? Tr("Storyboard", " (cut)").Str() : std::string());
    painter.drawText(QRectF(origin.x(), origin.y() + kTileHeight - 28, kTileWidth, 20),
                     Qt::AlignCenter, QString::fromStdString(caption));
}

}  // namespace

void WriteStoryboard(const std::vector<chip::ShownFrame>& frames, const std::vector<long>& rounds,
                     const std::string& title, const std::filesystem::path& png) {
    const std::unique_ptr<QGuiApplication> application = ApplicationForText();
    std::vector<long> roundOf = rounds;
    roundOf.resize(frames.size(), roundOf.empty() ? 1 : roundOf.back());
    const std::vector<QPoint> places = StoryboardPlaces(roundOf);
    int columns = 1;
    int rows = 1;
    for (const QPoint& place : places) {
        columns = std::max(columns, place.x() + 1);
        rows = std::max(rows, place.y() + 1);
    }
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(12);
    const QString titleText = QString::fromStdString(title);
    const int titleWidth = QFontMetrics(font).horizontalAdvance(titleText) + 16;
    QImage image(std::max(columns * kTileWidth, titleWidth), kTitleHeight + rows * kTileHeight,
                 QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(font);
        painter.drawText(QRect(8, 0, image.width() - 16, kTitleHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, titleText);
        // A rule above the row where a new round of the sequence begins.
        for (std::size_t i = 1; i < frames.size(); ++i) {
            if (roundOf[i] == roundOf[i - 1]) continue;
            const int y = kTitleHeight + places[i].y() * kTileHeight;
            painter.setPen(QColor(0x60, 0x60, 0x60));
            painter.drawLine(0, y, image.width(), y);
            painter.drawText(QRect(4, y + 2, 120, 16), Qt::AlignLeft | Qt::AlignTop,
                             QString::fromStdString(Tr("Storyboard", "round %1").Arg(roundOf[i])));
        }
        painter.setPen(Qt::black);
        if (frames.empty())
            painter.drawText(image.rect().adjusted(0, kTitleHeight, 0, 0), Qt::AlignCenter,
                             QString::fromStdString(Tr("Storyboard", "nothing shown")));
        for (std::size_t i = 0; i < frames.size(); ++i)
            DrawFrame(painter, frames[i], static_cast<int>(i) + 1, places[i]);
    }
    if (!image.save(QString::fromStdString(png.string()), "PNG"))
        throw program::SimError(
            Tr("Storyboard", "cannot write the storyboard %1").Arg(png.string()));
}

}  // namespace ledcube::sim
