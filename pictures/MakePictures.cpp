// SPDX-License-Identifier: GPL-3.0-or-later
// Makes every picture of the README again from programs recorded by clicking
// through the editor, so that none shows an older program or window:
// `scripts/make-pictures.sh` runs it on the offscreen platform.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <functional>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "chip/FirmwareBuild.h"
#include "chip/SimulatedBoard.h"
#include "model/CellModel.h"
#include "player/FlashDialog.h"
#include "player/FramePanel.h"
#include "player/PlayerWindow.h"
#include "sim/SimCommand.h"
#include "ui/Translations.h"
#include "ui/Unit1.h"

namespace ledcube::pictures {

namespace {

using Cells = std::vector<int>;

// Waits, with the event loop running, until `done` or fails after `ms`.
void WaitFor(const std::function<bool()>& done, const char* what, int ms = 60000) {
    if (!QTest::qWaitFor(done, ms))
        throw std::runtime_error(std::string("gave up waiting: ") + what);
}

// A window as it shows once its layout has settled.
QImage Grab(QWidget& window) {
    QTest::qWait(50);
    return window.grab().toImage();
}

void Save(const QImage& image, const QString& file) {
    if (!image.save(file)) throw std::runtime_error("cannot write " + file.toStdString());
    std::cout << "wrote " << file.toStdString() << '\n';
}

// The editor, driven as a user drives it: only visible controls are clicked.
class Editor {
  public:
    Editor() {
        form_.setFont(EditorFont());
        form_.show();
        WaitFor([&] { return form_.isVisible(); }, "the editor's window");
    }
    TForm1& Form() { return form_; }

    void Click(ControlId id) {
        QWidget* control = form_.Control(id);
        if (!control->isVisible()) throw std::runtime_error(ControlName(id) + " is hidden");
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, control->height() / 2));
    }
    void Type(ControlId id, const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(form_.Control(id));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // Ticks exactly these cells, layer by layer, and leaves layer `show` on screen.
    void Tick(const Cells& cells, int show = 1) {
        Click(ControlId::TEteindre);
        for (int layer = 1; layer <= kLayerCount; ++layer) {
            Click(LayerButtonOf(layer));
            for (const int n : cells)
                if (PlaceOf(n).layer == layer) Click(CheckBoxOf(n));
        }
        Click(LayerButtonOf(show));
    }
    void Record(const Cells& cells, int ms) {
        Tick(cells);
        Type(ControlId::Temps, QString::number(ms));
        Click(ControlId::Suivant);
    }

  private:
    TForm1 form_;
};

Cells Where(const std::function<bool(const CellPlace&)>& lit) {
    Cells cells;
    for (int n = 1; n <= kCellCount; ++n)
        if (lit(PlaceOf(n))) cells.push_back(n);
    return cells;
}

// The demonstration: a BP1 sequence of four frames (the second all lit) and,
// with no button held, a plane turning about the cube's axis and a layer
// going up and down.
void RecordDemo(Editor& editor, const QString& file, const std::function<void()>& whileRecording) {
    editor.Type(ControlId::Nomf, QStringLiteral("cube1"));
    editor.Click(ControlId::Commencer);
    editor.Click(ControlId::BP1);
    editor.Record({5, 14, 23}, 300);
    editor.Record(Where([](const CellPlace&) { return true; }), 300);
    editor.Record(
        Where([](const CellPlace& p) { return p.row != 1 && p.column != 1 && p.layer != 2; }), 300);
    editor.Tick({14, 13, 15, 11, 17}, 2);
    whileRecording();
    editor.Type(ControlId::Temps, QStringLiteral("300"));
    editor.Click(ControlId::Suivant);
    editor.Click(ControlId::FinirBP);
    editor.Click(ControlId::Aucun);
    const std::vector<std::function<bool(const CellPlace&)>> planes = {
        [](const CellPlace& p) { return p.column == 1; },
        [](const CellPlace& p) { return p.row == p.column; },
        [](const CellPlace& p) { return p.row == 1; },
        [](const CellPlace& p) { return p.row + p.column == 2; },
    };
    for (int turn = 0; turn < 2; ++turn)
        for (const auto& plane : planes) editor.Record(Where(plane), 150);
    for (const int layer : {1, 2, 3, 2})
        editor.Record(Where([layer](const CellPlace& p) { return p.layer == layer; }), 120);
    editor.Click(ControlId::FinirBP);
    editor.Click(ControlId::Finir);
    if (!QFileInfo::exists(file))
        throw std::runtime_error("the editor wrote no " + file.toStdString());
}

// Clicks Suivant with ever other cells until the editor asks whether the
// program may grow past the flash; the question's picture, answered Non.
QImage OverflowQuestion(Editor& editor) {
    editor.Type(ControlId::Nomf, QStringLiteral("full"));
    editor.Click(ControlId::Commencer);
    editor.Click(ControlId::BP1);
    editor.Type(ControlId::Temps, QStringLiteral("300"));
    QImage picture;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&picture] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !picture.isNull()) return;
        picture = box->grab().toImage();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    poll.start();
    for (int frame = 0; picture.isNull() && frame < 200; ++frame) {
        editor.Tick({frame % 27 + 1, (frame * 7) % 27 + 1});
        editor.Click(ControlId::Suivant);
    }
    poll.stop();
    if (picture.isNull()) throw std::runtime_error("the editor never asked");
    return picture;
}

void RunSim(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    if (sim::RunSimCommand(arguments, out, err) != 0)
        throw std::runtime_error("ledcube-sim: " + err.str());
}

// The player's labels, one text.
QString Labels(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
    return texts.join(QLatin1Char('\n'));
}

QPushButton* Button(const QWidget& window, const QString& text) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == text) return button;
    throw std::runtime_error("no button " + text.toStdString());
}

// The player on a program, its chip on a clock of our own that runs only
// while we wait for what it should show.
class Player {
  public:
    Player(const QString& file, int width) : window_([this] { return now_.load(); }) {
        window_.resize(width, 620);
        window_.show();
        window_.OpenFile(file);
    }
    player::PlayerWindow& Window() { return window_; }
    void HoldBp1() {
        QTest::mouseClick(Button(window_, QStringLiteral("BP1")), Qt::LeftButton,
                          Qt::ShiftModifier);
    }
    // Runs the chip on until the readout says `showing`.
    void PlayUntil(const QString& showing) {
        WaitFor(
            [&] {
                now_ = now_ + 0.01;
                return Labels(window_).contains(showing);
            },
            showing.toStdString().c_str());
        QTest::qWait(100);
    }

  private:
    std::atomic<double> now_ = 0;
    player::PlayerWindow window_;
};

// Two windows side by side on the desktop's grey.
QImage SideBySide(const QImage& left, const QImage& right) {
    const int gap = 16;
    QImage both(left.width() + right.width() + 3 * gap,
                std::max(left.height(), right.height()) + 2 * gap, QImage::Format_RGB32);
    both.fill(QColor(0x5A, 0x5A, 0x5A));
    QPainter painter(&both);
    painter.drawImage(gap, gap, left);
    painter.drawImage(2 * gap + left.width(), gap, right);
    return both;
}

void MakePictures(const QDir& docs) {
    Editor editor;
    Save(Grab(editor.Form()), docs.filePath(QStringLiteral("screenshot.png")));
    const QString cube1 = QDir::home().filePath(QStringLiteral("D/cube1.c"));
    RecordDemo(editor, cube1,
               [&] { Save(Grab(editor.Form()), docs.filePath(QStringLiteral("recording.png"))); });
    Save(OverflowQuestion(editor), docs.filePath(QStringLiteral("question.png")));
    editor.Click(ControlId::FinirBP);
    editor.Click(ControlId::Finir);

    const std::string program = cube1.toStdString();
    RunSim({"--png", docs.filePath(QStringLiteral("storyboard.png")).toStdString(), "--buttons",
            "BP1", program});
    RunSim({"--gif", docs.filePath(QStringLiteral("cube.gif")).toStdString(), program});

    // The player holding BP1 (Shift-click latches it), on the sequence's second frame.
    {
        Player player(cube1, 900);
        player.PlayUntil(QStringLiteral("Aucun sequence"));
        player.HoldBp1();
        player.PlayUntil(QStringLiteral("BP1 sequence: frame 2 of"));
        Save(Grab(player.Window()), docs.filePath(QStringLiteral("player.png")));
    }

    // The frame panel: frame 4 of the BP1 sequence duplicated and shifted right.
    {
        Player player(cube1, 900);
        player::PlayerWindow& window = player.Window();
        WaitFor([&] { return window.Panel()->model()->rowCount() > 5; }, "the frame panel");
        window.Panel()->SelectBlocks({4});
        emit window.Panel()->SelectionChanged(window.Panel()->SelectedBlocks());
        window.Action(QStringLiteral("duplicate-shift-right"))->trigger();
        player.PlayUntil(QStringLiteral("BP1 sequence: frame 5 of 5"));
        Save(Grab(window), docs.filePath(QStringLiteral("frame-panel.png")));
    }

    // The editor recording beside the player following the file.
    {
        Editor recording;
        recording.Type(ControlId::Nomf, QStringLiteral("cube2"));
        recording.Click(ControlId::Commencer);
        recording.Click(ControlId::BP1);
        recording.Record({1, 5, 9}, 300);
        recording.Record({10, 14, 18}, 300);
        recording.Tick({19, 23, 27}, 3);
        recording.Type(ControlId::Temps, QStringLiteral("300"));
        recording.Click(ControlId::Suivant);
        Player player(QDir::home().filePath(QStringLiteral("D/cube2.c")), 760);
        player.PlayUntil(QStringLiteral("BP1 sequence: frame 3 of 3"));
        Save(SideBySide(Grab(recording.Form()), Grab(player.Window())),
             docs.filePath(QStringLiteral("editor-and-player.png")));
        recording.Click(ControlId::FinirBP);
        recording.Click(ControlId::Finir);
    }

    // The player as a French user sees it.
    if (LoadLanguage(Language::French) == Language::French) {
        Player player(cube1, 900);
        player.HoldBp1();
        player.PlayUntil(QStringLiteral("séquence BP1 : image 3 sur"));
        Save(Grab(player.Window()), docs.filePath(QStringLiteral("player-fr.png")));
        LoadLanguage(Language::English);
    }

    // Put on the cube: flashed to a simulated Uno through its own bootloader.
    const chip::ScratchFolder boot;
    chip::SimulatedBoard board(chip::kUno, chip::BootloaderOf(chip::kUno, boot.Path()));
    player::FlashDialog dialog(chip::ReadTextFile(program), QStringLiteral("cube1.c"), chip::kUno);
    dialog.show();
    dialog.SetPort(QString::fromStdString(board.Port()));
    dialog.Flash();
    WaitFor([&] { return !dialog.Busy(); }, "avrdude", 120000);
    if (!dialog.StatusText().startsWith(QStringLiteral("flashed ")))
        throw std::runtime_error("not flashed: " + dialog.StatusText().toStdString());
    Save(Grab(dialog), docs.filePath(QStringLiteral("flash-dialog.png")));
}

}  // namespace

}  // namespace ledcube::pictures

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_pictures FOLDER\n";
        return 2;
    }
    // The editor writes into ~/D: a home of its own, away from the user's files.
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication application(argc, argv);
    ledcube::LoadLanguage(ledcube::Language::English);
    try {
        ledcube::pictures::MakePictures(QDir(QString::fromLocal8Bit(argv[1])));
    } catch (const std::exception& error) {
        std::cerr << "make_pictures: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
