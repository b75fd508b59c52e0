// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "chip/Chips.h"

class QSettings;

namespace ledcube::player {

// The folder of the user's wirings, ~/.config/ledcube/wirings: each a file
// NAME.wiring, the same that ledcube-sim --wiring reads.
QString WiringsFolder();

// A wiring file of that folder, or one given on the command line.
struct SavedWiring {
    QString name;  // the file's name without .wiring
    QString path;
    QString chipId;  // what its chip line names, empty when it names none
};
// The wiring file at `path`, its chip as its chip line names it.
SavedWiring WiringAt(const QString& path);
// The wirings saved, by name.
std::vector<SavedWiring> SavedWirings();
// The chip wired as the file says; raises program::SimError with the
// sentence that names the file's wrong line.
chip::Chip LoadWiring(const QString& path);
// Writes the wiring as NAME.wiring in the folder, whole or not at all;
// returns its path. Raises program::SimError when it cannot.
QString SaveWiring(const QString& name, const chip::Chip& chip, const chip::PinWiring& wiring);
// A name a wiring may be saved under: letters, digits, spaces, - and _.
bool IsWiringName(const QString& name);

// The recent files with `file` first, each once, at most ten.
QStringList WithRecentFile(QStringList recent, const QString& file);

// Where a window saved at `saved` goes again: there when enough of its title
// bar lies on one of the screens (their available areas), else nowhere.
std::optional<QRect> PlaceOnScreens(const QRect& saved, const QList<QRect>& screens);

// What the player remembers from one run to the next, in the user's settings
// (~/.config/ledcube/ledcube-play.conf).
struct PlayerMemory {
    QStringList recentFiles;
    QString chip;    // the --chip name
    QString wiring;  // the wiring file, empty for the chip's own
    QString programmer;
    QString port;
    int speedIndex = -1;  // none remembered
    bool panelShown = true;
    std::optional<QRect> place;

    static PlayerMemory Read(QSettings& settings);
    void Write(QSettings& settings) const;
};

}  // namespace ledcube::player
