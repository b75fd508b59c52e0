// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include "base/Language.h"

namespace ledcube {

// Chooses the user's language from the environment and loads its catalogs
// (ours and Qt's own), so that every text after it speaks that language; the
// Qt-free parts get the catalog too. Call it first thing, before any text is
// made; the application object installs the catalogs for tr() when it exists.
Language LoadLanguage();

// The same for a language chosen by the caller; English when the catalog
// cannot be found. Returns the language now spoken.
Language LoadLanguage(Language wanted);

// Installs the loaded catalogs in the running application, for tr(), or
// takes them out when the language is English.
void InstallTranslators();

// The folders searched for our catalogs, beside the program first.
QStringList TranslationFolders();

// Our own --help and --version options, described in the user's language
// (Qt's --help would add a --help-all for options our parsers do not show).
QCommandLineOption HelpOption();
QCommandLineOption VersionOption();

// The parser's help for `program`, its headings in the user's language.
QString HelpText(const QCommandLineParser& parser, const QString& program);

// What is wrong with a command line the parser refused, in the user's language.
QString ParserError(const QCommandLineParser& parser);

// "Try 'PROGRAM --help' for more information."
QString TryHelp(const QString& program);

// `one` or `many` as the user's language chooses for `count` (see TakesSingular).
QString LocalPlural(long long count, const QString& one, const QString& many);

// A number of bytes or frames as the user's language writes it ("8,192", "8 192").
QString LocalNumber(long long value);

}  // namespace ledcube
