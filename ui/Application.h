// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

#include "base/Sysutils.h"

namespace ledcube {

// The error as the user is told it: ours by its message, others by what they say.
Exception AsException(std::exception_ptr error);

// Shows the error's message in the standard critical message box, from the
// GUI thread (an error on another thread is handed to it).
void ShowException(const Exception& error);

// Runs one event handler to completion; an error it raises is shown in a
// message box and goes no further, so the event loop carries on.
void Guarded(const std::function<void()>& handler);

// The program's icon, the same picture as the desktop's.
QIcon ProgramIcon();

// The application object: a QApplication whose event delivery never lets an
// exception escape into Qt's event loop.
class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace ledcube
