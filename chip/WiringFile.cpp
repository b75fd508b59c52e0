// SPDX-License-Identifier: GPL-3.0-or-later
#include "chip/WiringFile.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "base/Language.h"
#include "chip/FirmwareBuild.h"
#include "program/SimError.h"

namespace ledcube::chip {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

// "leds   lit" as "leds lit": the words of a setting's name, lower case.
std::string SettingKey(std::string_view name) {
    std::string key;
    for (const char c : Lower(name)) {
        if (c == ' ' || c == '\t') {
            if (!key.empty() && key.back() != ' ') key += ' ';
        } else {
            key += c;
        }
    }
    return key;
}

std::string PortPinName(Pin pin) {
    return std::string("P") + pin.port + std::to_string(pin.bit);
}

// The Arduino header's name of a port pin of the ATmega328P, if it has one.
std::optional<std::string> HeaderName(Pin pin) {
    if (pin.port == 'D') return "D" + std::to_string(pin.bit);
    if (pin.port == 'B' && pin.bit <= 5) return "D" + std::to_string(8 + pin.bit);
    if (pin.port == 'C' && pin.bit <= 5) return "A" + std::to_string(pin.bit);
    return std::nullopt;
}

bool HasAnalogOnlyPins(const Chip& chip) {
    return std::string_view(chip.id).starts_with("nano");
}

// The three levels' settings and what `high` means for each.
struct LevelSetting {
    const char* key;
    bool PinWiring::*high;
};
constexpr LevelSetting kLevels[] = {{"leds lit", &PinWiring::ledsLitHigh},
                                    {"layers on", &PinWiring::layersOnHigh},
                                    {"buttons pressed", &PinWiring::buttonsPressedHigh}};

std::string Refusal(std::string_view name, int line, const std::string& sentence) {
    return Tr("Wiring", "%1, line %2: %3").Arg(name).Arg(line).Arg(sentence);
}

}  // namespace

std::string LineName(int line) {
    if (line < 9) return "LED" + std::to_string(line + 1);
    if (line < 12) return "Etage" + std::to_string(line - 8);
    return "BP" + std::to_string(line - 11);
}

Pin& LinePin(PinWiring& wiring, int line) {
    if (line < 9) return wiring.leds[static_cast<std::size_t>(line)];
    if (line < 12) return wiring.layers[static_cast<std::size_t>(line - 9)];
    return wiring.buttons[static_cast<std::size_t>(line - 12)];
}

Pin LinePin(const PinWiring& wiring, int line) {
    return LinePin(const_cast<PinWiring&>(wiring), line);
}

std::vector<ChipPin> ChipPins(const Chip& chip) {
    std::vector<ChipPin> pins;
    const bool board = chip.wiring == Wiring::Arduino;
    for (const char port : {'A', 'B', 'C', 'D'}) {
        if (board && port == 'A') continue;
        for (int bit = 0; bit < 8; ++bit) {
            const Pin pin{port, bit};
            ChipPin entry{pin, PinName(chip, pin), true, true, {}};
            if (board && port == 'C' && bit == 7) continue;  // the ATmega328P has no PC7
            if (board && port == 'B' && bit >= 6) {
                entry.output = entry.input = false;
                entry.note = Tr("Wiring", "the board's crystal");
            } else if (board && port == 'C' && bit == 6) {
                entry.output = entry.input = false;
                entry.note = Tr("Wiring", "the reset pin");
            } else if (board && port == 'D' && bit <= 1) {
                entry.note = bit == 0 ? Tr("Wiring", "the USB serial's RX").Str()
                                      : Tr("Wiring", "the USB serial's TX").Str();
            } else if (port == 'B') {
                // MOSI, MISO and SCK: PB3 to PB5 on the ATmega328P, PB5 to PB7 on the 40-pin chips.
                const int first = board ? 3 : 5;
                static const char* const kIsp[] = {"MOSI", "MISO", "SCK"};
                if (bit >= first && bit < first + 3)
                    entry.note = Tr("Wiring", "the ISP header's %1").Arg(kIsp[bit - first]);
            }
            pins.push_back(entry);
        }
    }
    if (HasAnalogOnlyPins(chip))
        for (const int bit : {6, 7})
            pins.push_back({Pin{'-', bit}, "A" + std::to_string(bit), false, false,
                            Tr("Wiring", "an analog input only")});
    return pins;
}

std::string PinName(const Chip& chip, Pin pin) {
    if (chip.wiring == Wiring::Arduino)
        if (const auto header = HeaderName(pin)) return *header;
    return PortPinName(pin);
}

WiringRead ReadWiring(std::string_view text, std::string_view name,
                      const std::optional<Chip>& given) {
    // Each setting's value and line, read first; the chip's line decides how pins read.
    struct Given {
        std::string value;
        int line;
    };
    std::map<std::string, Given> settings;
    std::map<std::string, std::string> shown;  // the key as the file spells it
    std::vector<std::string> known = {"chip", "leds lit", "layers on", "buttons pressed"};
    for (int line = 0; line < kWiredLines; ++line) known.push_back(Lower(LineName(line)));
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        raw = raw.substr(0, std::min(raw.find('#'), raw.size()));
        const std::string content = Trimmed(raw);
        if (content.empty()) continue;
        const std::size_t equals = content.find('=');
        if (equals == std::string::npos)
            throw program::SimError(Refusal(
                name, number,
                Tr("Wiring", "a setting reads NAME = VALUE, as in \"LED1 = D13\", not \"%1\"")
                    .Arg(content)));
        const std::string spelled = Trimmed(std::string_view(content).substr(0, equals));
        const std::string key = SettingKey(spelled);
        const std::string value = Trimmed(std::string_view(content).substr(equals + 1));
        if (std::find(known.begin(), known.end(), key) == known.end())
            throw program::SimError(Refusal(
                name, number,
                Tr("Wiring",
                   "\"%1\" is no setting of a wiring (chip, LED1 to LED9, Etage1 to Etage3, BP1 to "
                   "BP3, leds lit, layers on, buttons pressed)")
                    .Arg(spelled)));
        if (const auto before = settings.find(key); before != settings.end())
            throw program::SimError(Refusal(name, number,
                                            Tr("Wiring", "%1 is given twice (first on line %2)")
                                                .Arg(spelled)
                                                .Arg(before->second.line)));
        settings[key] = {value, number};
        shown[key] = spelled;
    }

    WiringRead read{given.value_or(kAtmega8535), {}, {}};
    if (const auto chipLine = settings.find("chip"); chipLine != settings.end()) {
        const std::optional<Chip> named = ChipNamed(chipLine->second.value);
        if (!named)
            throw program::SimError(Refusal(name, chipLine->second.line,
                                            Tr("Wiring", "there is no chip \"%1\" (%2)")
                                                .Arg(chipLine->second.value)
                                                .Arg(ChipNames())));
        if (given && std::string_view(given->id) != named->id)
            throw program::SimError(
                Refusal(name, chipLine->second.line,
                        Tr("Wiring", "the wiring is for the %1, and --chip names the %2")
                            .Arg(named->id)
                            .Arg(given->id)));
        if (!given) read.chip = *named;
    }

    const std::vector<ChipPin> pins = ChipPins(read.chip);
    std::map<std::pair<char, int>, int> taken;  // pin: the line of the file that took it
    for (int line = 0; line < kWiredLines; ++line) {
        const std::string lineName = LineName(line);
        const auto found = settings.find(Lower(lineName));
        if (found == settings.end())
            throw program::SimError(
                Tr("Wiring", "%1: no line gives the pin of %2").Arg(name).Arg(lineName));
        const auto& [value, at] = found->second;
        const std::string upper = [&] {
            std::string u(value);
            std::transform(u.begin(), u.end(), u.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            return u;
        }();
        const auto pin = std::find_if(pins.begin(), pins.end(), [&](const ChipPin& p) {
            return p.name == upper || (p.pin.port != '-' && PortPinName(p.pin) == upper);
        });
        if (pin == pins.end())
            throw program::SimError(Refusal(
                name, at, Tr("Wiring", "the %1 has no pin %2").Arg(read.chip.name).Arg(value)));
        const bool button = line >= 12;
        if (!(button ? pin->input : pin->output))
            throw program::SimError(
                Refusal(name, at,
                        (button ? Tr("Wiring", "%1 is %2: the chip cannot read a button on it")
                                : Tr("Wiring", "%1 is %2: the chip cannot drive %3 from it"))
                            .Arg(pin->name)
                            .Arg(pin->note)
                            .Arg(lineName)));
        if (const auto other = taken.find({pin->pin.port, pin->pin.bit}); other != taken.end())
            throw program::SimError(
                Refusal(name, at,
                        Tr("Wiring", "%1 is on %2, which line %3 gives to %4 already")
                            .Arg(lineName)
                            .Arg(pin->name)
                            .Arg(settings[Lower(LineName(other->second))].line)
                            .Arg(LineName(other->second))));
        taken[{pin->pin.port, pin->pin.bit}] = line;
        LinePin(read.wiring, line) = pin->pin;
        if (!pin->note.empty())
            read.warnings.push_back(Refusal(
                name, at,
                (pin->pin.port == 'D' && pin->pin.bit <= 1
                     ? Tr("Wiring",
                          "%1 is on %2, %3: the board cannot be flashed through its USB while "
                          "the cube is on it")
                     : Tr("Wiring",
                          "%1 is on %2, %3: a programmer on that header drives it while it "
                          "flashes"))
                    .Arg(lineName)
                    .Arg(pin->name)
                    .Arg(pin->note)));
    }
    for (const LevelSetting& level : kLevels) {
        const auto found = settings.find(level.key);
        if (found == settings.end())
            throw program::SimError(
                Tr("Wiring", "%1: no line gives the level of \"%2\"").Arg(name).Arg(level.key));
        const std::string value = Lower(found->second.value);
        if (value != "high" && value != "low")
            throw program::SimError(Refusal(name, found->second.line,
                                            Tr("Wiring", "%1 is high or low, not \"%2\"")
                                                .Arg(shown[level.key])
                                                .Arg(found->second.value)));
        read.wiring.*level.high = value == "high";
    }
    read.chip = WithWiring(read.chip, read.wiring);
    return read;
}

WiringRead ReadWiringFile(const std::filesystem::path& path, const std::optional<Chip>& given) {
    if (!std::filesystem::is_regular_file(path))
        throw program::SimError(Tr("Wiring", "cannot read the wiring %1").Arg(path.string()));
    WiringRead read = ReadWiring(ReadTextFile(path), path.filename().string(), given);
    NameWiring(read.wiring, path.stem().string());
    read.chip = WithWiring(read.chip, read.wiring);
    return read;
}

std::string WiringText(const Chip& chip, const PinWiring& wiring, std::string_view comment) {
    std::string text = "# " + std::string(comment) + "\nchip = " + chip.id + "\n";
    for (int line = 0; line < kWiredLines; ++line)
        text += LineName(line) + " = " + PinName(chip, LinePin(wiring, line)) + "\n";
    for (const LevelSetting& level : kLevels)
        text += std::string(level.key) + " = " + (wiring.*level.high ? "high" : "low") + "\n";
    return text;
}

}  // namespace ledcube::chip
