// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/EffectCommand.h"

#include <QSaveFile>
#include <cmath>
#include <filesystem>

#include "base/Language.h"
#include "effects/Effect.h"
#include "firmware/FirmwareText.h"
#include "program/SimError.h"

namespace ledcube::sim {

namespace {

// The effect a name or a file names: a path when it holds a / or ends in .js;
// a name is the user's effect of that name, else the built-in one.
effects::Effect FindEffect(const std::string& wanted) {
    if (wanted.find('/') != std::string::npos || wanted.ends_with(".js"))
        return effects::LoadEffect(wanted);
    const std::vector<std::filesystem::path> folders = effects::EffectFolders();
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        if (std::filesystem::is_regular_file(*folder / (wanted + ".js")))
            return effects::LoadEffect(*folder / (wanted + ".js"));
    std::string names;
    for (const effects::Effect& effect : effects::ListEffects(folders))
        names += (names.empty() ? "" : ", ") + effect.name;
    throw program::SimError(
        Tr("ledcube-sim", "no effect named %1: the effects are %2").Arg(wanted).Arg(names).Str());
}

void Save(const std::string& path, const std::string& text) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit())
        throw program::SimError(Tr("ledcube-sim", "cannot write %1: %2")
                                    .Arg(path)
                                    .Arg(file.errorString().toStdString())
                                    .Str());
}

}  // namespace

int EffectStage(const SimOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const effects::Effect effect = FindEffect(*options.effect);
        const effects::SettingValues values = effects::ChooseValues(
            effect, effects::SettingValues(options.sets.begin(), options.sets.end()));
        const int ms = static_cast<int>(options.ms.value_or(kEffectFrameMs));
        const std::vector<CellState> frames =
            effects::RunEffect(effect, values, options.frames.value_or(kEffectFrames));
        if (std::filesystem::exists(*options.save) && !options.force)
            throw program::SimError(
                Tr("ledcube-sim", "%1 exists: --force writes over it").Arg(*options.save).Str());
        std::string text = ProgramHeader() + SwitchBlockOpen(SwitchCombination::Aucun);
        for (const CellState& cells : frames) text += FrameBlock(ms, cells);
        Save(*options.save, text + SwitchBlockClose() + ProgramClose());
        out << Tr("ledcube-sim", "wrote %1: %2 of %3 ms, the effect %4")
                   .Arg(*options.save)
                   .Arg(Counted(static_cast<long long>(frames.size()),
                                Tr("ledcube-sim", "%1 frame"), Tr("ledcube-sim", "%1 frames")))
                   .Arg(ms)
                   .Arg(effect.name)
                   .Str()
            << "\n";
        return 0;
    } catch (const program::SimError& error) {
        err << WithSubject("ledcube-sim", error.what()) << "\n";
        return 1;
    }
}

}  // namespace ledcube::sim
