// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <functional>

#include "app/Sysutils.h"

namespace ledcube {

// Shows the error's message in the standard critical message box.
void ShowException(const Exception& error);

// Runs one event handler to completion; an error it raises is shown in a
// message box and goes no further, so the event loop carries on.
void Guarded(const std::function<void()>& handler);

// The application object: a QApplication whose event delivery never lets an
// exception escape into Qt's event loop.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The program: sets up the application, creates the main window, runs the
// event loop until the window closes. Errors that escape are shown; returns 0.
int RunProgram(int& argc, char** argv);

}  // namespace ledcube
