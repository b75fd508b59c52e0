// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

#include "player/ProgramDocument.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace ledcube::player {

// A command of the menus that is not an edit of the program: its action's
// name, its text, its keys and what it does.
struct MenuCommand {
    const char* name;
    QString text;
    QList<QKeySequence> keys;
    std::function<void()> run;
};

// The player's menu bar and keys, made from tables: the window's commands
// (files, the clipboard, the view) and the document's edits, each action
// calling one document method. Every action is also the window's, so its
// keys work wherever the focus is; each runs inside the error guard.
class PlayerMenus {
    Q_DECLARE_TR_FUNCTIONS(ledcube::player::PlayerMenus)

  public:
    // `files` fill the File menu in their order (an empty name a separator);
    // `clipboard` holds the cut, copy and paste commands; `panel` gets the
    // edits as its context menu; View hides and shows `pane`.
    PlayerMenus(QWidget* window, ProgramDocument& document, const std::vector<MenuCommand>& files,
                const std::vector<MenuCommand>& clipboard, QWidget* panel, QWidget* pane);

    QMenuBar* Bar() const { return bar_; }
    // The action of this name ("delete", "duplicate-shift-up", "undo" ...).
    QAction* Action(const QString& name) const;
    // Enables what the document's selection allows; Put on the cube and
    // Export need a program (`program`).
    void UpdateEnabled(bool program);

  private:
    QAction* Add(QMenu* menu, const QString& name, const QString& text,
                 const QList<QKeySequence>& keys, const std::function<void()>& run);
    void MakeEditMenu(const std::vector<MenuCommand>& clipboard);
    void MakeTransformMenu();
    void MakeViewMenu(QWidget* pane);

    QWidget* window_;
    ProgramDocument& document_;
    QMenuBar* bar_;
};

}  // namespace ledcube::player
