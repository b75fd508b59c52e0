// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/WiringDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "chip/WiringFile.h"
#include "player/PlayerSettings.h"

namespace ledcube::player {

namespace {

// A box of the drawing: its width and height, and the gap between the DIP's columns.
constexpr int kBoxWidth = 92;
constexpr int kBoxHeight = 18;
constexpr int kDipGap = 60;

}  // namespace

std::vector<HeaderPlace> HeaderLayout(const chip::Chip& chip) {
    std::vector<HeaderPlace> places;
    const auto port = [&](char letter, int bit) {
        return std::optional<chip::Pin>(chip::Pin{letter, bit});
    };
    if (chip.wiring == chip::Wiring::Arduino) {
        for (int d = 13; d >= 0; --d) {
            const chip::Pin pin = d < 8 ? chip::Pin{'D', d} : chip::Pin{'B', d - 8};
            places.push_back({QStringLiteral("D%1").arg(d), 13 - d, 0, pin});
        }
        for (int a = 0; a < 6; ++a)
            places.push_back({QStringLiteral("A%1").arg(a), a, 1, port('C', a)});
        if (std::string_view(chip.id).starts_with("nano"))
            for (int a = 6; a < 8; ++a) places.push_back({QStringLiteral("A%1").arg(a), a, 1, {}});
        return places;
    }
    // The 40-pin DIP, pin 1 at the top of the left column, pin 40 at the top of the right.
    std::vector<HeaderPlace> dip;
    for (int bit = 0; bit < 8; ++bit)
        dip.push_back({QStringLiteral("PB%1").arg(bit), 0, 0, port('B', bit)});
    for (const char* other : {"RESET", "VCC", "GND", "XTAL2", "XTAL1"})
        dip.push_back({QString::fromLatin1(other), 0, 0, {}});
    for (int bit = 0; bit < 8; ++bit)
        dip.push_back({QStringLiteral("PD%1").arg(bit), 0, 0, port('D', bit)});
    for (int bit = 0; bit < 8; ++bit)
        dip.push_back({QStringLiteral("PC%1").arg(bit), 0, 0, port('C', bit)});
    for (const char* other : {"AVCC", "GND", "AREF"})
        dip.push_back({QString::fromLatin1(other), 0, 0, {}});
    for (int bit = 7; bit >= 0; --bit)
        dip.push_back({QStringLiteral("PA%1").arg(bit), 0, 0, port('A', bit)});
    for (int n = 0; n < 40; ++n) {
        dip[static_cast<std::size_t>(n)].column = n < 20 ? 0 : 1;
        dip[static_cast<std::size_t>(n)].row = n < 20 ? n : 39 - n;
    }
    return dip;
}

void HeaderView::Show(const chip::Chip& chip, const chip::PinWiring& wiring) {
    chip_ = chip;
    wiring_ = wiring;
    setMinimumSize(sizeHint());
    updateGeometry();
    update();
}

QSize HeaderView::sizeHint() const {
    if (chip_.wiring == chip::Wiring::Arduino)
        return {14 * (kBoxWidth / 2 + 4), 4 * kBoxHeight + 8};
    return {2 * kBoxWidth + kDipGap + 8, 20 * kBoxHeight + 8};
}

void HeaderView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    const bool board = chip_.wiring == chip::Wiring::Arduino;
    if (!board) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(kBoxWidth + 4, 2, kDipGap, 20 * kBoxHeight + 2);
        painter.drawText(QRect(kBoxWidth + 4, 2, kDipGap, 20 * kBoxHeight), Qt::AlignCenter,
                         QString::fromUtf8(chip_.name));
    }
    for (const HeaderPlace& place : HeaderLayout(chip_)) {
        QString line;
        if (place.pin)
            for (int n = 0; n < chip::kWiredLines; ++n)
                if (chip::LinePin(wiring_, n) == *place.pin)
                    line = QString::fromStdString(chip::LineName(n));
        QRect box;
        if (board) {
            const int width = kBoxWidth / 2;
            box = QRect(4 + place.column * (width + 4), 4 + place.row * 2 * kBoxHeight, width,
                        2 * kBoxHeight - 4);
        } else {
            box = QRect(place.column == 0 ? 2 : kBoxWidth + kDipGap + 6, 4 + place.row * kBoxHeight,
                        kBoxWidth, kBoxHeight - 2);
        }
        painter.setPen(palette().color(QPalette::Mid));
        painter.setBrush(line.isEmpty() ? palette().color(QPalette::Base)
                                        : palette().color(QPalette::Highlight));
        painter.drawRect(box);
        painter.setPen(line.isEmpty() ? palette().color(QPalette::Text)
                                      : palette().color(QPalette::HighlightedText));
        const QString text = board            ? place.label + QLatin1Char('\n') + line
                             : line.isEmpty() ? place.label
                                              : place.label + QStringLiteral(" ") + line;
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

WiringDialog::WiringDialog(const chip::Chip& chip, const QString& name, QWidget* parent)
    : QDialog(parent),
      chip_(chip),
      pins_(chip::ChipPins(chip)),
      name_(new QLineEdit(name, this)),
      header_(new HeaderView(this)),
      problem_(new QLabel(this)) {
    setWindowTitle(tr("Wiring — %1").arg(QString::fromUtf8(chip.name)));
    auto* form = new QFormLayout;
    form->addRow(tr("Name:"), name_);
    const chip::PinWiring wiring = chip::WiringOf(chip);
    for (int line = 0; line < chip::kWiredLines; ++line) {
        auto* list = new QComboBox(this);
        const bool button = line >= 12;
        for (const chip::ChipPin& pin : pins_)
            if (button ? pin.input : pin.output)
                list->addItem(QString::fromStdString(pin.name), QString::fromStdString(pin.name));
        lines_[static_cast<std::size_t>(line)] = list;
        form->addRow(QString::fromStdString(chip::LineName(line)) + QLatin1Char(':'), list);
        SetPin(line, chip::LinePin(wiring, line));
        connect(list, &QComboBox::currentIndexChanged, this, &WiringDialog::Refresh);
    }
    const QString levelNames[] = {tr("LEDs lit by a level:"), tr("Layers on at a level:"),
                                  tr("Buttons pressed read:")};
    for (int n = 0; n < 3; ++n) {
        auto* level = new QComboBox(this);
        level->addItem(tr("high"), true);
        level->addItem(tr("low"), false);
        levels_[static_cast<std::size_t>(n)] = level;
        form->addRow(levelNames[n], level);
        connect(level, &QComboBox::currentIndexChanged, this, &WiringDialog::Refresh);
    }
    SetLevels(wiring.ledsLitHigh, wiring.layersOnHigh, wiring.buttonsPressedHigh);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Save()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addWidget(header_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    Refresh();
}

chip::PinWiring WiringDialog::Wiring() const {
    chip::PinWiring wiring;
    for (int line = 0; line < chip::kWiredLines; ++line) {
        const QString name = lines_[static_cast<std::size_t>(line)]->currentData().toString();
        for (const chip::ChipPin& pin : pins_)
            if (QString::fromStdString(pin.name) == name) chip::LinePin(wiring, line) = pin.pin;
    }
    wiring.ledsLitHigh = levels_[0]->currentData().toBool();
    wiring.layersOnHigh = levels_[1]->currentData().toBool();
    wiring.buttonsPressedHigh = levels_[2]->currentData().toBool();
    return wiring;
}

void WiringDialog::SetPin(int line, const chip::Pin& pin) {
    QComboBox* list = lines_[static_cast<std::size_t>(line)];
    list->setCurrentIndex(list->findData(QString::fromStdString(chip::PinName(chip_, pin))));
}

void WiringDialog::SetLevels(bool ledsLitHigh, bool layersOnHigh, bool buttonsPressedHigh) {
    const bool high[] = {ledsLitHigh, layersOnHigh, buttonsPressedHigh};
    for (int n = 0; n < 3; ++n)
        levels_[static_cast<std::size_t>(n)]->setCurrentIndex(high[n] ? 0 : 1);
}

void WiringDialog::SetName(const QString& name) {
    name_->setText(name);
}

QString WiringDialog::ProblemText() const {
    return problem_->text();
}

QStringList WiringDialog::PinTexts(int line) const {
    QStringList texts;
    const QComboBox* list = lines_[static_cast<std::size_t>(line)];
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
}

void WiringDialog::Refresh() {
    const chip::PinWiring wiring = Wiring();
    // Each list names the line that takes a pin, and what else the pin is.
    for (int line = 0; line < chip::kWiredLines; ++line) {
        QComboBox* list = lines_[static_cast<std::size_t>(line)];
        for (int i = 0; i < list->count(); ++i) {
            const QString name = list->itemData(i).toString();
            QString text = name;
            for (const chip::ChipPin& pin : pins_) {
                if (QString::fromStdString(pin.name) != name) continue;
                for (int other = 0; other < chip::kWiredLines; ++other)
                    if (other != line && chip::LinePin(wiring, other) == pin.pin)
                        text +=
                            QStringLiteral(" — ") +
                            tr("taken by %1").arg(QString::fromStdString(chip::LineName(other)));
                if (!pin.note.empty())
                    text += QStringLiteral(" (%1)").arg(QString::fromStdString(pin.note));
            }
            list->setItemText(i, text);
        }
    }
    header_->Show(chip_, wiring);
    problem_->clear();
}

bool WiringDialog::Save() {
    const std::string text = chip::WiringText(chip_, Wiring(), name_->text().toStdString());
    try {
        // What a wiring file would refuse is refused here, in the same words.
        chip::ReadWiring(text, (name_->text() + QStringLiteral(".wiring")).toStdString(), chip_);
        saved_ = SaveWiring(name_->text(), chip_, Wiring());
    } catch (const std::exception& error) {
        problem_->setText(QString::fromStdString(error.what()));
        return false;
    }
    return true;
}

}  // namespace ledcube::player
