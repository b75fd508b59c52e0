// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/Effect.h"

#include <QCoreApplication>
#include <QJSEngine>
#include <QStandardPaths>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "base/Language.h"
#include "chip/FirmwareBuild.h"
#include "firmware/FirmwareText.h"
#include "program/SimError.h"

namespace ledcube::effects {

namespace {

// What every script may call besides the language's own: a seeded random
// number generator, random(seed)() giving numbers from 0 to 1, and
// shuffled(count, seed), the numbers 0 to count - 1 in a random order (in
// order without a seed).
const char* const kPrelude = R"(
function random(seed) {
    var a = seed >>> 0;
    return function () {
        a = (a + 0x6D2B79F5) >>> 0;
        var t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}
function shuffled(count, seed) {
    var items = [];
    for (var i = 0; i < count; ++i) items.push(i);
    if (seed === undefined) return items;
    var next = random(seed);
    for (var j = count - 1; j > 0; --j) {
        var k = Math.floor(next() * (j + 1));
        var swap = items[j];
        items[j] = items[k];
        items[k] = swap;
    }
    return items;
}
function oneByOne(t, n, s, value) {
    var order = shuffled(27, s.order === "random" ? s.seed : undefined);
    var count = Math.min(27, Math.ceil((t + 1) * 27 / n));
    var cells = [];
    for (var i = 0; i < 27; ++i) cells.push(!value);
    for (var c = 0; c < count; ++c) cells[order[c]] = value;
    return cells;
}
)";

std::string Str(const QString& text) {
    return text.toStdString();
}

// "rain.js, line 3: ReferenceError: y is not defined" (the engine gives no column).
std::string Where(const std::string& name, const QJSValue& error) {
    return Tr("Effects", "%1, line %2: %3")
        .Arg(name)
        .Arg(error.property(QStringLiteral("lineNumber")).toInt())
        .Arg(Str(error.toString()))
        .Str();
}

std::string FileName(const std::string& name) {
    return name.ends_with(".js") ? name : name + ".js";
}

// An engine holding the prelude and the script; raises SimError on a syntax
// error or an exception while the script is read.
void Evaluate(QJSEngine& engine, const std::string& name, const std::string& source) {
    engine.evaluate(QString::fromLatin1(kPrelude));
    const QJSValue done =
        engine.evaluate(QString::fromStdString(source), QString::fromStdString(FileName(name)), 1);
    if (done.isError()) throw program::SimError(Where(FileName(name), done));
}

Setting ReadSetting(const std::string& name, const QJSValue& value, int index) {
    Setting setting;
    setting.name = Str(value.property(QStringLiteral("name")).toString());
    const std::string kind = Str(value.property(QStringLiteral("kind")).toString());
    const auto wrong = [&](const char* what) {
        return program::SimError(Tr("Effects", "%1: setting %2 %3")
                                     .Arg(FileName(name))
                                     .Arg(index + 1)
                                     .Arg(Tr("Effects", what))
                                     .Str());
    };
    if (setting.name.empty() || !std::all_of(setting.name.begin(), setting.name.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
        }))
        throw wrong(QT_TRANSLATE_NOOP("Effects", "needs a name of letters, digits and _"));
    const QJSValue byDefault = value.property(QStringLiteral("default"));
    if (kind == "choice") {
        setting.kind = Setting::Kind::Choice;
        const QJSValue choices = value.property(QStringLiteral("choices"));
        const int count = choices.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < count; ++i)
            setting.choices.push_back(Str(choices.property(static_cast<quint32>(i)).toString()));
        if (setting.choices.empty())
            throw wrong(QT_TRANSLATE_NOOP("Effects", "is a choice without choices"));
        setting.byDefault =
            byDefault.isUndefined() ? setting.choices.front() : Str(byDefault.toString());
        return setting;
    }
    if (kind != "integer" && kind != "number")
        throw wrong(
            QT_TRANSLATE_NOOP("Effects", "has a kind other than integer, number or choice"));
    setting.kind = kind == "integer" ? Setting::Kind::Integer : Setting::Kind::Number;
    setting.least = value.property(QStringLiteral("min")).toNumber();
    setting.most = value.property(QStringLiteral("max")).toNumber();
    const double fallback = byDefault.isUndefined() ? setting.least : byDefault.toNumber();
    if (!std::isfinite(setting.least) || !std::isfinite(setting.most) ||
        setting.least > setting.most || !(fallback >= setting.least && fallback <= setting.most))
        throw wrong(QT_TRANSLATE_NOOP("Effects", "needs a min, a max and a default between them"));
    setting.byDefault = Str(QString::number(fallback, 'g', 12));
    return setting;
}

// A setting's value as the script gets it; none when it is out of range.
std::optional<QJSValue> ValueOf(const Setting& setting, const std::string& text) {
    if (setting.kind == Setting::Kind::Choice) {
        if (std::find(setting.choices.begin(), setting.choices.end(), text) ==
            setting.choices.end())
            return std::nullopt;
        return QJSValue(QString::fromStdString(text));
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < setting.least ||
        number > setting.most ||
        (setting.kind == Setting::Kind::Integer && number != std::floor(number)))
        return std::nullopt;
    return QJSValue(number);
}

// Interrupts the engine once `ms` have passed, unless stopped before.
class Watchdog {
  public:
    Watchdog(QJSEngine& engine, int ms)
        : thread_([this, &engine, ms] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_; })) {
                  fired_ = true;
                  engine.setInterrupted(true);
              }
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    bool Fired() const {
        const std::lock_guard lock(mutex_);
        return fired_;
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable done_;
    bool stop_ = false;
    bool fired_ = false;
    std::thread thread_;
};

}  // namespace

Effect ReadEffect(const std::string& name, const std::string& source) {
    QJSEngine engine;
    Evaluate(engine, name, source);
    Effect effect{name, source, {}};
    const QJSValue settings = engine.globalObject().property(QStringLiteral("settings"));
    if (settings.isArray()) {
        const int count = settings.property(QStringLiteral("length")).toInt();
        for (int i = 0; i < count; ++i)
            effect.settings.push_back(
                ReadSetting(name, settings.property(static_cast<quint32>(i)), i));
    }
    const QJSValue global = engine.globalObject();
    if (!global.property(QStringLiteral("lit")).isCallable() &&
        !global.property(QStringLiteral("frame")).isCallable())
        throw program::SimError(
            Tr("Effects", "%1 has no function lit(x, y, z, t, n) and no function frame(t, n)")
                .Arg(FileName(name))
                .Str());
    return effect;
}

Effect LoadEffect(const std::filesystem::path& file) {
    return ReadEffect(file.stem().string(), chip::ReadTextFile(file));
}

Effect FormulaEffect(const std::string& body) {
    return ReadEffect("formula", "function lit(x, y, z, t, n) {\n" + body + "\n}\n");
}

SettingValues ChooseValues(const Effect& effect, const SettingValues& given) {
    SettingValues values;
    for (const Setting& setting : effect.settings) values[setting.name] = setting.byDefault;
    for (const auto& [name, text] : given) {
        const auto setting = std::find_if(effect.settings.begin(), effect.settings.end(),
                                          [&](const Setting& s) { return s.name == name; });
        if (setting == effect.settings.end()) {
            std::vector<std::string> named;
            for (const Setting& s : effect.settings) named.push_back(s.name);
            const std::string names = ListedNames(named);
            throw program::SimError(
                (names.empty()
                     ? Tr("Effects", "the effect %1 has no settings, not even %2")
                           .Arg(effect.name)
                           .Arg(name)
                     : Tr("Effects", "the effect %1 has no setting %2: its settings are %3")
                           .Arg(effect.name)
                           .Arg(name)
                           .Arg(names))
                    .Str());
        }
        if (!ValueOf(*setting, text)) {
            if (setting->kind == Setting::Kind::Choice) {
                throw program::SimError(Tr("Effects", "%1 takes one of %2, not '%3'")
                                            .Arg(name)
                                            .Arg(ListedNames(setting->choices))
                                            .Arg(text)
                                            .Str());
            }
            throw program::SimError(
                Tr("Effects",
                   setting->kind == Setting::Kind::Integer
                       ? QT_TRANSLATE_NOOP("Effects",
                                           "%1 takes a whole number from %2 to %3, not '%4'")
                       : QT_TRANSLATE_NOOP("Effects", "%1 takes a number from %2 to %3, not '%4'"))
                    .Arg(name)
                    .Arg(Str(QString::number(setting->least, 'g', 12)))
                    .Arg(Str(QString::number(setting->most, 'g', 12)))
                    .Arg(text)
                    .Str());
        }
        values[name] = text;
    }
    return values;
}

std::vector<CellState> RunEffect(const Effect& effect, const SettingValues& values, int frames,
                                 int limitMs) {
    QJSEngine engine;
    Evaluate(engine, effect.name, effect.source);
    QJSValue settings = engine.newObject();
    for (const Setting& setting : effect.settings) {
        const auto given = values.find(setting.name);
        settings.setProperty(
            QString::fromStdString(setting.name),
            *ValueOf(setting, given != values.end() ? given->second : setting.byDefault));
    }
    const QJSValue global = engine.globalObject();
    const QJSValue lit = global.property(QStringLiteral("lit"));
    const QJSValue frame = global.property(QStringLiteral("frame"));
    const std::string file = FileName(effect.name);
    std::vector<CellState> shown;
    const Watchdog watchdog(engine, limitMs);
    const auto failed = [&](const QJSValue& error) {
        if (watchdog.Fired())
            return program::SimError(Tr("Effects", "%1 ran past %2 and was stopped")
                                         .Arg(file)
                                         .Arg(Counted(limitMs / 1000, Tr("Effects", "%1 second"),
                                                      Tr("Effects", "%1 seconds")))
                                         .Str());
        return program::SimError(Where(file, error));
    };
    for (int t = 0; t < frames; ++t) {
        CellState cells;
        if (frame.isCallable()) {
            const QJSValue result = frame.call({QJSValue(t), QJSValue(frames), settings});
            if (result.isError()) throw failed(result);
            if (!result.isArray() ||
                result.property(QStringLiteral("length")).toInt() != kCellCount)
                throw program::SimError(
                    Tr("Effects", "%1: frame(%2, %3) returned %4, not an array of 27 cells")
                        .Arg(file)
                        .Arg(t)
                        .Arg(frames)
                        .Arg(Str(result.toString()))
                        .Str());
            for (int n = 1; n <= kCellCount; ++n)
                cells.Set(n, result.property(static_cast<quint32>(n - 1)).toBool());
        } else {
            for (int n = 1; n <= kCellCount; ++n) {
                const CellPlace place = PlaceOf(n);
                const QJSValue result =
                    lit.call({QJSValue(place.column), QJSValue(place.row),
                              QJSValue(place.layer - 1), QJSValue(t), QJSValue(frames), settings});
                if (result.isError()) throw failed(result);
                if (!result.isBool() && !result.isNumber())
                    throw program::SimError(
                        Tr("Effects", "%1: lit(%2, %3, %4, %5, %6) returned %7, not true or false")
                            .Arg(file)
                            .Arg(place.column)
                            .Arg(place.row)
                            .Arg(place.layer - 1)
                            .Arg(t)
                            .Arg(frames)
                            .Arg(Str(result.toString()))
                            .Str());
                cells.Set(n, result.toBool());
            }
        }
        shown.push_back(cells);
    }
    return shown;
}

std::string EffectProgram(const std::vector<CellState>& frames, int ms) {
    std::string text = ProgramHeader() + SwitchBlockOpen(SwitchCombination::Aucun);
    for (const CellState& cells : frames) text += FrameBlock(ms, cells);
    return text + SwitchBlockClose() + ProgramClose();
}

std::string ListedNames(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
}

std::vector<std::filesystem::path> EffectFolders() {
    std::vector<std::filesystem::path> folders;
    // Installed beside the program (/usr/bin → /usr/share), else the sources' own.
    std::filesystem::path installed;
    if (QCoreApplication::instance() != nullptr)
        installed = std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
                    ".." / "share" / "ledcube" / "effects";
    folders.push_back(!installed.empty() && std::filesystem::is_directory(installed)
                          ? installed
                          : std::filesystem::path(LEDCUBE_EFFECTS_SOURCE));
    folders.push_back(
        std::filesystem::path(
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
        "ledcube" / "effects");
    return folders;
}

std::vector<Effect> ListEffects(const std::vector<std::filesystem::path>& folders) {
    std::map<std::string, Effect> byName;
    for (const std::filesystem::path& folder : folders) {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
            if (entry.path().extension() != ".js") continue;
            try {
                Effect effect = LoadEffect(entry.path());
                byName[effect.name] = std::move(effect);
            } catch (const program::SimError&) {
                // A file that does not read is not offered.
            }
        }
    }
    std::vector<Effect> effects;
    for (auto& [name, effect] : byName) effects.push_back(std::move(effect));
    return effects;
}

}  // namespace ledcube::effects
