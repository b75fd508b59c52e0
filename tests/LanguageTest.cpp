// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/Language.h"

namespace ledcube {
namespace {

struct Environment {
    std::map<std::string, std::string> variables;
    Language expected;
};

TEST(MessageLanguage, FollowsTheVariablesAsDesktopProgramsDo) {
    const Environment cases[] = {
        {{}, Language::English},
        {{{"LANGUAGE", "fr"}}, Language::French},  // no locale set: the list alone
        {{{"LANG", "fr_FR.UTF-8"}}, Language::French},
        {{{"LANG", "fr_CA"}}, Language::French},
        {{{"LANG", "fr"}}, Language::French},
        {{{"LANG", "fy_NL.UTF-8"}}, Language::English},  // Frisian, not French
        {{{"LANG", "de_DE.UTF-8"}}, Language::English},
        {{{"LANG", "C"}, {"LANGUAGE", "fr"}}, Language::English},  // the C locale ignores LANGUAGE
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "fr"}}, Language::English},
        {{{"LANG", "POSIX"}, {"LANGUAGE", "fr"}}, Language::English},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr:en"}}, Language::French},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "en_GB:fr"}}, Language::English},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "de:fr"}}, Language::French},  // the first we speak
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, Language::French},
        {{{"LANG", "fr_FR.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}}, Language::English},
        {{{"LC_MESSAGES", "en_US.UTF-8"}, {"LC_ALL", "fr_BE.UTF-8"}}, Language::French},
        {{{"LC_ALL", "C"}, {"LANG", "fr_FR.UTF-8"}}, Language::English},
        {{{"LC_ALL", ""}, {"LANG", "fr_FR@euro"}}, Language::French},
    };
    for (const Environment& c : cases) {
        const Language got = MessageLanguage([&](const char* name) -> const char* {
            const auto found = c.variables.find(name);
            return found == c.variables.end() ? nullptr : found->second.c_str();
        });
        std::string described;
        for (const auto& [name, value] : c.variables) described += name + "=" + value + " ";
        EXPECT_EQ(got, c.expected) << described;
    }
}

TEST(Text, ArgFillsTheLowestMarkerLeftWhereverItStands) {
    struct Case {
        Text text;
        std::string expected;
    };
    const Case cases[] = {
        {Text("%1 of %2").Arg("a").Arg("b"), "a of b"},
        {Text("%2 before %1").Arg("a").Arg("b"), "b before a"},  // a translation may reorder
        {Text("%1 and %1").Arg("x"), "x and x"},
        {Text("%1%").Arg(12), "12%"},
        {Text("%1 %2").Arg("%2").Arg("y"), "%2 y"},  // a value's own markers stay as they are
        {Text("no marker").Arg("x"), "no marker"},
        {Text("%1: %2").Arg("file %1.c"), "file %1.c: %2"},   // a marker without its value stays
        {Text("%3, %1").Arg("a").Arg("b").Arg("c"), "b, a"},  // more values than markers
        {Text("%1").Arg(-42LL), "-42"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text.Str(), c.expected);
}

TEST(Language, NumbersAndPluralsFollowTheLanguage) {
    struct Case {
        Language language;
        long long count;
        std::string number;
        std::string plural;
        std::string decimal;
    };
    const Case cases[] = {
        {Language::English, 8192, "8,192", "many", "8192.5"},
        {Language::French, 8192, "8 192", "many", "8192,5"},
        {Language::English, 1, "1", "one", "1.5"},
        {Language::French, 1, "1", "one", "1,5"},
        {Language::English, 0, "0", "many", "0.5"},
        {Language::French, 0, "0", "one", "0,5"},
        {Language::French, -1234567, "-1 234 567", "many", "-1234567,5"},
    };
    for (const Case& c : cases) {
        UseLanguage(c.language, nullptr);
        EXPECT_EQ(Number(c.count), c.number);
        EXPECT_EQ(Plural(c.count, Text("one"), Text("many")).Str(), c.plural) << c.count;
        EXPECT_EQ(Decimal(c.count + (c.count < 0 ? -0.5 : 0.5), 1), c.decimal);
    }
    UseLanguage(Language::English, nullptr);
}

TEST(Language, TrAsksTheTranslatorAndKeepsTheTextItDoesNotKnow) {
    UseLanguage(Language::French, [](const char* context, const char* text) {
        return std::string(context) == "Editor" && std::string(text) == "Yes" ? std::string("Oui")
                                                                              : std::string();
    });
    EXPECT_EQ(Tr("Editor", "Yes").Str(), "Oui");
    EXPECT_EQ(Tr("Player", "Yes").Str(), "Yes");  // another part of the program
    EXPECT_EQ(Tr("Editor", "No").Str(), "No");
    UseLanguage(Language::English, nullptr);
    EXPECT_EQ(Tr("Editor", "Yes").Str(), "Yes");
}

}  // namespace
}  // namespace ledcube
