// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace ledcube::test {

WindowDriver::WindowDriver() : form_(std::make_unique<TForm1>()) {
    form_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
}

WindowDriver::~WindowDriver() = default;

bool WindowDriver::Shown(ControlId id) const {
    return Control(id)->isVisible();
}

void WindowDriver::Click(ControlId id) {
    ASSERT_TRUE(Shown(id)) << ControlName(id) << " is hidden: the user cannot click it";
    QWidget* control = Control(id);
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(8, control->height() / 2));
}

void WindowDriver::Type(ControlId id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(Control(id));
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(edit->isVisible());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

std::optional<QString> AnswerMessageBox(const std::function<void()>& action,
                                        const QString& answer) {
    std::optional<QString> text;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&text, &answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || text) return;
        text = box->text();
        if (answer.isEmpty()) {
            box->accept();
        } else if (answer == QStringLiteral("Escape")) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer) button->click();
        }
    });
    poll.start();
    action();
    poll.stop();
    return text;
}

}  // namespace ledcube::test
