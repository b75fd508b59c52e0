// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "TempHome.h"
#include "TestSupport.h"
#include "firmware/FirmwareText.h"
#include "firmware/OutputFile.h"

namespace ledcube {
namespace {

using test::CellsOn;

// The expected text after the header for the worked example: BP1, one frame
// of 1000 ms with cells 1 and 14 lit, the block closed and the program closed.
constexpr std::string_view kWorkedExampleBody =
    "if((BP1==1)&&(BP2==0)&&(BP3==0))\n"
    "{\n"
    "while(i<66){\n"
    "Etage(1,0,0);\n"
    "Leds(1,0,0,0,0,0,0,0,0);\n"
    "delay_ms(5);\n"
    "Etage(0,1,0);\n"
    "Leds(0,0,0,0,1,0,0,0,0);\n"
    "delay_ms(5);\n"
    "Etage(0,0,1);\n"
    "Leds(0,0,0,0,0,0,0,0,0);\n"
    "delay_ms(5);\n"
    "i++; \n"
    "}\n"
    "i=0;\n"
    "}\n"
    "}\n"
    "}";

TEST(ProgramHeader, HasItsEightyEightUnitsInOrder) {
    const auto& units = ProgramHeaderUnits();
    ASSERT_EQ(units.size(), 88u);
    struct Unit {
        int number;  // 1-based, as the units are counted
        std::string_view text;
    };
    const Unit expected[] = {
        {1, "#include <delay.h>\n"},
        {2, "#include <mega8535.h>\n"},
        {3, "#define LED1 PORTA.2\n"},
        {5, "#define LED3 PORTA.0\n"},
        {6, "#define LED4 PORTC.5\n"},
        {11, "#define LED9 PORTC.0\n"},
        {12, "#define Etage1 PORTA.3\n"},
        {14, "#define Etage3 PORTA.5\n"},
        {15, "#define BP1 PIND.0\n"},
        {17, "#define BP3 PIND.2\n"},
        {18, "void Etage(int E1, int E2, int E3)\n"},
        {19, "{\n"},
        {20, "if(E1==1)\n"},
        {25, "Etage3=1;\n"},
        {26, "if(E1==0)\n"},
        {31, "Etage3=0;\n"},
        {32, "}\n"},
        {33, "void Leds(int D1, int D2, int D3, int D4, int D5, int D6, int D7, int D8, int D9)\n"},
        {34, "{\n"},
        {35, "if(D1==1)\n"},
        {36, "LED1=0;\n"},
        {37, "if(D1==0)\n"},
        {38, "LED1=1;\n"},
        {67, "if(D9==1)\n"},
        {70, "LED9=1;\n"},
        {71, "}\n"},
        {72, "void main(void)\n"},
        {74, "int i=0;\n"},
        {75, "PORTA=0x00;\n"},
        {81, "PORTD=0x07;\n"},
        {84, "MCUCSR=0x00;\n"},
        {85, "PORTA=0b00000111;\n"},
        {86, "PORTC=0b00111111;\n"},
        {87, "while(1)\n"},
        {88, "{\n"},
    };
    for (const auto& [number, text] : expected) EXPECT_EQ(units[number - 1], text) << number;

    // Units 35..70: four per LED line, the digit of both names following k.
    for (int k = 1; k <= 9; ++k) {
        const std::string d = std::to_string(k);
        const int first = 35 + 4 * (k - 1) - 1;
        EXPECT_EQ(units[first], "if(D" + d + "==1)\n");
        EXPECT_EQ(units[first + 1], "LED" + d + "=0;\n");
        EXPECT_EQ(units[first + 2], "if(D" + d + "==0)\n");
        EXPECT_EQ(units[first + 3], "LED" + d + "=1;\n");
    }
    // No unit carries a conversion, and each ends its line.
    for (std::string_view unit : units) {
        EXPECT_EQ(unit.find('%'), std::string_view::npos) << unit;
        EXPECT_EQ(unit.back(), '\n') << unit;
    }
    const std::string header = ProgramHeader();
    EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 88);
}

TEST(SwitchBlock, OpensEachCombinationAndCloses) {
    const std::pair<SwitchCombination, std::string_view> cases[] = {
        {SwitchCombination::BP1, "if((BP1==1)&&(BP2==0)&&(BP3==0))\n{\n"},
        {SwitchCombination::BP2, "if((BP1==0)&&(BP2==1)&&(BP3==0))\n{\n"},
        {SwitchCombination::BP3, "if((BP1==0)&&(BP2==0)&&(BP3==1))\n{\n"},
        {SwitchCombination::Aucun, "if((BP1==0)&&(BP2==0)&&(BP3==0))\n{\n"},
    };
    for (const auto& [combination, text] : cases) EXPECT_EQ(SwitchBlockOpen(combination), text);
    EXPECT_EQ(SwitchBlockClose(), "}\n");
    EXPECT_EQ(ProgramClose(), "}\n}");
}

struct DurationCase {
    std::int32_t durationMs;
    std::string_view firstUnit;
};

void PrintTo(const DurationCase& c, std::ostream* out) {
    *out << c.durationMs << " ms";
}

class FrameDurationTest : public testing::TestWithParam<DurationCase> {};

TEST_P(FrameDurationTest, RepeatCountIsDurationOverFifteenTowardZero) {
    const std::string frame = FrameBlock(GetParam().durationMs, CellState{});
    EXPECT_EQ(frame.substr(0, frame.find('{')), GetParam().firstUnit);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, FrameDurationTest,
    testing::Values(DurationCase{-30, "while(i<-2)"}, DurationCase{-15, "while(i<-1)"},
                    DurationCase{-14, "while(i<0)"}, DurationCase{0, "while(i<0)"},
                    DurationCase{14, "while(i<0)"}, DurationCase{29, "while(i<1)"},
                    DurationCase{30, "while(i<2)"}, DurationCase{1000, "while(i<66)"},
                    DurationCase{std::numeric_limits<std::int32_t>::max(), "while(i<143165576)"},
                    DurationCase{std::numeric_limits<std::int32_t>::min(), "while(i<-143165576)"}));

TEST(FrameBlock, WritesEveryLayerEvenWhenAllCellsAreDark) {
    const std::string frame = FrameBlock(300, CellState{});
    EXPECT_EQ(frame,
              "while(i<20){\nEtage(1,0,0);\nLeds(0,0,0,0,0,0,0,0,0);\ndelay_ms(5);\n"
              "Etage(0,1,0);\nLeds(0,0,0,0,0,0,0,0,0);\ndelay_ms(5);\n"
              "Etage(0,0,1);\nLeds(0,0,0,0,0,0,0,0,0);\ndelay_ms(5);\ni++; \n}\ni=0;\n");
}

TEST(FrameBlock, PutsEachLayerOnItsOwnLedsLinePositionOneFirst) {
    const std::string frame = FrameBlock(15, CellsOn({2, 9, 10, 22, 27}));
    EXPECT_NE(frame.find("Etage(1,0,0);\nLeds(0,1,0,0,0,0,0,0,1);\n"), std::string::npos);
    EXPECT_NE(frame.find("Etage(0,1,0);\nLeds(1,0,0,0,0,0,0,0,0);\n"), std::string::npos);
    EXPECT_NE(frame.find("Etage(0,0,1);\nLeds(0,0,0,1,0,0,0,0,1);\n"), std::string::npos);
}

TEST(WorkedExample, WritesTheFileByteForByte) {
    test::TempHome home;
    const OutputPath path = OutputPath::FromName("cube1");
    AppendText(path, ProgramHeader());
    AppendText(path, SwitchBlockOpen(SwitchCombination::BP1));
    AppendText(path, FrameBlock(1000, CellsOn({1, 14})));
    AppendText(path, SwitchBlockClose());
    AppendText(path, ProgramClose());
    EXPECT_EQ(home.Read("cube1.c"), ProgramHeader() + std::string(kWorkedExampleBody));
}

TEST(WorkedExample, TwoProgramsUnderOneNameAreGluedAtTheLastBrace) {
    test::TempHome home;
    const OutputPath path = OutputPath::FromName("twice");
    for (int program = 0; program < 2; ++program) {
        AppendText(path, ProgramHeader());
        AppendText(path, SwitchBlockOpen(SwitchCombination::BP2));
        AppendText(path, SwitchBlockClose());
        AppendText(path, ProgramClose());
    }
    const std::string one = ProgramHeader() + SwitchBlockOpen(SwitchCombination::BP2) + "}\n}\n}";
    EXPECT_EQ(home.Read("twice.c"), one + one);
    EXPECT_NE(home.Read("twice.c").find("}#include <delay.h>\n"), std::string::npos);
}

}  // namespace
}  // namespace ledcube
