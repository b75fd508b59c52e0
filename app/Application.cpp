// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"

#include <QIcon>
#include <QMessageBox>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <exception>
#include <optional>

#include "ui/Unit1.h"

namespace ledcube {

namespace {

// The error as the user is told it: ours by its message, others by what they say.
Exception AsException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& known) {
        return known;
    } catch (const std::exception& other) {
        return Exception(other.what());
    } catch (...) {
        return Exception("");
    }
}

}  // namespace

void ShowException(const Exception& error) {
    if (QApplication::instance() == nullptr) {
        std::fprintf(stderr, "ledcube: %s\n", error.what());
        return;
    }
    const QString message = QString::fromStdString(error.Message());
    const auto show = [message] {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
    };
    // Windows belong to the GUI thread: an error on a worker thread is shown from there.
    if (QThread::currentThread() == QApplication::instance()->thread())
        show();
    else
        QMetaObject::invokeMethod(QApplication::instance(), show, Qt::QueuedConnection);
}

void Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        ShowException(AsException(std::current_exception()));
    }
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("ledcube"));
    setWindowIcon(QIcon(QStringLiteral(":/ledcube/icon.png")));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    Guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

int RunProgram(int& argc, char** argv) {
    // A file grown past the system's size limit must fail its write, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The application outlives the try block so that a start-up error can still be shown.
    std::optional<Application> application;
    try {
        application.emplace(argc, argv);
        TForm1 form;
        Form1 = &form;
        form.show();
        Application::exec();
    } catch (...) {
        ShowException(AsException(std::current_exception()));
    }
    Form1 = nullptr;
    return 0;
}

}  // namespace ledcube
