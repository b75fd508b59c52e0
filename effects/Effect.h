// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/CellModel.h"

namespace ledcube::effects {

// One setting an effect declares, which the dialog makes a control of and
// `--set NAME=VALUE` gives: a whole number, a number, or one of a few words.
struct Setting {
    enum class Kind { Integer, Number, Choice };
    std::string name;
    Kind kind = Kind::Number;
    double least = 0;
    double most = 1;
    std::vector<std::string> choices;  // for a choice
    std::string byDefault;             // as `--set` would write it
};

// An effect: a small JavaScript file that says, for frame t of n, which of
// the 27 cells are lit, by a function lit(x, y, z, t, n, s) or a whole frame
// at once by frame(t, n, s); `s` holds the settings' values. x is the column
// from the left (0) to the right (2), y the row from the back (0) to the front
// (2), z the layer from the bottom (0) to the top (2).
struct Effect {
    std::string name;  // the file's name without .js
    std::string source;
    std::vector<Setting> settings;
};

// The settings' values by name, as `--set` writes them ("z", "0.3", "7").
using SettingValues = std::map<std::string, std::string>;

// Reads an effect from its script: what it declares in `var settings = [...]`
// (none when it declares nothing). Raises program::SimError naming the line
// of a syntax error, or what is wrong with a setting.
Effect ReadEffect(const std::string& name, const std::string& source);
Effect LoadEffect(const std::filesystem::path& file);

// The effect of a formula: the body of lit(x, y, z, t, n).
Effect FormulaEffect(const std::string& body);

// The values: each setting's default, then those given; raises
// program::SimError, in one sentence, on an unknown name or a value out of range.
SettingValues ChooseValues(const Effect& effect, const SettingValues& given);

// The n frames of the effect (n from 1 to 10000). Raises program::SimError
// with the script's message and its line when it throws or returns no frame,
// and when it runs past `limitMs` (it is interrupted).
std::vector<CellState> RunEffect(const Effect& effect, const SettingValues& values, int frames,
                                 int limitMs = 1000);

// An effect's frames when nobody says otherwise.
inline constexpr int kEffectFrames = 24;
inline constexpr int kEffectFrameMs = 150;

// The frames as the editor records them, each of `ms`: one Aucun sequence.
std::string EffectProgram(const std::vector<CellState>& frames, int ms);

// Names one after the other: "density, seed".
std::string ListedNames(const std::vector<std::string>& names);

// The folders effects are read from: the built-in ones, then the user's own.
std::vector<std::filesystem::path> EffectFolders();
// Every effect of those folders by name, a user's beside the built-in ones
// (the user's wins under the same name), sorted by name; files that do not
// read are left out.
std::vector<Effect> ListEffects(const std::vector<std::filesystem::path>& folders);

}  // namespace ledcube::effects
