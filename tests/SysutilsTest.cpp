// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/Sysutils.h"

namespace ledcube {
namespace {

struct ConversionCase {
    std::string text;
    std::optional<std::int32_t> value;  // nullopt: refused
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << "'" << c.text << "'";
}

class StrToIntTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(StrToIntTest, AcceptsSignedDecimalsInRangeAndRefusesTheRest) {
    const auto& [text, value] = GetParam();
    if (value) {
        EXPECT_EQ(StrToInt(text), *value);
        return;
    }
    try {
        StrToInt(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const Exception& error) {
        EXPECT_NE(error.Message().find("'" + text + "'"), std::string::npos) << error.Message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrToIntTest,
    testing::Values(ConversionCase{"0", 0}, ConversionCase{"300", 300}, ConversionCase{"+15", 15},
                    ConversionCase{"-30", -30}, ConversionCase{"007", 7},
                    ConversionCase{"2147483647", 2147483647},
                    ConversionCase{"-2147483648", -2147483647 - 1},
                    ConversionCase{"  1000\t", 1000},  // blanks around the number are ignored
                    ConversionCase{"", std::nullopt}, ConversionCase{"   ", std::nullopt},
                    ConversionCase{"-", std::nullopt}, ConversionCase{"+", std::nullopt},
                    ConversionCase{"abc", std::nullopt}, ConversionCase{"12abc", std::nullopt},
                    ConversionCase{"1e3", std::nullopt}, ConversionCase{"1 000", std::nullopt},
                    ConversionCase{"0x10", std::nullopt}, ConversionCase{"--5", std::nullopt},
                    ConversionCase{"2147483648", std::nullopt},
                    ConversionCase{"-2147483649", std::nullopt},
                    ConversionCase{"99999999999", std::nullopt},
                    ConversionCase{"99999999999999999999999", std::nullopt},
                    ConversionCase{"-12 0", std::nullopt}));

TEST(StrToInt, SpellsOutControlCharactersInItsMessage) {
    try {
        StrToInt(std::string("12\0\n", 4));
        FAIL();
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "'12\\x00\\x0A' is not a valid whole number");
    }
}

}  // namespace
}  // namespace ledcube
