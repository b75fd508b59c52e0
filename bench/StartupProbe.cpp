// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program's window and leaves once its first complete frame is painted
// (the window and all its children), so that timing the process measures what
// the user waits for. Built twice: with the editor's window, and with a
// baseline of the same size holding one label in the same font.
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#ifdef LEDCUBE_PROBE_EDITOR
#include "ui/Application.h"
#include "ui/Unit1.h"
#endif

namespace {

// Ends the process once the window's first paint has gone through: whichever
// of its widgets paints first, the others paint in the same pass, and the
// queued exit runs after it.
class FirstFrame : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] { ::_exit(0); });
        }
        return false;
    }

  private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef LEDCUBE_PROBE_EDITOR
    ledcube::Application application(argc, argv);
    QApplication::setFont(EditorFont());
    TForm1 window;
#else
    QApplication application(argc, argv);
    QWidget window;
    window.resize(973, 822);
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    QLabel label(QStringLiteral("Nom du fichier :"), &window);
    label.setFont(font);
    label.move(456, 32);
#endif
    FirstFrame watcher;
    application.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}
