// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerMain.h"

int main(int argc, char** argv) {
    return ledcube::player::RunPlayer(argc, argv);
}
