// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/AnimationExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QThread>
#include <exception>

#include "base/Language.h"
#include "gif/AnimatedGif.h"
#include "pipeline/BuildPipeline.h"
#include "ui/Translations.h"

namespace ledcube::player {

Exported ExportAnimation(const std::string& program, const std::string& name,
                         const chip::Chip& chip, SwitchCombination buttons,
                         const std::string& gif) {
    try {
        const program::ProgramPreview preview = program::PreviewLastProgram(program);
        pipeline::BuildPlan plan;
        plan.kind = pipeline::BuildKind::UnrolledElseCompact;
        plan.chip = chip;
        const pipeline::BuildOutcome outcome =
            pipeline::TryBuildProgram({preview.text, preview.frames, name}, plan);
        if (!outcome.built) return {{}, QString::fromStdString(outcome.problem)};
        return {gif::ExportAnimation(outcome.built->firmware.hex, preview.frames, buttons, chip,
                                     gif::GifTitle(name, buttons, chip), gif::kGifSize, gif),
                {}};
    } catch (const std::exception& error) {
        return {{}, QString::fromUtf8(error.what())};
    }
}

void ExportInBackground(QObject* context, std::string program, std::string name, chip::Chip chip,
                        SwitchCombination buttons, QString gif,
                        std::function<void(const Exported&)> done) {
    QThread* exporter = QThread::create([receiver = QPointer<QObject>(context),
                                         program = std::move(program), name = std::move(name), chip,
                                         buttons, gif, done = std::move(done)] {
        const Exported exported = ExportAnimation(program, name, chip, buttons, gif.toStdString());
        QMetaObject::invokeMethod(receiver, [receiver, exported, done] {
            if (!receiver.isNull()) done(exported);
        });
    });
    QObject::connect(exporter, &QThread::finished, exporter, &QObject::deleteLater);
    exporter->start();
}

QString ExportedSentence(const Exported& exported, const QString& gif, SwitchCombination buttons) {
    double ms = 0;
    for (const chip::ShownFrame& frame : exported.frames) ms += frame.durationMs;
    const auto count = static_cast<long long>(exported.frames.size());
    const QString frames =
        LocalPlural(count, QCoreApplication::translate("AnimationExport", "%1 frame"),
                    QCoreApplication::translate("AnimationExport", "%1 frames"))
            .arg(LocalNumber(count));
    return QCoreApplication::translate("AnimationExport", "Wrote %1: %2, %3 s under %4.")
        .arg(QDir::toNativeSeparators(gif))
        .arg(frames)
        .arg(QString::fromStdString(Decimal(ms / 1000, 1)))
        .arg(QString::fromLatin1(CombinationName(buttons)));
}

}  // namespace ledcube::player
