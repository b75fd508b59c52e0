// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated board on a pseudo-terminal, for trying the player and
// ledcube-sim by hand: `simulated_board [uno|nano|nano-old] [LINK]` prints
// its port (LINK, when given, is a link to it that stays when it is plugged
// in again), then reads commands: unplug, plug, press BP1|BP2|BP3|Aucun, quit.
#include <iostream>
#include <string>

#include "chip/FirmwareBuild.h"
#include "chip/SimulatedBoard.h"
#include "firmware/Buttons.h"

int main(int argc, char** argv) {
    using namespace ledcube;
    const std::optional<chip::Chip> board = chip::ChipNamed(argc > 1 ? argv[1] : "uno");
    if (!board || board->wiring != chip::Wiring::Arduino) {
        std::cerr << "simulated_board: uno, nano or nano-old\n";
        return 2;
    }
    const chip::ScratchFolder folder;
    chip::SimulatedBoard simulated(*board, chip::BootloaderOf(*board, folder.Path()),
                                   argc > 2 ? argv[2] : "");
    std::cout << simulated.Port() << std::endl;
    for (std::string command; std::cin >> command && command != "quit";) {
        if (command == "unplug") {
            simulated.Unplug();
        } else if (command == "plug") {
            simulated.PlugIn();
        } else if (command == "press" && std::cin >> command) {
            for (const SwitchCombination buttons : kCombinations)
                if (CombinationName(buttons) == command) simulated.PressButtons(buttons);
        } else {
            std::cerr << "simulated_board: unplug, plug, press BP1|BP2|BP3|Aucun or quit\n";
        }
    }
    return 0;
}
