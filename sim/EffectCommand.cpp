// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/EffectCommand.h"

#include <cmath>
#include <filesystem>

#include "base/Language.h"
#include "effects/Effect.h"
#include "program/SimError.h"
#include "ui/SaveText.h"

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
    std::vector<std::string> names;
    for (const effects::Effect& effect : effects::ListEffects(folders))
        names.push_back(effect.name);
    throw program::SimError(Tr("ledcube-sim", "no effect named %1: the effects are %2")
                                .Arg(wanted)
                                .Arg(effects::ListedNames(names))
                                .Str());
}

}  // namespace

int EffectStage(const SimOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const effects::Effect effect = FindEffect(*options.effect);
        const effects::SettingValues values = effects::ChooseValues(
            effect, effects::SettingValues(options.sets.begin(), options.sets.end()));
        const int ms = static_cast<int>(options.ms.value_or(effects::kEffectFrameMs));
        const std::vector<CellState> frames =
            effects::RunEffect(effect, values, options.frames.value_or(effects::kEffectFrames));
        if (std::filesystem::exists(*options.save) && !options.force)
            throw program::SimError(
                Tr("ledcube-sim", "%1 exists: --force writes over it").Arg(*options.save).Str());
        if (const std::optional<QString> why =
                SaveText(QString::fromStdString(*options.save), effects::EffectProgram(frames, ms)))
            throw program::SimError(Tr("ledcube-sim", "cannot write %1: %2")
                                        .Arg(*options.save)
                                        .Arg(why->toStdString())
                                        .Str());
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
