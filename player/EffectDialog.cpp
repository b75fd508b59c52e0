// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/EffectDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <thread>

#include "firmware/FirmwareText.h"
#include "pipeline/BuildPipeline.h"
#include "program/ProgramReader.h"
#include "program/SimError.h"
#include "ui/LampWidget.h"

namespace ledcube::player {

namespace {

const QString kFormula = QStringLiteral("formula");
const QString kFormulaBody = QStringLiteral("return (x + y + z + t) % 3 == 0;");

QString Title(const std::string& name) {
    QString title = QString::fromStdString(name);
    if (!title.isEmpty()) title[0] = title[0].toUpper();
    return title;
}

}  // namespace

EffectDialog::EffectDialog(std::vector<effects::Effect> effects, const chip::Chip& chip,
                           std::function<EffectRoom(const std::vector<CellState>&, int)> room,
                           QWidget* parent)
    : QDialog(parent),
      effects_(std::move(effects)),
      chip_(chip),
      room_(std::move(room)),
      list_(new QListWidget(this)),
      settings_(new QFormLayout),
      formula_(new QPlainTextEdit(kFormulaBody, this)),
      frameCount_(new QSpinBox(this)),
      ms_(new QSpinBox(this)),
      problem_(new QLabel(this)),
      roomLine_(new QLabel(this)),
      preview_(new CubeView(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      remakeSoon_(new QTimer(this)),
      ticker_(new QTimer(this)) {
    setWindowTitle(tr("Insert an effect"));
    for (const effects::Effect& effect : effects_) {
        auto* item = new QListWidgetItem(Title(effect.name), list_);
        item->setData(Qt::UserRole, QString::fromStdString(effect.name));
    }
    auto* formulaItem = new QListWidgetItem(tr("Formula"), list_);
    formulaItem->setData(Qt::UserRole, kFormula);
    list_->setMaximumWidth(160);
    formula_->setToolTip(
        tr("The body of lit(x, y, z, t, n): x the column from the left, y the row from the back, "
           "z the layer from the bottom (each 0 to 2), t the frame from 0 of n"));
    formula_->setMaximumHeight(90);
    frameCount_->setRange(1, 10000);
    frameCount_->setValue(effects::kEffectFrames);
    ms_->setRange(1, 60000);
    ms_->setValue(effects::kEffectFrameMs);
    ms_->setSuffix(tr(" ms"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    roomLine_->setWordWrap(true);
    preview_->setMinimumSize(240, 240);

    auto* form = new QFormLayout;
    form->addRow(tr("Frames:"), frameCount_);
    form->addRow(tr("Each:"), ms_);
    auto* left = new QVBoxLayout;
    left->addLayout(settings_);
    left->addWidget(formula_);
    left->addLayout(form);
    left->addWidget(problem_);
    left->addWidget(roomLine_);
    left->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(list_);
    row->addLayout(left, 1);
    row->addWidget(preview_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    remakeSoon_->setSingleShot(true);
    remakeSoon_->setInterval(250);
    connect(remakeSoon_, &QTimer::timeout, this, &EffectDialog::Remake);
    ticker_->setInterval(40);
    connect(ticker_, &QTimer::timeout, this, &EffectDialog::Tick);
    connect(list_, &QListWidget::currentRowChanged, this, &EffectDialog::EffectChosen);
    connect(formula_, &QPlainTextEdit::textChanged, remakeSoon_, qOverload<>(&QTimer::start));
    connect(frameCount_, &QSpinBox::valueChanged, remakeSoon_, qOverload<>(&QTimer::start));
    connect(ms_, &QSpinBox::valueChanged, remakeSoon_, qOverload<>(&QTimer::start));
    list_->setCurrentRow(0);
    resize(760, 420);
}

EffectDialog::~EffectDialog() = default;

void EffectDialog::ChooseEffect(const QString& name) {
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->data(Qt::UserRole).toString() == name) list_->setCurrentRow(row);
}

void EffectDialog::SetSetting(const QString& name, const QString& value) {
    for (const auto& [setting, control] : controls_) {
        if (QString::fromStdString(setting) != name) continue;
        if (auto* box = qobject_cast<QComboBox*>(control)) box->setCurrentText(value);
        if (auto* spin = qobject_cast<QSpinBox*>(control)) spin->setValue(value.toInt());
        if (auto* real = qobject_cast<QDoubleSpinBox*>(control)) real->setValue(value.toDouble());
    }
    Remake();
}

void EffectDialog::SetFormula(const QString& body) {
    formula_->setPlainText(body);
    Remake();
}

void EffectDialog::SetFrames(int frames) {
    frameCount_->setValue(frames);
    Remake();
}

void EffectDialog::SetMs(int ms) {
    ms_->setValue(ms);
    Remake();
}

QString EffectDialog::EffectTitle() const {
    const QListWidgetItem* item = list_->currentItem();
    return item != nullptr ? item->text() : QString();
}

int EffectDialog::Ms() const {
    return ms_->value();
}

QString EffectDialog::ProblemText() const {
    return problem_->text();
}

QString EffectDialog::RoomText() const {
    return roomLine_->text();
}

void EffectDialog::EffectChosen() {
    while (settings_->rowCount() > 0) settings_->removeRow(0);
    controls_.clear();
    const QListWidgetItem* item = list_->currentItem();
    const bool formula = item != nullptr && item->data(Qt::UserRole).toString() == kFormula;
    formula_->setVisible(formula);
    for (const effects::Effect& effect : effects_) {
        if (item == nullptr || QString::fromStdString(effect.name) != item->data(Qt::UserRole))
            continue;
        for (const effects::Setting& setting : effect.settings) {
            QWidget* control = nullptr;
            const QString byDefault = QString::fromStdString(setting.byDefault);
            if (setting.kind == effects::Setting::Kind::Choice) {
                auto* box = new QComboBox(this);
                for (const std::string& choice : setting.choices)
                    box->addItem(QString::fromStdString(choice));
                box->setCurrentText(byDefault);
                connect(box, &QComboBox::currentIndexChanged, remakeSoon_,
                        qOverload<>(&QTimer::start));
                control = box;
            } else if (setting.kind == effects::Setting::Kind::Integer) {
                auto* spin = new QSpinBox(this);
                spin->setRange(static_cast<int>(setting.least), static_cast<int>(setting.most));
                spin->setValue(byDefault.toInt());
                connect(spin, &QSpinBox::valueChanged, remakeSoon_, qOverload<>(&QTimer::start));
                control = spin;
            } else {
                auto* real = new QDoubleSpinBox(this);
                real->setRange(setting.least, setting.most);
                real->setDecimals(2);
                real->setSingleStep((setting.most - setting.least) / 20);
                real->setValue(byDefault.toDouble());
                connect(real, &QDoubleSpinBox::valueChanged, remakeSoon_,
                        qOverload<>(&QTimer::start));
                control = real;
            }
            settings_->addRow(QString::fromStdString(setting.name) + QStringLiteral(":"), control);
            controls_.emplace_back(setting.name, control);
        }
    }
    Remake();
}

effects::SettingValues EffectDialog::Values() const {
    effects::SettingValues values;
    for (const auto& [name, control] : controls_) {
        if (const auto* box = qobject_cast<const QComboBox*>(control))
            values[name] = box->currentText().toStdString();
        else if (const auto* spin = qobject_cast<const QSpinBox*>(control))
            values[name] = std::to_string(spin->value());
        else if (const auto* real = qobject_cast<const QDoubleSpinBox*>(control))
            values[name] = QString::number(real->value(), 'g', 12).toStdString();
    }
    return values;
}

void EffectDialog::Remake() {
    remakeSoon_->stop();
    frames_.clear();
    problem_->clear();
    const QListWidgetItem* item = list_->currentItem();
    try {
        effects::Effect effect;
        if (item != nullptr && item->data(Qt::UserRole).toString() == kFormula) {
            effect = effects::FormulaEffect(formula_->toPlainText().toStdString());
        } else {
            for (const effects::Effect& each : effects_)
                if (item != nullptr &&
                    QString::fromStdString(each.name) == item->data(Qt::UserRole))
                    effect = each;
        }
        frames_ = effects::RunEffect(effect, effects::ChooseValues(effect, Values()),
                                     frameCount_->value());
    } catch (const program::SimError& error) {
        problem_->setText(QString::fromStdString(error.what()));
    }
    const EffectRoom room = frames_.empty() ? EffectRoom{} : room_(frames_, ms_->value());
    roomLine_->setText(room.text);
    fits_ = room.fits;
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!frames_.empty());
    BuildPreview();
}

void EffectDialog::BuildPreview() {
    ++generation_;
    ticker_->stop();
    player_.reset();
    preview_->SetGlow({});
    if (frames_.empty()) return;
    const std::string text = effects::EffectProgram(frames_, ms_->value());
    pipeline::BuildPlan plan;
    plan.chip = chip_;
    plan.kind = pipeline::BuildKind::UnrolledElseCompact;
    QPointer<EffectDialog> self(this);
    const int generation = generation_;
    std::thread([self, text, plan, generation] {
        std::shared_ptr<pipeline::BuiltProgram> built;
        QString problem;
        try {
            built = std::make_shared<pipeline::BuiltProgram>(
                pipeline::BuildProgram({text, program::ReadProgram(text), "effect.c"}, plan));
            if (!built->firmware.sizes.Fits())
                problem = tr("the frames do not fit the chip's flash for a preview");
        } catch (const std::exception& error) {
            problem = QString::fromStdString(error.what());
        }
        const std::filesystem::path hex = built ? built->firmware.hex : std::filesystem::path();
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, built, hex, problem] {
                if (self) self->PreviewBuilt(generation, built, hex, problem);
            },
            Qt::QueuedConnection);
    }).detach();
}

void EffectDialog::PreviewBuilt(int generation, const std::shared_ptr<void>& keep,
                                const std::filesystem::path& hex, const QString& problem) {
    if (generation != generation_) return;
    if (!problem.isEmpty()) {
        problem_->setText(problem);
        return;
    }
    built_ = keep;
    player_ = std::make_unique<chip::CubePlayer>(hex, std::nullopt, chip::WallClock(), chip_);
    ticker_->start();
}

void EffectDialog::Tick() {
    if (!player_) return;
    player_->Advance();
    const chip::PlayerFrame frame = player_->Frame();
    CubeGlow glow{};
    for (std::size_t n = 0; n < glow.size(); ++n) glow[n] = frame.glow[n];
    preview_->SetGlow(glow);
}

}  // namespace ledcube::player
