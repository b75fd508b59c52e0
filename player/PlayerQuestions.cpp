// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/PlayerQuestions.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPushButton>
#include <QWidget>

namespace ledcube::player {

PlayerQuestions DialogQuestions(QWidget* window) {
    PlayerQuestions questions;
    questions.unsavedEdits = [window](const QString& question) {
        QMessageBox box(QMessageBox::Question, window->windowTitle(), question,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window);
        box.setDefaultButton(QMessageBox::Save);
        // Said as the desktop's programs say it, rather than Qt's "Discard".
        box.button(QMessageBox::Discard)
            ->setText(QCoreApplication::translate("ledcube::player::PlayerWindow", "Don't Save"));
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    questions.saveName = [window](const QString& proposed) {
        return QFileDialog::getSaveFileName(
            window,
            QCoreApplication::translate("ledcube::player::PlayerWindow", "Save the program"),
            proposed,
            QCoreApplication::translate("ledcube::player::PlayerWindow",
                                        "Cube programs (*.c);;All files (*)"));
    };
    questions.warn = [window](const QString& message) {
        QMessageBox::warning(window, window->windowTitle(), message);
    };
    questions.gifName = [window](const QString& proposed) {
        return QFileDialog::getSaveFileName(
            window,
            QCoreApplication::translate("ledcube::player::PlayerWindow", "Export the animation"),
            proposed,
            QCoreApplication::translate("ledcube::player::PlayerWindow", "Animated GIF (*.gif)"));
    };
    questions.tell = [window](const QString& message) {
        QMessageBox::information(window, window->windowTitle(), message);
    };
    questions.confirm = [window](const QString& question) {
        return QMessageBox::question(window, window->windowTitle(), question) == QMessageBox::Yes;
    };
    return questions;
}

}  // namespace ledcube::player
