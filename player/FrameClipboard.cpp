// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/FrameClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "program/SimError.h"

namespace ledcube::player {

namespace {

const QString kFramesType = QStringLiteral("application/x-ledcube-frames");

}  // namespace

void CopyFramesToClipboard(const std::vector<program::AnimationFrame>& frames) {
    const QByteArray text = QByteArray::fromStdString(program::FramesText(frames));
    auto* data = new QMimeData;
    data->setData(kFramesType, text);
    data->setText(QString::fromLatin1(text));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::vector<program::AnimationFrame> FramesOnClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) return {};
    return program::FramesFromText(data->hasFormat(kFramesType)
                                       ? data->data(kFramesType).toStdString()
                                       : data->text().toStdString());
}

}  // namespace ledcube::player
