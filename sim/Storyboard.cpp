#include "sim/Storyboard.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "sim/SimError.h"
#include "ui/CellLayout.h"

namespace ledcube::sim {

namespace {

constexpr int kColumns = 6;
constexpr double kScale = 0.4;
constexpr int kTileWidth = 160;
constexpr int kTileHeight = 170;

// The box around all 27 lamps of the editor's cube picture.
Rect CubeBounds() {
    Rect box = IndicatorRect(1);
    int right = box.left + box.width;
    int bottom = box.top + box.height;
    for (int n = 2; n <= kCellCount; ++n) {
        const Rect r = IndicatorRect(n);
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
    }
    return {box.left, box.top, right - box.left, bottom - box.top};
}

void DrawFrame(QPainter& painter, const ShownFrame& frame, int number, QPointF origin) {
    static const Rect bounds = CubeBounds();
    const double offsetX = (kTileWidth - bounds.width * kScale) / 2;
    for (int n = 1; n <= kCellCount; ++n) {
        const Rect control = IndicatorRect(n);
        const Rect lamp = LampRect(control.width, control.height, LampHeight(n));
        const QRectF circle(
            origin.x() + offsetX + (control.left - bounds.left + lamp.left) * kScale,
            origin.y() + 8 + (control.top - bounds.top + lamp.top) * kScale, lamp.width * kScale,
            lamp.height * kScale);
        const QColor colour = frame.cells.Get(n) ? QColor(0xFF, 0, 0) : QColor(0x80, 0, 0);
        painter.setPen(colour.darker(200));
        painter.setBrush(colour);
        painter.drawEllipse(circle);
    }
    painter.setPen(Qt::black);
    const QString caption = QStringLiteral("%1. %2 ms, %3 passes%4")
                                .arg(number)
                                .arg(frame.durationMs, 0, 'f', 0)
                                .arg(frame.passes)
                                .arg(frame.cut ? QStringLiteral(" (cut)") : QString());
    painter.drawText(QRectF(origin.x(), origin.y() + kTileHeight - 28, kTileWidth, 20),
                     Qt::AlignCenter, caption);
}

}  // namespace

void WriteStoryboard(const std::vector<ShownFrame>& frames, const std::filesystem::path& png) {
    // Text needs a GUI application; a command-line run has none, so make one offscreen.
    std::unique_ptr<QGuiApplication> application;
    if (QGuiApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ledcube-sim";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    const int count = std::max<int>(1, static_cast<int>(frames.size()));
    const int columns = std::min(kColumns, count);
    const int rows = (count + kColumns - 1) / kColumns;
    QImage image(columns * kTileWidth, rows * kTileHeight, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font(QStringLiteral("Sans Serif"));
        font.setPixelSize(12);
        painter.setFont(font);
        if (frames.empty())
            painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("nothing shown"));
        for (std::size_t i = 0; i < frames.size(); ++i)
            DrawFrame(painter, frames[i], static_cast<int>(i) + 1,
                      QPointF(static_cast<int>(i % kColumns) * kTileWidth,
                              static_cast<int>(i / kColumns) * kTileHeight));
    }
    if (!image.save(QString::fromStdString(png.string()), "PNG"))
        throw SimError("cannot write the storyboard " + png.string());
}

}  // namespace ledcube::sim
