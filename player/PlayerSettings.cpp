// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerSettings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include "base/Language.h"
#include "chip/WiringFile.h"
#include "program/SimError.h"
#include "ui/SaveText.h"

namespace ledcube::player {

namespace {

constexpr int kRecentFiles = 10;
// How much of a window's title bar must lie on a screen to be caught with the mouse.
constexpr int kGrabWidth = 100;
constexpr int kTitleHeight = 30;

}  // namespace

QString WiringsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/ledcube/wirings");
}

SavedWiring WiringAt(const QString& path) {
    static const QRegularExpression chipLine(QStringLiteral("^\\s*chip\\s*=\\s*([A-Za-z0-9-]+)"),
                                             QRegularExpression::MultilineOption);
    QFile text(path);
    QString chipId;
    if (text.open(QIODevice::ReadOnly))
        chipId = chipLine.match(QString::fromUtf8(text.readAll())).captured(1).toLower();
    return {QFileInfo(path).completeBaseName(), QFileInfo(path).absoluteFilePath(), chipId};
}

std::vector<SavedWiring> SavedWirings() {
    std::vector<SavedWiring> wirings;
    const QDir folder(WiringsFolder());
    for (const QFileInfo& file :
         folder.entryInfoList({QStringLiteral("*.wiring")}, QDir::Files, QDir::Name))
        wirings.push_back(WiringAt(file.filePath()));
    return wirings;
}

chip::Chip LoadWiring(const QString& path) {
    return chip::ReadWiringFile(path.toStdString(), std::nullopt).chip;
}

bool IsWiringName(const QString& name) {
    static const QRegularExpression allowed(QStringLiteral("^[\\w -]{1,60}$"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    return allowed.match(name).hasMatch() && !name.trimmed().isEmpty();
}

QString SaveWiring(const QString& name, const chip::Chip& chip, const chip::PinWiring& wiring) {
    if (!IsWiringName(name))
        throw program::SimError(
            Tr("Wiring", "a wiring's name holds letters, digits, spaces, - and _, not \"%1\"")
                .Arg(name.toStdString())
                .Str());
    QDir().mkpath(WiringsFolder());
    const QString path =
        WiringsFolder() + QLatin1Char('/') + name.trimmed() + QStringLiteral(".wiring");
    if (const std::optional<QString> why =
            SaveText(path, chip::WiringText(chip, wiring, name.trimmed().toStdString())))
        throw program::SimError(Tr("Wiring", "cannot write the wiring %1: %2")
                                    .Arg(path.toStdString())
                                    .Arg(why->toStdString())
                                    .Str());
    return path;
}

QStringList WithRecentFile(QStringList recent, const QString& file) {
    recent.removeAll(file);
    recent.prepend(file);
    while (recent.size() > kRecentFiles) recent.removeLast();
    return recent;
}

std::optional<QRect> PlaceOnScreens(const QRect& saved, const QList<QRect>& screens) {
    if (!saved.isValid()) return std::nullopt;
    const QRect title(saved.left(), saved.top(), saved.width(), kTitleHeight);
    for (const QRect& screen : screens) {
        const QRect shown = title.intersected(screen);
        if (shown.width() >= std::min(kGrabWidth, saved.width()) && shown.height() >= 10)
            return saved;
    }
    return std::nullopt;
}

PlayerMemory PlayerMemory::Read(QSettings& settings) {
    PlayerMemory memory;
    memory.recentFiles = settings.value(QStringLiteral("files/recent")).toStringList();
    memory.chip = settings.value(QStringLiteral("cube/chip")).toString();
    memory.wiring = settings.value(QStringLiteral("cube/wiring")).toString();
    memory.programmer = settings.value(QStringLiteral("flash/programmer")).toString();
    memory.port = settings.value(QStringLiteral("flash/port")).toString();
    memory.speedIndex = settings.value(QStringLiteral("play/speed"), -1).toInt();
    memory.panelShown = settings.value(QStringLiteral("window/panel"), true).toBool();
    const QRect place = settings.value(QStringLiteral("window/place")).toRect();
    if (place.isValid()) memory.place = place;
    return memory;
}

void PlayerMemory::Write(QSettings& settings) const {
    settings.setValue(QStringLiteral("files/recent"), recentFiles);
    settings.setValue(QStringLiteral("cube/chip"), chip);
    settings.setValue(QStringLiteral("cube/wiring"), wiring);
    settings.setValue(QStringLiteral("flash/programmer"), programmer);
    settings.setValue(QStringLiteral("flash/port"), port);
    settings.setValue(QStringLiteral("play/speed"), speedIndex);
    settings.setValue(QStringLiteral("window/panel"), panelShown);
    if (place) settings.setValue(QStringLiteral("window/place"), *place);
    settings.sync();
}

}  // namespace ledcube::player
