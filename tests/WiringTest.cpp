// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "SimCommandRun.h"
#include "TestSupport.h"
#include "chip/CubeSimulator.h"
#include "chip/FirmwareBuild.h"
#include "chip/WiringCheck.h"
#include "chip/WiringFile.h"
#include "firmware/FirmwareText.h"
#include "pipeline/BuildPipeline.h"
#include "program/SimError.h"

using namespace ledcube;
using namespace ledcube::chip;

namespace {

// The Uno cube of the README: columns on D13 ... D5, layers on A0-A2 through
// NPN transistors, buttons to ground on A3-A5.
const std::string kUnoCube =
    "# my Uno cube\n"
    "chip = uno\n"
    "LED1 = D13\nLED2 = D12\nLED3 = D11\nLED4 = D10\nLED5 = D9\nLED6 = D8\nLED7 = D7\n"
    "LED8 = D6\nLED9 = D5\n"
    "Etage1 = A0\nEtage2 = A1\nEtage3 = A2\n"
    "BP1 = A3\nBP2 = A4\nBP3 = A5\n"
    "leds lit = high\nlayers on = high\nbuttons pressed = low\n";

// The Uno cube's text with line `number` (from 1) replaced by `line`, or removed when empty.
std::string WithLine(int number, const std::string& line) {
    std::string text;
    int at = 1;
    for (std::size_t start = 0; start < kUnoCube.size(); ++at) {
        const std::size_t end = kUnoCube.find('\n', start);
        const std::string current = kUnoCube.substr(start, end - start);
        if (at != number)
            text += current + "\n";
        else if (!line.empty())
            text += line + "\n";
        start = end + 1;
    }
    return text;
}

std::string Refusal(const std::string& text, const std::optional<Chip>& given = std::nullopt) {
    try {
        ReadWiring(text, "mycube.wiring", given);
    } catch (const program::SimError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(WiringFile, ReadsTheUnoCubeAndWarnsOfTheIspPins) {
    const WiringRead read = ReadWiring(kUnoCube, "mycube.wiring", std::nullopt);
    EXPECT_STREQ(read.chip.id, "uno");
    const PinWiring& wiring = *read.chip.pins;
    EXPECT_EQ(wiring.leds[0], (Pin{'B', 5}));
    EXPECT_EQ(wiring.leds[8], (Pin{'D', 5}));
    EXPECT_EQ(wiring.layers[2], (Pin{'C', 2}));
    EXPECT_EQ(wiring.buttons[0], (Pin{'C', 3}));
    EXPECT_TRUE(wiring.ledsLitHigh);
    EXPECT_TRUE(wiring.layersOnHigh);
    EXPECT_FALSE(wiring.buttonsPressedHigh);
    // D13, D12 and D11 are the ISP header's SCK, MISO and MOSI.
    ASSERT_EQ(read.warnings.size(), 3u);
    EXPECT_NE(read.warnings[0].find("line 3"), std::string::npos) << read.warnings[0];
    EXPECT_NE(read.warnings[0].find("SCK"), std::string::npos) << read.warnings[0];
}

TEST(WiringFile, RefusesEachMistakeInOneSentenceNamingItsLine) {
    struct Case {
        const char* what;
        std::string text;
        std::optional<Chip> given;
        std::vector<std::string> said;
    };
    const Case cases[] = {
        {"unknown setting", WithLine(6, "LED10 = D10"), {}, {"line 6", "\"LED10\""}},
        {"unknown chip", WithLine(2, "chip = uno3"), {}, {"line 2", "\"uno3\""}},
        {"a line missing", WithLine(17, ""), {}, {"BP3"}},
        {"a level missing", WithLine(19, ""), {}, {"layers on"}},
        {"given twice", kUnoCube + "LED2 = D4\n", {}, {"line 21", "first on line 4"}},
        {"two lines on one pin", WithLine(4, "LED2 = d13"), {}, {"line 4", "line 3", "LED1"}},
        {"a pin the board lacks", WithLine(5, "LED3 = D14"), {}, {"line 5", "D14"}},
        {"PC7 on the ATmega328P", WithLine(5, "LED3 = PC7"), {}, {"line 5", "PC7"}},
        {"A6 on the Uno", WithLine(5, "LED3 = A6"), {}, {"line 5", "A6"}},
        {"the crystal", WithLine(7, "LED5 = PB6"), {}, {"line 7", "crystal"}},
        {"the reset pin", WithLine(16, "BP2 = pc6"), {}, {"line 16", "reset"}},
        {"a level neither high nor low", WithLine(18, "leds lit = hi"), {}, {"line 18", "\"hi\""}},
        {"no equals sign", WithLine(9, "LED7 D7"), {}, {"line 9", "NAME = VALUE"}},
        {"a chip other than --chip's", kUnoCube, kNano, {"line 2", "nano", "uno"}},
    };
    for (const Case& c : cases) {
        const std::string said = Refusal(c.text, c.given);
        for (const std::string& part : c.said)
            EXPECT_NE(said.find(part), std::string::npos) << c.what << ": " << said;
        EXPECT_NE(said.find("mycube.wiring"), std::string::npos) << c.what << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 0) << c.what << ": " << said;
    }
    // The Nano's A6 and A7 are analog inputs only: neither a line out nor a button.
    const std::string nano = WithLine(2, "chip = nano");
    std::string led = nano;
    led.replace(led.find("LED9 = D5"), 9, "LED9 = A6");
    EXPECT_NE(Refusal(led).find("line 11"), std::string::npos) << Refusal(led);
    std::string button = nano;
    button.replace(button.find("BP3 = A5"), 8, "BP3 = a7");
    EXPECT_NE(Refusal(button).find("analog"), std::string::npos) << Refusal(button);
    // Port pins in any letter case, comments and blank lines are taken.
    std::string ports = WithLine(3, "  led1 = pb5   # SCK") + "\n# the end\n";
    EXPECT_EQ(Refusal(ports), "accepted");
}

// A wiring of usable pins chosen at random, with random levels.
PinWiring RandomWiring(const Chip& chip, std::mt19937& random) {
    std::vector<ChipPin> outputs;
    for (const ChipPin& pin : ChipPins(chip))
        if (pin.output && pin.input) outputs.push_back(pin);
    std::shuffle(outputs.begin(), outputs.end(), random);
    PinWiring wiring;
    for (int line = 0; line < kWiredLines; ++line)
        LinePin(wiring, line) = outputs[static_cast<std::size_t>(line)].pin;
    wiring.ledsLitHigh = random() % 2 == 0;
    wiring.layersOnHigh = random() % 2 == 0;
    wiring.buttonsPressedHigh = random() % 2 == 0;
    NameWiring(wiring, "random");
    return wiring;
}

TEST(WiringFile, WritesAWiringItReadsBack) {
    std::mt19937 random(3);
    for (const Chip& chip : Chips()) {
        const PinWiring wiring = RandomWiring(chip, random);
        const WiringRead read =
            ReadWiring(WiringText(chip, wiring, "random"), "random.wiring", std::nullopt);
        EXPECT_STREQ(read.chip.id, chip.id);
        PinWiring back = read.wiring;
        NameWiring(back, "random");
        EXPECT_EQ(back, wiring) << chip.id;
    }
}

// The pins' levels as the chip drives them, read straight from its ports.
struct PinLevels {
    const CubeChip& chip;
    bool operator()(Pin pin) const { return (chip.PortOutput(pin.port) >> pin.bit) & 1; }
};

// Samples the chip's pins for `ms`: wherever exactly one layer's line is at
// its on level and the pins hold still for a while, the LED lines at their
// lit level must be that layer's lit cells. Returns how many samples held.
int CheckPins(CubeChip& chip, const PinWiring& wiring, const CellState& cells, double ms) {
    const PinLevels level{chip};
    const auto cycles = static_cast<std::uint64_t>(chip.Model().clockHz / 5000);  // 0.2 ms
    const auto snapshot = [&] {
        std::array<std::uint8_t, 4> ports{};
        for (const char port : {'B', 'C', 'D'}) ports[port - 'A'] = chip.PortOutput(port);
        if (chip.Model().wiring != Wiring::Arduino) ports[0] = chip.PortOutput('A');
        return ports;
    };
    int checked = 0;
    for (double t = 0; t < ms; t += 0.2) {
        const auto before = snapshot();
        std::vector<int> on;
        for (int layer = 0; layer < 3; ++layer)
            if (level(wiring.layers[static_cast<std::size_t>(layer)]) == wiring.layersOnHigh)
                on.push_back(layer);
        std::uint32_t lit = 0;
        for (int k = 0; k < 9; ++k)
            if (level(wiring.leds[static_cast<std::size_t>(k)]) == wiring.ledsLitHigh)
                lit |= 1u << k;
        chip.Run(cycles);
        if (on.size() != 1 || snapshot() != before) continue;
        std::uint32_t want = 0;
        for (int k = 0; k < 9; ++k)
            if (cells.Get(on[0] * 9 + k + 1)) want |= 1u << k;
        EXPECT_EQ(lit, want) << "layer " << on[0] + 1 << " at " << t << " ms";
        ++checked;
    }
    return checked;
}

struct WiredChip {
    const char* id;
    pipeline::BuildKind kind;
};

class WiredBuildTest : public testing::TestWithParam<WiredChip> {};

TEST_P(WiredBuildTest, DrivesEachLineOnItsPinAtItsLevelAndShowsTheRecordedFrames) {
    const Chip plain = *ChipNamed(GetParam().id);
    std::mt19937 random(static_cast<unsigned>(std::hash<std::string>()(plain.id)) +
                        static_cast<unsigned>(GetParam().kind));
    for (int trial = 0; trial < 2; ++trial) {
        const PinWiring wiring = RandomWiring(plain, random);
        const Chip chip = WithWiring(plain, wiring);
        CellState none;
        CellState pressed;
        for (int n = 1; n <= kCellCount; ++n) {
            none.Set(n, random() % 2 == 0);
            pressed.Set(n, random() % 2 == 0);
        }
        const std::string text = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP1) +
                                 FrameBlock(600, pressed) + SwitchBlockClose() +
                                 SwitchBlockOpen(SwitchCombination::Aucun) + FrameBlock(600, none) +
                                 SwitchBlockClose() + ProgramClose();
        pipeline::BuildPlan plan;
        plan.kind = GetParam().kind;
        plan.chip = chip;
        plan.prove = true;  // the same frames, passes and pace as the ATmega8535's build
        const pipeline::BuiltProgram built =
            pipeline::BuildProgram({text, program::ReadProgram(text), "wired.c"}, plan);
        ASSERT_TRUE(built.provenAgainst.has_value());

        CubeChip cube(built.firmware.hex, chip);
        // The buttons are inputs, pulled up where a pressed one reads low.
        for (const Pin pin : wiring.buttons) {
            EXPECT_EQ((cube.PortDirections(pin.port) >> pin.bit) & 1, 0);
        }
        cube.Run(chip.clockHz / 100);
        for (const Pin pin : wiring.buttons)
            EXPECT_EQ(((cube.PortOutput(pin.port) >> pin.bit) & 1) != 0, !wiring.buttonsPressedHigh)
                << PinName(chip, pin);
        for (int line = 0; line < 12; ++line) {
            const Pin pin = LinePin(wiring, line);
            EXPECT_EQ((cube.PortDirections(pin.port) >> pin.bit) & 1, 1) << LineName(line);
        }
        EXPECT_GT(CheckPins(cube, wiring, none, 300), 100) << chip.id;
        cube.HoldButtons(SwitchCombination::BP1);
        cube.Run(chip.clockHz);  // to the pressed sequence
        EXPECT_GT(CheckPins(cube, wiring, pressed, 300), 100) << chip.id;
    }
}

INSTANTIATE_TEST_SUITE_P(Chips, WiredBuildTest,
                         testing::Values(WiredChip{"atmega8535", pipeline::BuildKind::Unrolled},
                                         WiredChip{"atmega8535", pipeline::BuildKind::Compact},
                                         WiredChip{"atmega32", pipeline::BuildKind::Unrolled},
                                         WiredChip{"atmega644p", pipeline::BuildKind::Compact},
                                         WiredChip{"uno", pipeline::BuildKind::Unrolled},
                                         WiredChip{"uno", pipeline::BuildKind::Compact},
                                         WiredChip{"nano", pipeline::BuildKind::Unrolled},
                                         WiredChip{"nano", pipeline::BuildKind::Compact}),
                         [](const testing::TestParamInfo<WiredChip>& info) {
                             return std::string(info.param.id) +
                                    (info.param.kind == pipeline::BuildKind::Compact ? "_compact"
                                                                                     : "_unrolled");
                         });

}  // namespace

namespace {

TEST(SimCommand, BuildsForAWiringFileOrRefusesItBeforeBuilding) {
    const ScratchFolder folder;
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(folder.Path() / name, std::ios::binary) << text;
        return (folder.Path() / name).string();
    };
    const std::string good = write("mycube.wiring", kUnoCube);
    const std::string wrong = write("wrong.wiring", WithLine(7, "LED5 = D14"));
    const std::string program =
        ProgramHeader() + FrameBlock(300, test::CellsOn({1, 14, 27})) + ProgramClose();
    const std::string hex = (folder.Path() / "cube.hex").string();
    struct Case {
        std::vector<std::string> options;
        int status;
        std::string inOut;
        std::string inErr;
    };
    const Case cases[] = {
        {{"--wiring", good, "--ms", "100"},
         0,
         "Arduino Uno (ATmega328P) at 16 MHz, wired as mycube",
         "mycube.wiring, line 3"},
        {{"--wiring", good, "--clock", "8000000", "--ms", "100"},
         0,
         "at 8 MHz, wired as mycube",
         ""},
        {{"--chip", "nano", "--wiring", good, "--hex", hex}, 2, "", "--chip names the nano"},
        {{"--wiring", wrong, "--hex", hex}, 2, "", "wrong.wiring, line 7"},
        {{"--wiring", good + ".missing"}, 2, "", "cannot read the wiring"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(hex);
        const test::CommandRun run = test::RunCommand(program, c.options);
        EXPECT_EQ(run.status, c.status) << c.options[1] << run.err;
        EXPECT_NE(run.out.find(c.inOut), std::string::npos) << run.out;
        EXPECT_NE(run.err.find(c.inErr), std::string::npos) << run.err;
        if (c.status != 0) {
            EXPECT_FALSE(std::filesystem::exists(hex)) << "built despite " << run.err;
            EXPECT_EQ(run.out, "");
        }
    }
}

}  // namespace

namespace {

TEST(WiringTest, LightsEachLedAloneInOrderThenTheLayersAndALayerPerButton) {
    const Chip chip = ReadWiring(kUnoCube, "mycube.wiring", std::nullopt).chip;
    const std::string text = WiringTestProgram();
    pipeline::BuildPlan plan;
    plan.chip = chip;
    plan.prove = true;
    const pipeline::BuiltProgram built =
        pipeline::BuildProgram({text, program::ReadProgram(text), "wiring-test.c"}, plan);
    const double round = 31 * kWiringTestStepMs;
    const std::vector<ShownFrame> shown =
        DecodeShow(RunFirmware(built.firmware.hex, SwitchCombination::Aucun, round, chip));
    ASSERT_GE(shown.size(), 31u);
    for (int n = 1; n <= kCellCount; ++n) {
        CellState alone;
        alone.Set(n, true);
        EXPECT_EQ(shown[static_cast<std::size_t>(n - 1)].cells, alone) << "step " << n;
        EXPECT_NEAR(shown[static_cast<std::size_t>(n - 1)].durationMs, kWiringTestStepMs, 10);
    }
    EXPECT_EQ(LitDescription(shown[27].cells, chip), "layer 1 whole — A0");
    EXPECT_EQ(LitDescription(shown[30].cells, chip), "the whole cube");
    for (const auto& [buttons, layer] :
         {std::pair{SwitchCombination::BP1, 1}, {SwitchCombination::BP3, 3}}) {
        const std::vector<ShownFrame> held =
            DecodeShow(RunFirmware(built.firmware.hex, buttons, 2000, chip));
        ASSERT_FALSE(held.empty());
        EXPECT_EQ(LitDescription(held.front().cells, chip),
                  "layer " + std::to_string(layer) + " whole — A" + std::to_string(layer - 1));
    }
}

TEST(WiringTest, NamesTheLitLedByItsPlaceAndItsPins) {
    const Chip mine = ReadWiring(kUnoCube, "mycube.wiring", std::nullopt).chip;
    struct Case {
        Chip chip;
        std::vector<int> lit;
        std::string said;
    };
    const Case cases[] = {
        {mine, {13}, "layer 2, middle row, left — D10 with A1"},
        {mine, {1}, "layer 1, back row, left — D13 with A0"},
        {mine, {27}, "layer 3, front row, right — D5 with A2"},
        {kUno, {13}, "layer 2, middle row, left — D5 with A1"},
        {kAtmega8535, {3}, "layer 1, back row, right — PA0 with PA3"},
        {kAtmega8535, {}, "nothing lit"},
        {kAtmega8535, {4, 5}, "2 LEDs lit"},
    };
    for (const Case& c : cases) {
        CellState cells;
        for (const int n : c.lit) cells.Set(n, true);
        EXPECT_EQ(LitDescription(cells, c.chip), c.said);
    }
}

}  // namespace
