// SPDX-License-Identifier: GPL-3.0-or-later
#include "InLanguage.h"

#include <gtest/gtest.h>

#include "ui/Translations.h"

namespace ledcube::test {

SpeakFrench::SpeakFrench() {
    EXPECT_EQ(LoadLanguage(Language::French), Language::French)
        << "the French catalog is not beside the tests";
}

SpeakFrench::~SpeakFrench() {
    LoadLanguage(Language::English);
}

}  // namespace ledcube::test
