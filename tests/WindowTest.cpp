// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QThread>
#include <map>

#include "TempHome.h"
#include "WindowDriver.h"
#include "model/CellLayout.h"
#include "ui/Application.h"
#include "ui/LampWidget.h"

namespace ledcube {
namespace {

using enum ControlId;

// The window's controls as the layout gives them, transcribed independently
// of the program's own table.
struct Expected {
    ControlId id;
    const char* kind;
    int left, top, width, height;
    const char* caption;
    bool shown;
    int tabOrder;
};

const Expected kControls[] = {
    {Label1, "QLabel", 408, 144, 13, 13, "ms", false, -1},
    {Label2, "QLabel", 456, 32, 74, 13, "Nom du fichier :", true, -1},
    {Label3, "QLabel", 472, 144, 107, 13, "Choix de l'interrupteur :", false, -1},
    {Etage3, "QRadioButton", 328, 64, 65, 17, "Etage3", false, 27},
    {Etage2, "QRadioButton", 328, 88, 65, 17, "Etage2", false, 28},
    {Etage1, "QRadioButton", 328, 112, 73, 17, "Etage1", false, 29},
    {Suivant, "QPushButton", 328, 176, 81, 33, "Suivant", false, 30},
    {Temps, "QLineEdit", 328, 144, 65, 21, "", false, 31},
    {Nomf, "QLineEdit", 536, 24, 121, 21, "", true, 32},
    {Commencer, "QPushButton", 536, 56, 121, 33, "Commencer", true, 33},
    {Finir, "QPushButton", 328, 280, 81, 33, "Finir", false, 34},
    {BP1, "QPushButton", 616, 128, 57, 33, "BP1", false, 35},
    {BP2, "QPushButton", 616, 168, 57, 33, "BP2", false, 36},
    {BP3, "QPushButton", 616, 208, 57, 33, "BP3", false, 37},
    {Aucun, "QPushButton", 616, 248, 57, 33, "Aucun", false, 38},
    {FinirBP, "QPushButton", 328, 224, 81, 33, "FinirBP", false, 39},
    {TAllumer, "QPushButton", 24, 232, 105, 41, "Tout allumer", false, 40},
    {TEteindre, "QPushButton", 24, 280, 105, 41, "Tout eteindre", false, 41},
    {EEteindre, "QPushButton", 152, 280, 97, 41, "Eteindre l'étage", false, 42},
    {EAllumer, "QPushButton", 152, 232, 97, 41, "Allumer l'étage", false, 43},
};

QString Caption(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    return qobject_cast<QLineEdit*>(control)->text();
}

TEST(MainWindow, PlacesCaptionsAndShowsEveryControlAsAtStart) {
    TForm1 form;
    for (const Expected& e : kControls) {
        QWidget* control = form.Control(e.id);
        const std::string name = ControlName(e.id);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->parentWidget(), form.ClientArea()->widget()) << name;
        EXPECT_STREQ(control->metaObject()->className(), e.kind) << name;
        EXPECT_EQ(Caption(control), QString::fromUtf8(e.caption)) << name;
        EXPECT_EQ(!control->isHidden(), e.shown) << name;
        const QRect rect = control->geometry();
        EXPECT_EQ(rect.top(), e.top) << name;
        EXPECT_EQ(rect.height(), e.height) << name;
        if (e.tabOrder >= 0) {
            EXPECT_EQ(rect, QRect(e.left, e.top, e.width, e.height)) << name;
        } else {
            // Labels grow to fit their caption; "Nom du fichier :" grows to the left, away
            // from the box it names, the others to the right.
            EXPECT_GE(rect.width(), e.width) << name;
            EXPECT_GE(rect.width(), control->fontMetrics().horizontalAdvance(Caption(control)));
            if (e.id == Label2)
                EXPECT_EQ(rect.right(), e.left + e.width - 1);
            else
                EXPECT_EQ(rect.left(), e.left) << name;
        }
    }
    EXPECT_TRUE(form.IsChecked(Etage1));
    EXPECT_FALSE(form.IsChecked(Etage2));
    EXPECT_FALSE(form.IsChecked(Etage3));
}

TEST(MainWindow, PlacesTheCellGridAndTheCubeOfLamps) {
    TForm1 form;
    for (int n = 1; n <= kCellCount; ++n) {
        const CellPlace p = PlaceOf(n);
        auto* box = qobject_cast<QCheckBox*>(form.Control(CheckBoxOf(n)));
        ASSERT_NE(box, nullptr) << n;
        EXPECT_EQ(box->geometry(), QRect(88 + 64 * p.column, 64 + 64 * p.row, 17, 17)) << n;
        EXPECT_EQ(box->isHidden(), n > 9) << n;
        EXPECT_FALSE(box->isChecked()) << n;
        EXPECT_TRUE(box->text().isEmpty()) << n;

        auto* lamp = qobject_cast<CubeLamp*>(form.Control(IndicatorOf(n)));
        ASSERT_NE(lamp, nullptr) << n;
        EXPECT_EQ(lamp->geometry(),
                  QRect(320 - 40 * p.row + 120 * p.column, 608 - 120 * (p.layer - 1) + 32 * p.row,
                        17 + 8 * p.row, 33))
            << n;
        EXPECT_EQ(lamp->LampHeight(), 15 + 5 * p.row) << n;
        EXPECT_FALSE(lamp->IsLit()) << n;
        EXPECT_FALSE(lamp->isHidden()) << n;
        EXPECT_EQ(lamp->font().pointSize(), p.row == 2 ? 10 : 8) << n;
    }
    // Hand-checked corners of the picture: cell 1 back left of the bottom layer,
    // cell 27 front right of the top layer.
    EXPECT_EQ(form.Control(LED1)->geometry(), QRect(320, 608, 17, 33));
    EXPECT_EQ(form.Control(LED27)->geometry(), QRect(480, 432, 33, 33));
    // No two lamps overlap.
    for (int a = 1; a <= kCellCount; ++a)
        for (int b = a + 1; b <= kCellCount; ++b)
            EXPECT_FALSE(form.Control(IndicatorOf(a))
                             ->geometry()
                             .intersects(form.Control(IndicatorOf(b))->geometry()))
                << a << " and " << b;
}

TEST(MainWindow, TabOrderFollowsTheLayout) {
    TForm1 form;
    std::map<int, QWidget*> byOrder;
    for (const Expected& e : kControls)
        if (e.tabOrder >= 0) byOrder[e.tabOrder] = form.Control(e.id);
    const int layerOffset[] = {0, 2, 1};
    for (int n = 1; n <= kCellCount; ++n)
        byOrder[3 * (PlaceOf(n).position - 1) + layerOffset[PlaceOf(n).layer - 1]] =
            form.Control(CheckBoxOf(n));
    ASSERT_EQ(byOrder.size(), 44u);
    EXPECT_EQ(byOrder[1], form.Control(CheckBoxOf(19)));
    EXPECT_EQ(byOrder[2], form.Control(CheckBoxOf(10)));
    EXPECT_EQ(byOrder[26], form.Control(CheckBoxOf(18)));

    QWidget* widget = byOrder.begin()->second;
    for (auto it = std::next(byOrder.begin()); it != byOrder.end(); ++it) {
        QWidget* next = widget->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
        EXPECT_EQ(next, it->second) << "after tab order " << std::prev(it)->first;
        widget = it->second;
    }
}

TEST(MainWindow, TheLayerButtonsAreOneTabStopOnTheCheckedLayer) {
    test::TempHome home;
    test::WindowDriver driver;
    driver.Type(Nomf, "tabs");
    driver.Click(Commencer);
    driver.Click(Aucun);
    for (const int layer : {1, 2, 3}) {
        driver.Click(LayerButtonOf(layer));
        driver.Control(CheckBoxOf(9 * layer))->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), driver.Control(LayerButtonOf(layer))) << layer;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), driver.Control(Suivant)) << layer;
    }
}

TEST(MainWindow, OpensAt973By822WithTheIconAndTheSmallSansSerifFace) {
    test::WindowDriver driver;
    TForm1& form = driver.Form();
    // The window manager (or the offscreen platform) places the shown window when it gets to it.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return form.frameGeometry() == QRect(261, 141, 973, 822); }, 5000));
    EXPECT_EQ(form.windowTitle(), "Form1");
    EXPECT_EQ(form.frameGeometry().size(), QSize(973, 822));
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint(261, 141));
    EXPECT_TRUE(form.rect().contains(form.childrenRect()));
    EXPECT_EQ(form.font().pointSize(), 8);
    // The window's icon is the application's, the desktop's picture pixel for pixel.
    const QImage desktop(LEDCUBE_SOURCE_DIR "/resources/ledcube.png");
    EXPECT_EQ(desktop.size(), QSize(32, 32));
    EXPECT_LE(desktop.colorCount(), 16);
    EXPECT_GT(desktop.colorCount(), 0);  // a palette picture
    EXPECT_EQ(form.windowIcon().pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32),
              desktop.convertToFormat(QImage::Format_ARGB32));
    for (const Expected& e : kControls) {
        if (auto* button = qobject_cast<QPushButton*>(form.Control(e.id))) {
            EXPECT_FALSE(button->autoDefault() || button->isDefault()) << ControlName(e.id);
        }
    }
}

// Run on virtual screens smaller than the window: 1366×768, 1920×1080 at 150 %
// and 1024×600 (where the client area has to scroll).
TEST(SmallScreen, TheWholeWindowIsOnTheScreenAndTheClientAreaScrollsToTheBottomLayer) {
    test::WindowDriver driver;
    TForm1& form = driver.Form();
    const QRect free = form.screen()->availableGeometry();
    EXPECT_TRUE(QTest::qWaitFor([&] { return free.contains(form.frameGeometry()); }, 5000));
    ASSERT_LT(free.height(), 822) << "not a small screen";
    EXPECT_TRUE(free.contains(form.frameGeometry()))
        << form.frameGeometry().height() << " in " << free.height();
    EXPECT_EQ(form.frameGeometry().width(), std::min(973, free.width())) << "as wide as it fits";
    QScrollArea* area = form.ClientArea();
    // The front lamp of the bottom layer and the bottom row of bulk buttons come into view.
    for (const ControlId id : {IndicatorOf(3), TEteindre}) {
        QWidget* control = form.Control(id);
        control->show();
        area->ensureWidgetVisible(control);
        const QRect shown(control->mapTo(area->viewport(), QPoint(0, 0)), control->size());
        EXPECT_TRUE(area->viewport()->rect().contains(shown)) << ControlName(id);
    }
}

TEST(MainWindow, TypingTheNameFollowsItIntoThePathAndTheToolTip) {
    test::TempHome home;
    test::WindowDriver driver;
    QTest::keyClick(driver.Control(Nomf), Qt::Key_A);
    EXPECT_EQ(driver.Form().Path().Text(), "D:/a.c");
    QTest::keyClick(driver.Control(Nomf), Qt::Key_B);
    EXPECT_EQ(driver.Form().Path().Text(), "D:/ab.c");
    EXPECT_TRUE(driver.Control(Nomf)->toolTip().contains(
        QString::fromStdString((home.Drive() / "ab.c").string())))
        << driver.Control(Nomf)->toolTip().toStdString();
}

TEST(MainWindow, AFailingHandlerShowsItsMessageAndTheWindowGoesOn) {
    test::TempHome home;
    test::WindowDriver driver;
    // No name typed: the header cannot be written.
    const QString message = test::AnswerMessageBox([&] { driver.Click(Commencer); }).value_or("");
    EXPECT_TRUE(message.contains("No file name")) << message.toStdString();
    EXPECT_TRUE(driver.Shown(Commencer));
    EXPECT_FALSE(qobject_cast<QLineEdit*>(driver.Control(Nomf))->isReadOnly());
    driver.Type(Nomf, "cube");
    EXPECT_FALSE(test::AnswerMessageBox([&] { driver.Click(Commencer); }).has_value());
    EXPECT_TRUE(driver.Shown(BP1));
}

// An object whose event handling fails, as a handler without its guard would.
class Throwing : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("raised inside the loop");
        return QObject::event(event);
    }
};

TEST(Application, NoExceptionCrossesTheEventLoop) {
    Throwing target;
    const std::optional<QString> message = test::AnswerMessageBox([&] {
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(message, "raised inside the loop");
}

TEST(Application, GuardShowsEveryKindOfError) {
    const std::pair<std::function<void()>, std::optional<QString>> cases[] = {
        {[] { throw Exception("notre erreur"); }, "notre erreur"},
        {[] { throw std::out_of_range("out of range"); }, "out of range"},
        {[] { throw 42; }, ""},
    };
    for (const auto& [handler, text] : cases)
        EXPECT_EQ(test::AnswerMessageBox([&] { Guarded(handler); }), text);
}

TEST(Application, AnErrorOnAWorkerThreadIsShownFromTheGuiThread) {
    const std::optional<QString> message = test::AnswerMessageBox([] {
        std::unique_ptr<QThread> worker(
            QThread::create([] { Guarded([] { throw Exception("sur un autre fil"); }); }));
        worker->start();
        worker->wait();
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(message, "sur un autre fil");
}

TEST(CubeLamp, PaintsItsBrightnessFromMaroonToRedOnTheLeft) {
    const std::pair<double, QColor> cases[] = {{0.0, QColor("#800000")},
                                               {0.5, QColor("#C00000")},
                                               {1.0, QColor("#FF0000")},
                                               {-1.0, QColor("#800000")},
                                               {7.0, QColor("#FF0000")}};
    for (const auto& [brightness, colour] : cases) {
        CubeLamp lamp;
        lamp.resize(33, 33);
        lamp.SetLampHeight(25);
        lamp.SetBrightness(brightness);
        QImage image(lamp.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        lamp.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const Rect circle = LampRect(33, 33, 25);
        const QColor centre = image.pixelColor(circle.left + circle.width / 2 + 3,
                                               circle.top + circle.height / 2 + 3);
        EXPECT_EQ(centre, colour) << brightness;
        EXPECT_EQ(lamp.IsLit(), brightness >= 0.5) << brightness;
        EXPECT_EQ(image.pixelColor(31, 16).alpha(), 0) << "right of the lamp stays empty";
    }
}

TEST(CellLayout, LampSitsLeftAndCentredInsideItsControl) {
    const std::pair<std::array<int, 3>, Rect> cases[] = {
        {{17, 33, 15}, {0, 9, 15, 15}},
        {{25, 33, 20}, {0, 6, 20, 20}},
        {{33, 33, 25}, {0, 4, 25, 25}},
        {{10, 33, 25}, {0, 11, 10, 10}},  // never wider than the control
    };
    for (const auto& [size, rect] : cases) EXPECT_EQ(LampRect(size[0], size[1], size[2]), rect);
}

}  // namespace
}  // namespace ledcube
