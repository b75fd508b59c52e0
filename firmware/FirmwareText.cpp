// SPDX-License-Identifier: GPL-3.0-or-later
#include "firmware/FirmwareText.h"

#include <array>
#include <stdexcept>

namespace ledcube {

namespace {

std::vector<std::string_view> BuildHeaderUnits() {
    static constexpr std::string_view kPinsAndLayerFunction[] = {
        "#include <delay.h>\n",
        "#include <mega8535.h>\n",
        "#define LED1 PORTA.2\n",
        "#define LED2 PORTA.1\n",
        "#define LED3 PORTA.0\n",
        "#define LED4 PORTC.5\n",
        "#define LED5 PORTC.4\n",
        "#define LED6 PORTC.3\n",
        "#define LED7 PORTC.2\n",
        "#define LED8 PORTC.1\n",
        "#define LED9 PORTC.0\n",
        "#define Etage1 PORTA.3\n",
        "#define Etage2 PORTA.4\n",
        "#define Etage3 PORTA.5\n",
        "#define BP1 PIND.0\n",
        "#define BP2 PIND.1\n",
        "#define BP3 PIND.2\n",
        "void Etage(int E1, int E2, int E3)\n",
        "{\n",
        "if(E1==1)\n",
        "Etage1=1;\n",
        "if(E2==1)\n",
        "Etage2=1;\n",
        "if(E3==1)\n",
        "Etage3=1;\n",
        "if(E1==0)\n",
        "Etage1=0;\n",
        "if(E2==0)\n",
        "Etage2=0;\n",
        "if(E3==0)\n",
        "Etage3=0;\n",
        "}\n",
        "void Leds(int D1, int D2, int D3, int D4, int D5, int D6, int D7, int D8, int D9)\n",
        "{\n",
    };
    // Four units per LED line: a 1 drives the line low (lit), a 0 high (dark).
    static constexpr std::array<std::array<std::string_view, 4>, 9> kLedLines = {{
        {"if(D1==1)\n", "LED1=0;\n", "if(D1==0)\n", "LED1=1;\n"},
        {"if(D2==1)\n", "LED2=0;\n", "if(D2==0)\n", "LED2=1;\n"},
        {"if(D3==1)\n", "LED3=0;\n", "if(D3==0)\n", "LED3=1;\n"},
        {"if(D4==1)\n", "LED4=0;\n", "if(D4==0)\n", "LED4=1;\n"},
        {"if(D5==1)\n", "LED5=0;\n", "if(D5==0)\n", "LED5=1;\n"},
        {"if(D6==1)\n", "LED6=0;\n", "if(D6==0)\n", "LED6=1;\n"},
        {"if(D7==1)\n", "LED7=0;\n", "if(D7==0)\n", "LED7=1;\n"},
        {"if(D8==1)\n", "LED8=0;\n", "if(D8==0)\n", "LED8=1;\n"},
        {"if(D9==1)\n", "LED9=0;\n", "if(D9==0)\n", "LED9=1;\n"},
    }};
    static constexpr std::string_view kMain[] = {
        "}\n",
        "void main(void)\n",
        "{\n",
        "int i=0;\n",
        "PORTA=0x00;\n",
        "DDRA=0xFF;\n",
        "PORTB=0x00;\n",
        "DDRB=0x00;\n",
        "PORTC=0x00;\n",
        "DDRC=0xFF;\n",
        "PORTD=0x07;\n",
        "DDRD=0x00;\n",
        "MCUCR=0x00;\n",
        "MCUCSR=0x00;\n",
        "PORTA=0b00000111;\n",
        "PORTC=0b00111111;\n",
        "while(1)\n",
        "{\n",
    };

    std::vector<std::string_view> units(std::begin(kPinsAndLayerFunction),
                                        std::end(kPinsAndLayerFunction));
    for (const auto& line : kLedLines) units.insert(units.end(), line.begin(), line.end());
    units.insert(units.end(), std::begin(kMain), std::end(kMain));
    return units;
}

std::string LedsLine(const CellState& cells, int layer) {
    std::string line = "Leds(";
    for (int n = FirstCellOfLayer(layer); n <= LastCellOfLayer(layer); ++n) {
        if (n != FirstCellOfLayer(layer)) line += ',';
        line += std::to_string(cells.Get(n));
    }
    return line + ");\n";
}

}  // namespace

const std::vector<std::string_view>& ProgramHeaderUnits() {
    static const std::vector<std::string_view> units = BuildHeaderUnits();
    return units;
}

std::string ProgramHeader() {
    std::string text;
    for (std::string_view unit : ProgramHeaderUnits()) text += unit;
    return text;
}

const char* CombinationName(SwitchCombination combination) {
    static const char* const kNames[] = {"BP1", "BP2", "BP3", "Aucun"};
    return kNames[static_cast<int>(combination)];
}

std::string SwitchBlockOpen(SwitchCombination combination) {
    switch (combination) {
        case SwitchCombination::BP1:
            return "if((BP1==1)&&(BP2==0)&&(BP3==0))\n{\n";
        case SwitchCombination::BP2:
            return "if((BP1==0)&&(BP2==1)&&(BP3==0))\n{\n";
        case SwitchCombination::BP3:
            return "if((BP1==0)&&(BP2==0)&&(BP3==1))\n{\n";
        case SwitchCombination::Aucun:
            return "if((BP1==0)&&(BP2==0)&&(BP3==0))\n{\n";
    }
    throw std::invalid_argument("unknown switch combination");
}

std::int32_t RepeatCount(std::int32_t durationMs) {
    return durationMs / 15;
}

std::string FrameBlock(std::int32_t durationMs, const CellState& cells) {
    std::string text = "while(i<" + std::to_string(RepeatCount(durationMs)) + ")";
    text += "{\nEtage(1,0,0);\n";
    text += LedsLine(cells, 1);
    text += "delay_ms(5);\n";
    text += "Etage(0,1,0);\n";
    text += LedsLine(cells, 2);
    text += "delay_ms(5);\n";
    text += "Etage(0,0,1);\n";
    text += LedsLine(cells, 3);
    text += "delay_ms(5);\n";
    text += "i++; \n";
    text += "}\n";
    text += "i=0;\n";
    return text;
}

std::string SwitchBlockClose() {
    return "}\n";
}

std::string ProgramClose() {
    return "}\n}";
}

}  // namespace ledcube
