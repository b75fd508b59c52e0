// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ui/Application.h"

// Runs the window tests inside the program's own application object, on
// the offscreen platform unless another one is asked for.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    ledcube::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
