// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
#include <utility>

namespace {

struct Message {
    QString translation;
    bool finished = false;
};

// The messages of a catalog by context and English text.
std::map<std::pair<QString, QString>, Message> ReadCatalog(const QString& path) {
    std::map<std::pair<QString, QString>, Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return messages;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText();
            messages[{context, source}] = {text, type.isEmpty() && !text.isEmpty()};
        }
    }
    return messages;
}

const QString kCatalog = QStringLiteral(LEDCUBE_SOURCE_DIR "/translations/ledcube_fr.ts");

TEST(Catalog, HoldsEveryTextOfTheSourcesTranslated) {
    // The texts as they stand in the sources now, gathered as the build gathers them.
    const QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString fresh = scratch.filePath(QStringLiteral("ledcube_fr.ts"));
    QStringList arguments = {QStringLiteral("-tr-function-alias"),
                             QStringLiteral("translate+=Tr"),
                             QStringLiteral("-locations"),
                             QStringLiteral("none"),
                             QStringLiteral("-silent"),
                             QStringLiteral("-I"),
                             QStringLiteral(LEDCUBE_SOURCE_DIR)};
    for (const char* folder : {"base", "model", "firmware", "workflow", "program", "chip",
                               "compact", "live", "effects", "gif", "sim", "ui", "player", "app"})
        arguments << QDir(QStringLiteral(LEDCUBE_SOURCE_DIR)).filePath(QString::fromLatin1(folder));
    arguments << QStringLiteral("-ts") << fresh;
    QProcess lupdate;
    lupdate.start(QStringLiteral(LEDCUBE_LUPDATE), arguments);
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const auto texts = ReadCatalog(fresh);
    ASSERT_GT(texts.size(), 300u) << "lupdate found too few texts";
    const auto catalog = ReadCatalog(kCatalog);
    for (const auto& [key, unused] : texts) {
        const auto found = catalog.find(key);
        const std::string where =
            key.first.toStdString() + ": \"" + key.second.toStdString() + "\"";
        if (found == catalog.end())
            ADD_FAILURE() << "missing from the French catalog (cmake --build build --target "
                             "update_translations): "
                          << where;
        else if (!found->second.finished)
            ADD_FAILURE() << "left unfinished in the French catalog: " << where;
    }
}

// The markers of a text, sorted: "%2 of %1 (%2)" has %1, %2, %2.
QStringList Markers(const QString& text) {
    QStringList markers;
    for (const QRegularExpressionMatch& match :
         QRegularExpression(QStringLiteral("%[1-9n]")).globalMatch(text))
        markers << match.captured();
    markers.sort();
    return markers;
}

TEST(Catalog, EveryFrenchTextKeepsTheMarkersOfItsEnglish) {
    const auto catalog = ReadCatalog(kCatalog);
    ASSERT_FALSE(catalog.empty()) << kCatalog.toStdString();
    for (const auto& [key, message] : catalog) {
        if (!message.finished) continue;
        EXPECT_EQ(Markers(message.translation), Markers(key.second))
            << key.first.toStdString() << ": \"" << key.second.toStdString() << "\" became \""
            << message.translation.toStdString() << "\"";
    }
}

}  // namespace
