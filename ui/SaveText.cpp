// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SaveText.h"

#include <QSaveFile>

namespace ledcube {

std::optional<QString> SaveText(const QString& path, const std::string& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit())
        return file.errorString();
    return std::nullopt;
}

}  // namespace ledcube
