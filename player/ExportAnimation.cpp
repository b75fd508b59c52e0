// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <exception>

#include "chip/CubePlayer.h"
#include "chip/FirmwareBuild.h"
#include "gif/AnimatedGif.h"
#include "pipeline/BuildPipeline.h"
#include "player/PlayerWindow.h"
#include "ui/Translations.h"

namespace ledcube::player {

namespace {

// What the export made: the frames drawn, or why there are none.
struct Exported {
    std::vector<sim::ShownFrame> frames;
    QString problem;
};

Exported Export(const std::string& program, const std::string& name, const sim::Chip& chip,
                SwitchCombination buttons, const std::string& gif) {
    try {
        const sim::ProgramPreview preview = sim::PreviewLastProgram(program);
        pipeline::BuildPlan plan;
        plan.kind = pipeline::BuildKind::UnrolledElseCompact;
        plan.chip = chip;
        const pipeline::BuildOutcome outcome =
            pipeline::TryBuildProgram({preview.text, preview.frames, name}, plan);
        if (!outcome.built) return {{}, QString::fromStdString(outcome.problem)};
        return {sim::ExportAnimation(outcome.built->firmware.hex, preview.frames, buttons, chip,
                                     sim::GifTitle(name, buttons, chip), sim::kGifSize, gif),
                {}};
    } catch (const std::exception& error) {
        return {{}, QString::fromUtf8(error.what())};
    }
}

}  // namespace

void PlayerWindow::ExportAnimation() {
    const std::optional<SwitchCombination> buttons = sim::HeldCombination(BitsToButtons(held_.bits));
    if (!buttons) {
        questions_.warn(
            tr("Hold one button, or none, for the animation: the cube plays no sequence under "
               "several."));
        return;
    }
    const QFileInfo program(document_.Path().isEmpty()
                                ? QDir::home().filePath(QStringLiteral("new.c"))
                                : document_.Path());
    const QString gif = questions_.gifName(
        program.dir().filePath(program.completeBaseName() + QStringLiteral(".gif")));
    if (gif.isEmpty()) return;
    const sim::Chip chip = *sim::ChipNamed(chips_->currentData().toString().toStdString());
    QPointer<PlayerWindow> window(this);
    QThread* exporter = QThread::create([window, text = ProgramToFlash(),
                                         name = program.fileName().toStdString(), chip,
                                         combination = *buttons, gif] {
        const Exported exported = Export(text, name, chip, combination, gif.toStdString());
        QMetaObject::invokeMethod(window, [window, exported, gif, combination] {
            if (window.isNull()) return;
            if (!exported.problem.isEmpty()) {
                window->questions_.warn(
                    tr("The animation was not written: %1").arg(exported.problem));
                return;
            }
            double ms = 0;
            for (const sim::ShownFrame& frame : exported.frames) ms += frame.durationMs;
            const auto count = static_cast<long long>(exported.frames.size());
            const QString frames =
                LocalPlural(count, tr("%1 frame"), tr("%1 frames")).arg(LocalNumber(count));
            window->questions_.tell(tr("Wrote %1: %2, %3 s under %4.")
                                        .arg(QDir::toNativeSeparators(gif))
                                        .arg(frames)
                                        .arg(QString::fromStdString(Decimal(ms / 1000, 1)))
                                        .arg(QString::fromLatin1(CombinationName(combination))));
        });
    });
    connect(exporter, &QThread::finished, exporter, &QObject::deleteLater);
    exporter->start();
}

}  // namespace ledcube::player
