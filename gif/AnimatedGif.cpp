// SPDX-License-Identifier: GPL-3.0-or-later
#include "gif/AnimatedGif.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>

#include "base/Language.h"
#include "chip/CubeSimulator.h"
#include "program/SimError.h"
#include "ui/CubePainter.h"

extern "C" {
#include <gif_lib.h>
}

namespace ledcube::gif {

namespace {

// The painter's colours and what its gradients and text blend them into:
// greys for the background and the text, a ramp of reds for the lamps.
std::vector<QRgb> Palette() {
    std::vector<QRgb> colours;
    for (int grey = 0; grey < 16; ++grey) colours.push_back(qRgb(grey * 17, grey * 17, grey * 17));
    colours.push_back(qRgb(0xF0, 0xF0, 0xF0));  // the window's background
    colours.push_back(kLampLit.rgb());
    colours.push_back(kLampDark.rgb());
    for (const int red : {0x40, 0x60, 0x90, 0xB0, 0xD0, 0xFF})
        for (const int light : {0x00, 0x30, 0x60, 0x90, 0xC0, 0xF0})
            if (light <= red) colours.push_back(qRgb(red, light, light));
    colours.resize(64, qRgb(0, 0, 0));
    return colours;
}

// The delay of each shown frame in hundredths of a second: each frame's end
// rounded from the start of the show, so that the running total never strays
// more than 5 ms from the show.
std::vector<int> GifDelays(const std::vector<chip::ShownFrame>& frames) {
    std::vector<int> delays;
    if (frames.empty()) return delays;
    const double start = frames.front().startMs;
    long shown = 0;  // hundredths given so far
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const double end = i + 1 < frames.size() ? frames[i + 1].startMs
                                                 : frames[i].startMs + frames[i].durationMs;
        const long total = std::lround((end - start) / 10.0);
        delays.push_back(static_cast<int>(total - shown));
        shown = total;
    }
    return delays;
}

QImage Picture(const chip::ShownFrame* frame, const QString& title, int size) {
    const int titleHeight = GifTitleHeight(size);
    QImage image(size, size + titleHeight, QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(std::max(9, size / 30));
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(6, 2, size - 12, titleHeight - 4),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, title);
    CubeGlow glow{};
    if (frame != nullptr)
        for (int n = 1; n <= kCellCount; ++n) glow[n - 1] = frame->cells.Get(n) ? 1.0 : 0.0;
    PaintCube(painter, GifCube(size), glow);
    return image;
}

}  // namespace

int GifTitleHeight(int size) {
    return std::max(24, size / 8);
}

QRectF GifCube(int size) {
    const int margin = size / 20;
    return QRectF(margin, GifTitleHeight(size) + margin, size - 2 * margin, size - 2 * margin);
}

void WriteAnimatedGif(const std::vector<chip::ShownFrame>& frames, const std::string& title,
                      int size, const std::filesystem::path& gif) {
    const std::unique_ptr<QGuiApplication> application = ApplicationForText();
    const std::vector<QRgb> colourList = Palette();
    const QList<QRgb> palette(colourList.begin(), colourList.end());
    int error = 0;
    const int fd = ::open(gif.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw program::SimError(Tr("Storyboard", "cannot write the animation %1: %2")
                                    .Arg(gif.string())
                                    .Arg(std::strerror(errno)));
    GifFileType* file = EGifOpenFileHandle(fd, &error);  // closes fd with the file
    if (file == nullptr) {
        ::close(fd);
        throw program::SimError(Tr("Storyboard", "cannot write the animation %1: %2")
                                    .Arg(gif.string())
                                    .Arg(GifErrorString(error)));
    }
    EGifSetGifVersion(file, true);  // GIF89a: delays and looping
    const auto fail = [&] {
        EGifCloseFile(file, &error);
        throw program::SimError(
            Tr("Storyboard", "cannot write the animation %1").Arg(gif.string()));
    };
    std::vector<GifColorType> colours;
    for (const QRgb rgb : palette)
        colours.push_back({static_cast<GifByteType>(qRed(rgb)),
                           static_cast<GifByteType>(qGreen(rgb)),
                           static_cast<GifByteType>(qBlue(rgb))});
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    const int height = size + GifTitleHeight(size);
    const bool described = EGifPutScreenDesc(file, size, height, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    if (!described) fail();
    // Loops for ever (the NETSCAPE2.0 application block, count 0).
    const GifByteType loop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(file, 11, "NETSCAPE2.0") != GIF_OK ||
        EGifPutExtensionBlock(file, 3, loop) != GIF_OK || EGifPutExtensionTrailer(file) != GIF_OK)
        fail();
    const QString heading = QString::fromStdString(title);
    const std::vector<int> delays = GifDelays(frames);
    const std::size_t pictures = std::max<std::size_t>(1, frames.size());
    for (std::size_t i = 0; i < pictures; ++i) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, frames.empty() ? 100 : delays[i],
                                     NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK) fail();
        const QImage picture =
            Picture(frames.empty() ? nullptr : &frames[i], heading, size)
                .convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
        if (EGifPutImageDesc(file, 0, 0, size, height, false, nullptr) != GIF_OK) fail();
        for (int y = 0; y < height; ++y)
            if (EGifPutLine(file, const_cast<GifPixelType*>(picture.constScanLine(y)), size) !=
                GIF_OK)
                fail();
    }
    if (EGifCloseFile(file, &error) != GIF_OK)
        throw program::SimError(Tr("Storyboard", "cannot write the animation %1: %2")
                                    .Arg(gif.string())
                                    .Arg(GifErrorString(error)));
}

std::vector<chip::ShownFrame> AnimationFrames(const std::vector<chip::ShownFrame>& show,
                                              long roundPasses, bool wholeShow) {
    std::vector<chip::ShownFrame> round;
    const std::vector<long> rounds = chip::RoundOf(show, roundPasses);
    for (std::size_t i = 0; i < show.size(); ++i)
        if (wholeShow || rounds[i] == 1) round.push_back(show[i]);
    return round;
}

std::vector<chip::ShownFrame> ExportAnimation(
    const std::filesystem::path& hex,
    const std::optional<std::vector<program::RecordedFrame>>& frames, SwitchCombination buttons,
    const chip::Chip& chip, const std::string& title, int size, const std::filesystem::path& gif) {
    // A round and a little more: the first round is the one drawn.
    const long roundPasses = frames ? program::RoundPasses(*frames, buttons) : 0;
    const double ms =
        frames ? std::clamp(roundPasses * program::kPassMsEstimate * 1.2 + 100, 100.0, 120000.0)
               : 10000.0;
    const std::vector<chip::ShownFrame> show =
        chip::MergeDarkStretches(chip::DecodeShow(chip::RunFirmware(hex, buttons, ms, chip)));
    std::vector<chip::ShownFrame> drawn = AnimationFrames(show, roundPasses, !frames);
    WriteAnimatedGif(drawn, title, size, gif);
    return drawn;
}

std::string GifTitle(const std::string& name, SwitchCombination buttons, const chip::Chip& chip) {
    const Text title = Tr("Storyboard", "%1, buttons %2").Arg(name).Arg(CombinationName(buttons));
    return chip == chip::kAtmega8535 ? title.Str() : title.Str() + ", " + chip.name;
}

}  // namespace ledcube::gif
