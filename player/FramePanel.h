// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <vector>

#include "firmware/PassTiming.h"
#include "program/Animation.h"

namespace ledcube::player {

// What one row of the frame panel shows: a sequence's heading or a frame.
struct PanelRow {
    int block = 0;         // the program's block it stands for
    bool heading = false;  // a sequence's test, else a frame
    bool inSequence = false;
    int frame = 0;  // the frame's number in the program, from 0
    QString text;   // "BP1 sequence", "BP1 sequence 2 of 2", "3   150 ms · 10 passes"
    CellState cells;
};

// The panel's rows for a program: its sequences' headings and its frames, in
// the order of the blocks (the braces that close sequences have no row); each
// frame says how long it shows on a chip at `clockHz`.
std::vector<PanelRow> PanelRows(const program::Animation& animation, unsigned clockHz);

// The program's structure as rows for the frame panel: one row a heading or a frame.
class FrameListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    // The block a row stands for.
    static constexpr int kBlockRole = Qt::UserRole;
    static constexpr int kShownRole = Qt::UserRole + 1;

    using QAbstractListModel::QAbstractListModel;

    void SetAnimation(const program::Animation& animation);
    // The clock of the chip the program is built for, which the frames' times follow.
    void SetClock(unsigned clockHz);
    // The frame the chip shows (from 0), highlighted; -1 for none.
    void SetShownFrame(int frame);
    const std::vector<PanelRow>& Rows() const { return rows_; }
    // The row of a block; -1 for a closing brace or a block out of range.
    int RowOfBlock(int block) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

  signals:
    // Frames dragged within the panel and dropped before block `to`.
    void MoveRequested(int to);

  private:
    program::Animation animation_;
    unsigned clockHz_ = kCubeChipClockHz;
    std::vector<PanelRow> rows_;
    std::vector<int> rowOfBlock_;
    std::vector<int> rowOfFrame_;
    int blocks_ = 0;
    int shownRow_ = -1;
};

// Where a frame's thumbnail goes in its row's rectangle (indented in a sequence).
QRect FrameThumbnailRect(const QRect& row, bool inSequence);

// The frame panel: the program's sequences and frames, each frame a thumbnail
// of its three layers with its duration and passes. Up, Down, Home and End go from frame to frame;
// keys 1–3 are left to the window, which holds the buttons with them.
class FramePanel : public QListView {
    Q_OBJECT

  public:
    explicit FramePanel(QWidget* parent = nullptr);

    FrameListModel& Model() { return model_; }
    // Shows the program and selects these blocks.
    void Show(const program::Animation& animation, const std::vector<int>& selected);
    void SelectBlocks(const std::vector<int>& blocks);
    // The selected blocks, in order.
    std::vector<int> SelectedBlocks() const;

  signals:
    void SelectionChanged(const std::vector<int>& blocks);
    // A click that left the selection as it was: on a frame already selected.
    void SelectionClickedAgain();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    FrameListModel model_;
    bool selecting_ = false;  // the selection is being set from the program
};

}  // namespace ledcube::player
