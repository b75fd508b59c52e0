// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/LampWidget.h"
#include "ui/WindowLayout.h"

TForm1* Form1 = nullptr;

namespace {

using ledcube::ControlId;

// Room left below and right of the lowest and rightmost controls.
constexpr int kClientMargin = 8;

QRect ToQRect(const ledcube::Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

}  // namespace

QFont SansSerif(int points) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points);
    return font;
}

namespace {

QWidget* CreateControl(const ledcube::ControlSpec& entry, QWidget* parent) {
    const QString caption = QString::fromUtf8(entry.caption);
    QRect rect = ToQRect(entry.rect);
    switch (entry.kind) {
        case ledcube::ControlKind::Label: {
            auto* label = new QLabel(caption, parent);
            label->setGeometry(ToQRect(ledcube::LabelRect(
                entry, QFontMetrics(parent->font()).horizontalAdvance(caption))));
            label->setAlignment((entry.growsLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
            return label;
        }
        case ledcube::ControlKind::RadioButton: {
            auto* radio = new QRadioButton(caption, parent);
            radio->setGeometry(rect);
            return radio;
        }
        case ledcube::ControlKind::Button: {
            auto* button = new QPushButton(caption, parent);
            button->setAutoDefault(false);  // neither Enter nor Escape presses a button
            button->setDefault(false);
            button->setGeometry(rect);
            return button;
        }
        case ledcube::ControlKind::EditBox: {
            auto* edit = new QLineEdit(parent);
            edit->setGeometry(rect);
            return edit;
        }
    }
    throw std::logic_error("unknown control kind");
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent), scroll_(new QScrollArea(this)), client_(new QWidget) {
    setWindowTitle(QStringLiteral("Form1"));
    // The window's face is the application's (EditorFont): one font for all.
    if (QApplication::font() != EditorFont()) setFont(EditorFont());
    // The controls sit at their places in a client area that scrolls when the
    // screen is too small for the window; at the window's own size it does not.
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    CreateControls();
    CreateCells();
    CreateStatusLine();
    QRect used;
    for (const QWidget* control : controls_) used |= control->geometry();
    used |= status_->geometry();
    client_->setMinimumSize(used.right() + kClientMargin, used.bottom() + kClientMargin);
    scroll_->setWidget(client_);
    PlaceOnScreen(QSize());
    SetTabOrder();
    BindEvents();
    workflow_.ShowFileToolTip();
}

void TForm1::CreateControls() {
    for (const ledcube::ControlSpec& entry : ledcube::MainControls()) {
        QWidget* control = CreateControl(entry, client_);
        control->setObjectName(QString::fromStdString(ledcube::ControlName(entry.id)));
        control->setHidden(!entry.shownAtStart);
        controls_[static_cast<int>(entry.id)] = control;
    }
    static_cast<QRadioButton*>(Control(ControlId::Etage1))->setChecked(true);
}

void TForm1::CreateStatusLine() {
    // Below the cube, where the window has room: no control moves for it.
    status_ = new QLabel(client_);
    status_->setObjectName(QStringLiteral("Etat"));
    status_->setGeometry(ToQRect(ledcube::kStatusLineRect));
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TForm1::CreateCells() {
    for (int n = 1; n <= ledcube::kCellCount; ++n) {
        auto* box = new QCheckBox(client_);
        box->setObjectName(QString::fromStdString(ledcube::ControlName(ledcube::CheckBoxOf(n))));
        box->setGeometry(ToQRect(ledcube::CheckBoxRect(n)));
        box->setHidden(ledcube::PlaceOf(n).layer != 1);
        controls_[static_cast<int>(ledcube::CheckBoxOf(n))] = box;

        auto* lamp = new CubeLamp(client_);
        lamp->setObjectName(QString::fromStdString(ledcube::ControlName(ledcube::IndicatorOf(n))));
        lamp->setGeometry(ToQRect(ledcube::IndicatorRect(n)));
        lamp->SetLampHeight(ledcube::LampHeight(n));
        if (ledcube::PlaceOf(n).row == 2) lamp->setFont(SansSerif(10));  // the front row's own face
        controls_[static_cast<int>(ledcube::IndicatorOf(n))] = lamp;
    }
}

void TForm1::SetTabOrder() {
    std::vector<std::pair<int, QWidget*>> order;
    for (int n = 1; n <= ledcube::kCellCount; ++n)
        order.emplace_back(ledcube::CheckBoxTabOrder(n), Control(ledcube::CheckBoxOf(n)));
    for (const ledcube::ControlSpec& entry : ledcube::MainControls())
        if (entry.tabOrder >= 0) order.emplace_back(entry.tabOrder, Control(entry.id));
    std::sort(order.begin(), order.end());
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

void TForm1::BindEvents() {
    using Handler = void (TForm1::*)();
#define LEDCUBE_CELL_HANDLER_ADDRESS(n) &TForm1::D##n##Click,
    static constexpr Handler kCellHandlers[] = {
        LEDCUBE_FOR_EACH_CELL(LEDCUBE_CELL_HANDLER_ADDRESS)};
#undef LEDCUBE_CELL_HANDLER_ADDRESS
    for (int n = 1; n <= ledcube::kCellCount; ++n)
        connect(static_cast<QCheckBox*>(Control(ledcube::CheckBoxOf(n))), &QCheckBox::clicked, this,
                kCellHandlers[n - 1]);

    // A layer is chosen however its button gets checked: click, arrow key or space.
    const std::pair<ControlId, Handler> layers[] = {{ControlId::Etage1, &TForm1::Etage1Click},
                                                    {ControlId::Etage2, &TForm1::Etage2Click},
                                                    {ControlId::Etage3, &TForm1::Etage3Click}};
    for (const auto& [id, handler] : layers) {
        connect(static_cast<QRadioButton*>(Control(id)), &QRadioButton::toggled, this, handler);
        Control(id)->installEventFilter(this);
    }

    const std::pair<ControlId, Handler> buttons[] = {
        {ControlId::TAllumer, &TForm1::TAllumerClick},
        {ControlId::TEteindre, &TForm1::TEteindreClick},
        {ControlId::EAllumer, &TForm1::EAllumerClick},
        {ControlId::EEteindre, &TForm1::EEteindreClick},
        {ControlId::Commencer, &TForm1::CommencerClick},
        {ControlId::BP1, &TForm1::BP1Click},
        {ControlId::BP2, &TForm1::BP2Click},
        {ControlId::BP3, &TForm1::BP3Click},
        {ControlId::Aucun, &TForm1::AucunClick},
        {ControlId::Suivant, &TForm1::SuivantClick},
        {ControlId::FinirBP, &TForm1::FinirBPClick},
        {ControlId::Finir, &TForm1::FinirClick}};
    for (const auto& [id, handler] : buttons)
        connect(static_cast<QPushButton*>(Control(id)), &QPushButton::clicked, this, handler);

    connect(Edit(ControlId::Nomf), &QLineEdit::textChanged, this, &TForm1::NomfChange);
    connect(Edit(ControlId::Temps), &QLineEdit::returnPressed, this, &TForm1::TempsEnter);
    connect(Edit(ControlId::Nomf), &QLineEdit::returnPressed, this, &TForm1::NomfEnter);
}

#define LEDCUBE_DEFINE_CELL_HANDLER(n)                      \
    void TForm1::D##n##Click() {                            \
        ledcube::Guarded([this] { editor_.CellClick(n); }); \
    }
LEDCUBE_FOR_EACH_CELL(LEDCUBE_DEFINE_CELL_HANDLER)
#undef LEDCUBE_DEFINE_CELL_HANDLER

void TForm1::Etage1Click() {
    ledcube::Guarded([this] { editor_.LayerClick(1); });
}
void TForm1::Etage2Click() {
    ledcube::Guarded([this] { editor_.LayerClick(2); });
}
void TForm1::Etage3Click() {
    ledcube::Guarded([this] { editor_.LayerClick(3); });
}
void TForm1::TAllumerClick() {
    ledcube::Guarded([this] { editor_.TAllumerClick(); });
}
void TForm1::TEteindreClick() {
    ledcube::Guarded([this] { editor_.TEteindreClick(); });
}
void TForm1::EAllumerClick() {
    ledcube::Guarded([this] { editor_.EAllumerClick(); });
}
void TForm1::EEteindreClick() {
    ledcube::Guarded([this] { editor_.EEteindreClick(); });
}

void TForm1::CommencerClick() {
    ledcube::Guarded([this] { workflow_.CommencerClick(); });
}
void TForm1::BP1Click() {
    ledcube::Guarded([this] { workflow_.SwitchClick(ledcube::SwitchCombination::BP1); });
}
void TForm1::BP2Click() {
    ledcube::Guarded([this] { workflow_.SwitchClick(ledcube::SwitchCombination::BP2); });
}
void TForm1::BP3Click() {
    ledcube::Guarded([this] { workflow_.SwitchClick(ledcube::SwitchCombination::BP3); });
}
void TForm1::AucunClick() {
    ledcube::Guarded([this] { workflow_.SwitchClick(ledcube::SwitchCombination::Aucun); });
}
void TForm1::SuivantClick() {
    ledcube::Guarded([this] { workflow_.SuivantClick(); });
}
void TForm1::FinirBPClick() {
    ledcube::Guarded([this] { workflow_.FinirBPClick(); });
}
void TForm1::FinirClick() {
    ledcube::Guarded([this] { workflow_.FinirClick(); });
}

void TForm1::NomfChange() {
    ledcube::Guarded([this] { workflow_.NomfChange(); });
}
void TForm1::TempsEnter() {
    ledcube::Guarded([this] { workflow_.TempsEnter(); });
}
void TForm1::NomfEnter() {
    ledcube::Guarded([this] { workflow_.NomfEnter(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool close = true;
    ledcube::Guarded([&] { close = workflow_.MayClose(); });
    if (!close) event->ignore();
}

void TForm1::SetVisible(ControlId id, bool visible) {
    Control(id)->setVisible(visible);
}

bool TForm1::IsVisible(ControlId id) const {
    return !Control(id)->isHidden();
}

void TForm1::ShowStatus(const std::string& text) {
    status_->setText(QString::fromStdString(text));
}

std::string TForm1::GetText(ControlId id) const {
    return Edit(id)->text().toStdString();
}

void TForm1::SetReadOnly(ControlId id, bool readOnly) {
    Edit(id)->setReadOnly(readOnly);
}

bool TForm1::IsChecked(ControlId id) const {
    return static_cast<QAbstractButton*>(Control(id))->isChecked();
}

void TForm1::SetChecked(ControlId id, bool checked) {
    static_cast<QAbstractButton*>(Control(id))->setChecked(checked);
}

void TForm1::SetLit(ControlId id, bool lit) {
    static_cast<CubeLamp*>(Control(id))->SetLit(lit);
}

void TForm1::SetToolTip(ControlId id, const std::string& text) {
    Control(id)->setToolTip(QString::fromStdString(text));
}

bool TForm1::Confirm(const std::string& question) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), QString::fromStdString(question),
                    QMessageBox::NoButton, this);
    QPushButton* oui =
        box.addButton(QString::fromStdString(ledcube::Tr("Editor", "Yes")), QMessageBox::YesRole);
    QPushButton* non =
        box.addButton(QString::fromStdString(ledcube::Tr("Editor", "No")), QMessageBox::NoRole);
    box.setDefaultButton(non);
    box.setEscapeButton(non);
    box.exec();
    return box.clickedButton() == oui;
}

QLineEdit* TForm1::Edit(ControlId id) const {
    auto* edit = qobject_cast<QLineEdit*>(Control(id));
    if (edit == nullptr) throw std::logic_error(ledcube::ControlName(id) + " is not an edit box");
    return edit;
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitOuterSize();
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    FitOuterSize();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitOuterSize();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The layer buttons are one tab stop: Tab lands on the checked one.
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* radio = qobject_cast<QRadioButton*>(watched);
        if (radio != nullptr && !radio->isChecked() &&
            (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            for (int layer = 1; layer <= ledcube::kLayerCount; ++layer) {
                QWidget* button = Control(ledcube::LayerButtonOf(layer));
                if (IsChecked(ledcube::LayerButtonOf(layer)) && button->isVisible())
                    button->setFocus(reason);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::FitOuterSize() {
    // The window manager adds its frame some time after the window is shown: the
    // first time a frame is known, the client area shrinks so that the whole
    // window keeps the layout's outer size and place.
    const QSize frame = frameGeometry().size() - size();
    if (frameFitted_ || !isVisible() || frame.isNull()) return;
    frameFitted_ = true;
    PlaceOnScreen(frame);
}

void TForm1::PlaceOnScreen(QSize frame) {
    const QRect free = screen()->availableGeometry();
    const ledcube::Rect outer = ledcube::PlaceWindowFrame(
        ledcube::kWindowFrame, {free.left(), free.top(), free.width(), free.height()});
    resize(outer.width - frame.width(), outer.height - frame.height());
    move(outer.left, outer.top);
}
