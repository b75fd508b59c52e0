// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "SimCommandRun.h"
#include "TempHome.h"
#include "TestSupport.h"
#include "chip/FirmwareBuild.h"
#include "chip/ShowDecoder.h"
#include "effects/Effect.h"
#include "firmware/FirmwareText.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"
#include "sim/SimCommand.h"

using namespace ledcube;
using namespace ledcube::effects;

namespace {

Effect BuiltIn(const std::string& name) {
    for (Effect& effect : ListEffects(EffectFolders()))
        if (effect.name == name) return effect;
    ADD_FAILURE() << "no built-in effect " << name;
    return {};
}

// The cells for which `lit(x, y, z)` holds.
CellState Where(const std::function<bool(int x, int y, int z)>& lit) {
    CellState cells;
    for (int n = 1; n <= kCellCount; ++n) {
        const CellPlace place = PlaceOf(n);
        cells.Set(n, lit(place.column, place.row, place.layer - 1));
    }
    return cells;
}

CellState FirstCells(int count) {
    CellState cells;
    for (int n = 1; n <= count; ++n) cells.Set(n, true);
    return cells;
}

int LitCount(const CellState& cells) {
    return static_cast<int>(std::ranges::count(cells.Values(), 1));
}

TEST(Effects, EachBuiltInEffectGivesTheCellsWrittenOutByHand) {
    struct Case {
        std::string effect;
        SettingValues set;
        int frames;
        std::function<CellState(int t)> expected;
    };
    const Case cases[] = {
        // A sweep along Z lights layer t + 1 alone.
        {"sweep",
         {{"axis", "z"}, {"way", "one-way"}},
         6,
         [](int t) { return Where([t](int, int, int z) { return z == t % 3; }); }},
        {"sweep",
         {{"axis", "x"}},
         8,
         [](int t) {
             return Where([t](int x, int, int) { return x == std::array{0, 1, 2, 1}[t % 4]; });
         }},
        {"sweep",
         {{"axis", "y"}, {"way", "one-way"}},
         3,
         [](int t) { return Where([t](int, int y, int) { return y == t; }); }},
        // Fill lights one more LED a frame and ends with all 27; empty the other way.
        {"fill", {}, 27, [](int t) { return FirstCells(t + 1); }},
        {"fill", {}, 9, [](int t) { return FirstCells(3 * (t + 1)); }},
        {"empty",
         {},
         27,
         [](int t) {
             CellState cells;
             for (int n = t + 2; n <= kCellCount; ++n) cells.Set(n, true);
             return cells;
         }},
        {"wave",
         {},
         8,
         [](int t) {
             return Where([t](int x, int, int z) {
                 return z == std::array{0, 1, 2, 1}[(t + x) % 4];
             });
         }},
        {"grow",
         {},
         7,
         [](int t) {
             const std::array<CellState, 6> stages = {
                 test::CellsOn({14}),
                 test::CellsOn({5, 11, 13, 14, 15, 17, 23}),
                 Where([](int x, int y, int z) { return x == 1 || y == 1 || z == 1; }),
                 FirstCells(27),
                 Where([](int x, int y, int z) { return x == 1 || y == 1 || z == 1; }),
                 test::CellsOn({5, 11, 13, 14, 15, 17, 23})};
             return stages[t % 6];
         }},
        {"outline",
         {},
         4,
         [](int t) {
             return Where([t](int x, int y, int z) {
                 const int outer = (x != 1) + (y != 1) + (z != 1);
                 return t % 2 == 0 ? outer >= 2 : outer >= 1;
             });
         }},
        {"spin", {}, 1, [](int) { return Where([](int, int y, int) { return y == 1; }); }},
        {"rain", {{"density", "0"}}, 5, [](int) { return CellState(); }},
        // Every column starts a drop each frame: the top layer first, then down to the bottom.
        {"rain",
         {{"density", "1"}},
         4,
         [](int t) { return Where([t](int, int, int z) { return z >= 2 - t; }); }},
    };
    for (const Case& c : cases) {
        const Effect effect = BuiltIn(c.effect);
        const std::vector<CellState> frames =
            RunEffect(effect, ChooseValues(effect, c.set), c.frames);
        ASSERT_EQ(frames.size(), static_cast<std::size_t>(c.frames));
        for (int t = 0; t < c.frames; ++t)
            EXPECT_EQ(chip::CellsText(frames[t]), chip::CellsText(c.expected(t)))
                << c.effect << " frame " << t;
    }
}

// The cells turned an eighth of a turn about an axis through the centre: on
// each 3 × 3 grid across the axis, the border places move one round.
CellState Turned(const CellState& cells, char axis, int by) {
    static const std::array<std::array<int, 2>, 8> ring = {
        {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}}};
    CellState turned;
    for (int n = 1; n <= kCellCount; ++n) {
        if (!cells.Get(n)) continue;
        const CellPlace place = PlaceOf(n);
        int xyz[3] = {place.column, place.row, place.layer - 1};
        int& a = axis == 'x' ? xyz[1] : xyz[0];
        int& b = axis == 'z' ? xyz[1] : xyz[2];
        for (int i = 0; i < 8; ++i)
            if (ring[i][0] == a && ring[i][1] == b) {
                const auto& to = ring[static_cast<std::size_t>(((i + by) % 8 + 8) % 8)];
                a = to[0];
                b = to[1];
                break;
            }
        turned.Set(1 + xyz[0] + 3 * xyz[1] + 9 * xyz[2], true);
    }
    return turned;
}

TEST(Effects, EachFrameOfASpinIsTheFirstOneTurned) {
    const Effect spin = BuiltIn("spin");
    for (const char axis : {'z', 'x', 'y'})
        for (const char* turn : {"clockwise", "counterclockwise"}) {
            const std::vector<CellState> frames = RunEffect(
                spin, ChooseValues(spin, {{"axis", std::string(1, axis)}, {"turn", turn}}), 8);
            EXPECT_EQ(LitCount(frames[0]), 9) << axis;
            for (int t = 1; t < 8; ++t)
                EXPECT_EQ(chip::CellsText(frames[t]),
                          chip::CellsText(
                              Turned(frames[0], axis, turn[0] == 'c' && turn[1] == 'l' ? t : -t)))
                    << axis << " " << turn << " frame " << t;
        }
}

TEST(Effects, RandomEffectsFollowTheirRulesAndTheirSeed) {
    const Effect rain = BuiltIn("rain");
    const std::vector<CellState> drops =
        RunEffect(rain, ChooseValues(rain, {{"density", "0.4"}, {"seed", "3"}}), 30);
    int lit = 0;
    for (std::size_t t = 0; t + 1 < drops.size(); ++t)
        for (int n = 1; n <= kCellCount - 9; ++n) {
            // Each drop falls one layer a frame; one in the bottom layer leaves.
            EXPECT_EQ(drops[t + 1].Get(n), drops[t].Get(n + 9)) << t << " " << n;
            lit += drops[t].Get(n + 9) ? 1 : 0;
        }
    EXPECT_GT(lit, 20);

    const Effect fill = BuiltIn("fill");
    const std::vector<CellState> filled =
        RunEffect(fill, ChooseValues(fill, {{"order", "random"}, {"seed", "5"}}), 27);
    for (std::size_t t = 0; t < filled.size(); ++t) {
        EXPECT_EQ(LitCount(filled[t]), static_cast<int>(t) + 1);
        for (int n = 1; t > 0 && n <= kCellCount; ++n)
            EXPECT_TRUE(!filled[t - 1].Get(n) || filled[t].Get(n)) << t << " " << n;
    }
    EXPECT_NE(chip::CellsText(filled[3]), chip::CellsText(FirstCells(4)));

    const Effect sparkle = BuiltIn("sparkle");
    const auto run = [&](const char* seed) {
        return RunEffect(sparkle, ChooseValues(sparkle, {{"count", "5"}, {"seed", seed}}), 12);
    };
    const std::vector<CellState> once = run("1");
    for (const CellState& cells : once) EXPECT_EQ(LitCount(cells), 5);
    EXPECT_EQ(once, run("1"));
    EXPECT_NE(once, run("2"));

    // The snake grows to its length, then each frame its head moves to a neighbour.
    const Effect snake = BuiltIn("snake");
    const std::vector<CellState> path =
        RunEffect(snake, ChooseValues(snake, {{"length", "6"}, {"seed", "2"}}), 60);
    for (std::size_t t = 1; t < path.size(); ++t) {
        EXPECT_EQ(LitCount(path[t]), std::min<int>(static_cast<int>(t) + 1, 6)) << t;
        for (int n = 1; n <= kCellCount; ++n) {
            if (!path[t].Get(n) || path[t - 1].Get(n)) continue;
            const CellPlace at = PlaceOf(n);
            bool nextToTheSnake = false;
            for (int m = 1; m <= kCellCount; ++m) {
                const CellPlace before = PlaceOf(m);
                nextToTheSnake = nextToTheSnake ||
                                 (path[t - 1].Get(m) && std::abs(at.column - before.column) +
                                                                std::abs(at.row - before.row) +
                                                                std::abs(at.layer - before.layer) ==
                                                            1);
            }
            EXPECT_TRUE(nextToTheSnake) << "frame " << t << " cell " << n;
        }
    }
}

TEST(Effects, AFormulaOrAFileOfLitAloneIsAnEffect) {
    const std::vector<CellState> frames =
        RunEffect(FormulaEffect("return (x + y + z + t) % 3 == 0;"), {}, 4);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(frames[t], Where([t](int x, int y, int z) { return (x + y + z + t) % 3 == 0; }));
    const Effect plain =
        ReadEffect("corner", "function lit(x, y, z, t, n) { return x + y + z == 0; }");
    EXPECT_TRUE(plain.settings.empty());
    EXPECT_EQ(RunEffect(plain, {}, 1).front(), test::CellsOn({1}));
}

TEST(Effects, AScriptThatFailsSaysWhereAndGivesNothing) {
    struct Case {
        std::string body;
        std::string says;
    };
    const Case cases[] = {
        {"return (x + ;", "formula.js, line 2"},
        {"throw new Error('no cube today');", "formula.js, line 2: Error: no cube today"},
        {"return undefinedName + 1;", "ReferenceError"},
        {"return 'yes';", "lit(0, 0, 0, 0, 3) returned yes, not true or false"},
        {"while (true) {}", "formula.js ran past 1 second and was stopped"},
    };
    for (const Case& c : cases) {
        try {
            RunEffect(FormulaEffect(c.body), {}, 3);
            ADD_FAILURE() << c.body << " ran";
        } catch (const program::SimError& error) {
            EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos)
                << c.body << ": " << error.what();
        }
    }
    EXPECT_THROW(ReadEffect("nothing", "var settings = [];"), program::SimError);
}

// A script reaches no file, process or network: nothing that would is defined.
TEST(Effects, AScriptHasNoFileProcessOrNetworkAccess) {
    for (const char* name :
         {"XMLHttpRequest", "fetch", "require", "process", "Qt", "print", "console", "File"}) {
        const std::vector<CellState> frames = RunEffect(
            FormulaEffect(std::string("return typeof ") + name + " !== 'undefined';"), {}, 1);
        EXPECT_EQ(frames.front(), CellState()) << name << " is defined";
    }
}

TEST(Effects, RefusesAnUnknownSettingOrAValueOutOfRangeInOneSentence) {
    const Effect rain = BuiltIn("rain");
    const Effect sweep = BuiltIn("sweep");
    struct Case {
        const Effect& effect;
        SettingValues set;
        std::string says;
    };
    const Case cases[] = {
        {rain,
         {{"speed", "2"}},
         "the effect rain has no setting speed: its settings are density, seed"},
        {rain, {{"density", "1.5"}}, "density takes a number from 0 to 1, not '1.5'"},
        {rain, {{"seed", "2.5"}}, "seed takes a whole number from 0 to 1000000, not '2.5'"},
        {sweep, {{"axis", "w"}}, "axis takes one of z, x, y, not 'w'"},
    };
    for (const Case& c : cases) {
        try {
            ChooseValues(c.effect, c.set);
            ADD_FAILURE() << c.says;
        } catch (const program::SimError& error) {
            EXPECT_EQ(error.what(), c.says);
        }
    }
}

TEST(EffectCommand, WritesAProgramTheReaderReadsBackAndNeverOverwritesWithoutForce) {
    const chip::ScratchFolder folder;
    const std::string out = (folder.Path() / "sweep.c").string();
    std::ostringstream said;
    std::ostringstream errors;
    const std::vector<std::string> options = {"--effect", "sweep",       "--set",    "axis=z",
                                              "--set",    "way=one-way", "--frames", "6",
                                              "--ms",     "150",         "--save",   out};
    ASSERT_EQ(sim::RunSimCommand(options, said, errors), 0) << errors.str();
    EXPECT_EQ(said.str(), "wrote " + out + ": 6 frames of 150 ms, the effect sweep\n");
    const std::vector<program::RecordedFrame> frames = program::ReadProgram(test::ReadFile(out));
    ASSERT_EQ(frames.size(), 6u);
    for (int t = 0; t < 6; ++t) {
        EXPECT_EQ(frames[t].cells, Where([t](int, int, int z) { return z == t % 3; })) << t;
        EXPECT_EQ(frames[t].block, SwitchCombination::Aucun);
    }
    std::ostringstream again;
    EXPECT_EQ(sim::RunSimCommand(options, said, again), 1);
    EXPECT_EQ(again.str(), "ledcube-sim: " + out + " exists: --force writes over it\n");
    std::vector<std::string> forced = options;
    forced.push_back("--force");
    EXPECT_EQ(sim::RunSimCommand(forced, said, again), 0) << again.str();

    struct Case {
        std::vector<std::string> options;
        int status;
        std::string says;
    };
    const Case refusals[] = {
        {{"--effect", "drizzle", "--save", out}, 1, "no effect named drizzle: the effects are "},
        {{"--effect", "rain", "--set", "density", "--save", out}, 2, "--set takes NAME=VALUE"},
        {{"--effect", "rain"}, 2, "name it with --save"},
        {{"--effect", "rain", "--frames", "0", "--save", out}, 2, "--frames takes a number"},
    };
    for (const Case& c : refusals) {
        std::ostringstream err;
        EXPECT_EQ(sim::RunSimCommand(c.options, said, err), c.status) << c.says;
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
    }
}

}  // namespace
