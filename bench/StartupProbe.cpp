// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program's window and leaves at its first paint, so that timing the
// process measures start-up to the first shown window. Built twice: with the
// editor's window, and with a bare Qt window of the same size for comparison.
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>

#ifdef LEDCUBE_PROBE_EDITOR
#include "ui/Application.h"
#include "ui/Unit1.h"
#endif

namespace {

// Ends the process at once when the watched window first paints.
class FirstPaint : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ::_exit(0);
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
#ifdef LEDCUBE_PROBE_EDITOR
    ledcube::Application application(argc, argv);
    TForm1 window;
#else
    QApplication application(argc, argv);
    QWidget window;
    window.resize(973, 822);
#endif
    FirstPaint watcher;
    window.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
