// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ledcube {

// The languages the programs speak besides the texts they must keep as they are.
enum class Language { English, French };

// The language of the user's messages, as desktop programs choose it: LC_ALL,
// else LC_MESSAGES, else LANG names the locale; in a locale set to C or POSIX
// the programs speak English, otherwise LANGUAGE's list (fr:en …) comes first
// (alone too, when no locale is set). English when nothing names French.
// `variable` reads the environment.
Language MessageLanguage(const std::function<const char*(const char*)>& variable);

// What the window side plugs in once the user's catalog is loaded: the text of
// an English text in the user's language. Without it every text stays English.
using Translator = std::function<std::string(const char* context, const char* text)>;
void UseLanguage(Language language, Translator translator);
Language CurrentLanguage();

// A text the user reads, with its markers %1 … %9 filled in: the first Arg()
// fills the lowest-numbered marker of the text, the next one the next, wherever
// they stand (a translation may reorder them). Every marker is filled in one
// pass, so a value that holds a marker itself ("50%2.c") is left as it is.
class Text {
  public:
    explicit Text(std::string text) : text_(std::move(text)) {}
    Text Arg(std::string_view value) const;
    Text Arg(const char* value) const { return Arg(std::string_view(value)); }
    Text Arg(const std::string& value) const { return Arg(std::string_view(value)); }
    Text Arg(long long value) const { return Arg(std::to_string(value)); }
    Text Arg(int value) const { return Arg(static_cast<long long>(value)); }
    Text Arg(long value) const { return Arg(static_cast<long long>(value)); }
    operator std::string() const { return Str(); }  // NOLINT: reads as the string it is
    std::string Str() const;

  private:
    std::string text_;
    std::vector<std::string> values_;
};

// The user's text for `text` (English, written as a literal so that the
// catalog tools find it) in the part of the program named `context`.
Text Tr(const char* context, const char* text);

// Whether the user's language puts a singular after `count`: 1 in English;
// 0 and 1 in French.
bool TakesSingular(long long count);

// One of two texts by the count: `one` where the language puts a singular,
// `many` elsewhere.
Text Plural(long long count, const Text& one, const Text& many);

// "3 frames", "1 sequence": the count, as the language writes numbers, in the
// text that fits it (each with a %1 for the count).
std::string Counted(long long count, const Text& one, const Text& many);

// Two clauses of one sentence, "a; b" ("a ; b" in French); `b` alone when `a` is empty.
std::string JoinClauses(const std::string& a, const std::string& b);

// What a text is about before it, "cube.c: text" ("cube.c : text" in French).
std::string WithSubject(const std::string& subject, const std::string& text);

// A number with its thousands grouped: GroupThousands(8192, ',') is "8,192".
std::string GroupThousands(long long value, char separator);

// A number as the user's language writes it: "8,192" in English, "8 192" in French.
std::string Number(long long value);

// A decimal number with `digits` after the mark: "12.5" in English, "12,5" in French.
std::string Decimal(double value, int digits);

// The text of a number written with a '.', its mark as the user's language writes it.
std::string WithDecimalMark(std::string number);

}  // namespace ledcube
