// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>
#include <optional>

#include "ui/Application.h"
#include "ui/StartOptions.h"
#include "ui/Translations.h"
#include "ui/Unit1.h"

// The editor: reads the command line, then runs the window until it closes.
// Errors that escape are shown; the exit status is 0.
int main(int argc, char** argv) {
    ledcube::LoadLanguage();
    const std::optional<int> done = ledcube::ReadStartOptions(
        argc, argv,
        {QStringLiteral("ledcube"),
         QString::fromStdString(
             ledcube::Tr("CommandLine",
                         "Editor of light animations for a 3x3x3 LED cube that writes the cube's\n"
                         "AVR ATmega8535 firmware, one block of C per action, to ~/D/NAME.c.\n"
                         "Qt's standard options (-platform, -style, ...) are accepted too.")),
         QString(),
         QString(),
         {}});
    if (done) return *done;
    // A file grown past the system's size limit must fail its write, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // The application outlives the try block so that a start-up error can still be shown.
    std::optional<ledcube::Application> application;
    try {
        application.emplace(argc, argv);
        QApplication::setFont(EditorFont());
        TForm1 form;
        Form1 = &form;
        form.show();
        ledcube::Application::exec();
    } catch (...) {
        ledcube::ShowException(ledcube::AsException(std::current_exception()));
    }
    Form1 = nullptr;
    return 0;
}
