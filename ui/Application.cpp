// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Application.h"

#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QThread>
#include <cstdio>
#include <exception>
#include <iterator>

#include "ui/IconData.h"
#include "ui/Translations.h"

namespace ledcube {

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

void ShowException(const Exception& error) {
    if (QApplication::instance() == nullptr) {
        std::fprintf(stderr, "ledcube: %s\n", error.what());
        return;
    }
    const QString message = QString::fromStdString(error.Message());
    const auto show = [message] {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                              message);
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

QIcon ProgramIcon() {
    // Built from pixels in the program: no image file to decode, no image plugin to load.
    QImage image(icon::kPixels, icon::kSize, icon::kSize, icon::kSize, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(std::begin(icon::kPalette), std::end(icon::kPalette)));
    return QIcon(QPixmap::fromImage(image));
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("ledcube"));
    InstallTranslators();
    setWindowIcon(ProgramIcon());
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    Guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace ledcube
