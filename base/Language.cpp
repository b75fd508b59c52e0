// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Language.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <mutex>

namespace ledcube {

namespace {

struct Chosen {
    std::mutex lock;
    Language language = Language::English;
    Translator translator;
};

Chosen& Current() {
    static Chosen chosen;
    return chosen;
}

bool NamesFrench(std::string_view locale) {
    return locale.substr(0, 2) == "fr" &&
           (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}

}  // namespace

Language MessageLanguage(const std::function<const char*(const char*)>& variable) {
    const auto value = [&](const char* name) {
        const char* text = variable(name);
        return std::string_view(text == nullptr ? "" : text);
    };
    std::string_view locale = value("LC_ALL");
    if (locale.empty()) locale = value("LC_MESSAGES");
    if (locale.empty()) locale = value("LANG");
    // A locale set to C or POSIX asks for the programs' plain messages.
    if (locale == "C" || locale.starts_with("C.") || locale == "POSIX") return Language::English;
    // LANGUAGE lists languages by preference; the first we speak wins.
    std::string_view list = value("LANGUAGE");
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        if (NamesFrench(entry)) return Language::French;
        if (entry.substr(0, 2) == "en" || entry == "C") return Language::English;
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return NamesFrench(locale) ? Language::French : Language::English;
}

void UseLanguage(Language language, Translator translator) {
    Chosen& chosen = Current();
    const std::lock_guard guard(chosen.lock);
    chosen.language = language;
    chosen.translator = std::move(translator);
}

Language CurrentLanguage() {
    Chosen& chosen = Current();
    const std::lock_guard guard(chosen.lock);
    return chosen.language;
}

Text Text::Arg(std::string_view value) const {
    Text more = *this;
    more.values_.emplace_back(value);
    return more;
}

std::string Text::Str() const {
    if (values_.empty()) return text_;
    // The markers the text holds, lowest first: the k-th takes the k-th value.
    std::array<int, 10> valueOf{};
    valueOf.fill(-1);
    int next = 0;
    for (int digit = 1; digit <= 9; ++digit)
        if (text_.find(std::string{'%', static_cast<char>('0' + digit)}) != std::string::npos &&
            next < static_cast<int>(values_.size()))
            valueOf[static_cast<std::size_t>(digit)] = next++;
    std::string filled;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const int digit =
            i + 1 < text_.size() && text_[i] == '%' && text_[i + 1] >= '1' && text_[i + 1] <= '9'
                ? text_[i + 1] - '0'
                : 0;
        if (digit != 0 && valueOf[static_cast<std::size_t>(digit)] >= 0) {
            filled += values_[static_cast<std::size_t>(valueOf[static_cast<std::size_t>(digit)])];
            ++i;
        } else {
            filled += text_[i];
        }
    }
    return filled;
}

Text Tr(const char* context, const char* text) {
    Translator translator;
    {
        Chosen& chosen = Current();
        const std::lock_guard guard(chosen.lock);
        translator = chosen.translator;
    }
    if (translator) {
        std::string translated = translator(context, text);
        if (!translated.empty()) return Text(std::move(translated));
    }
    return Text(text);
}

bool TakesSingular(long long count) {
    return CurrentLanguage() == Language::French ? count == 0 || count == 1 || count == -1
                                                 : count == 1;
}

Text Plural(long long count, const Text& one, const Text& many) {
    return TakesSingular(count) ? one : many;
}

std::string Counted(long long count, const Text& one, const Text& many) {
    return Plural(count, one, many).Arg(Number(count));
}

std::string GroupThousands(long long value, char separator) {
    const std::string digits = value == LLONG_MIN ? std::to_string(value).substr(1)
                                                  : std::to_string(value < 0 ? -value : value);
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

std::string Number(long long value) {
    return GroupThousands(value, CurrentLanguage() == Language::French ? ' ' : ',');
}

std::string JoinClauses(const std::string& a, const std::string& b) {
    return a.empty() ? b : Tr("Text", "%1; %2").Arg(a).Arg(b).Str();
}

std::string WithSubject(const std::string& subject, const std::string& text) {
    return Tr("Text", "%1: %2").Arg(subject).Arg(text);
}

std::string Decimal(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return WithDecimalMark(text);
}

std::string WithDecimalMark(std::string number) {
    if (CurrentLanguage() == Language::French) std::replace(number.begin(), number.end(), '.', ',');
    return number;
}

}  // namespace ledcube
