// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace ledcube {

// Writes `text` to `path` whole or not at all, the file as it was until the
// new one is complete; the reason when it cannot be written.
std::optional<QString> SaveText(const QString& path, const std::string& text);

}  // namespace ledcube
