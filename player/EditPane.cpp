// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/EditPane.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "firmware/PassTiming.h"
#include "player/FramePanel.h"

namespace ledcube::player {

EditPane::EditPane(QWidget* parent)
    : QWidget(parent),
      panel_(new FramePanel(this)),
      duration_(new QLineEdit(this)),
      durationSays_(new QLabel(this)),
      state_(new QLabel(this)) {
    duration_->setPlaceholderText(tr("ms"));
    duration_->setToolTip(
        tr("The duration of the selected frames in milliseconds (Enter sets it)"));
    connect(duration_, &QLineEdit::returnPressed, this,
            [this] { emit DurationEntered(duration_->text()); });
    state_->setWordWrap(true);
    // Two lines: the edited copy's line wraps once in a narrow panel, and the
    // line keeps its place when empty, so the list below does not move under
    // the pointer when an edit makes it say something.
    state_->setMinimumHeight(2 * state_->fontMetrics().lineSpacing());

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(state_);
    box->addWidget(panel_, 1);
    auto* durationRow = new QHBoxLayout;
    durationRow->addWidget(new QLabel(tr("Duration:"), this));
    durationRow->addWidget(duration_, 1);
    durationRow->addWidget(new QLabel(tr("ms"), this));
    durationRow->addWidget(durationSays_);
    box->addLayout(durationRow);
}

QString EditPane::StateText() const {
    return state_->text();
}

void EditPane::ShowState(const QString& state) {
    state_->setText(state);
}

void EditPane::ShowDuration(int passes) {
    duration_->setText(QString::number(static_cast<long long>(passes) * 15));
}

void EditPane::ShowSelected(const std::vector<program::AnimationFrame>& selected, bool editable,
                            unsigned clockHz) {
    duration_->setEnabled(editable && !selected.empty());
    durationSays_->setText(selected.empty() ? QString()
                                            : QStringLiteral("= ") +
                                                  QString::fromStdString(PassesText(
                                                      selected.front().repeatCount, clockHz)));
}

}  // namespace ledcube::player
