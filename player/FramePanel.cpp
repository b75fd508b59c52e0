// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/FramePanel.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "ui/CubePainter.h"
#include "ui/Translations.h"

namespace ledcube::player {

namespace {

constexpr int kRowHeight = 48;
constexpr int kIndent = 18;
constexpr int kThumbnailWidth = 100;
constexpr int kThumbnailHeight = 36;
const QString kDragType = QStringLiteral("application/x-ledcube-panel-rows");

// Draws a row: a sequence's heading, or a frame as its thumbnail with its text.
class RowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width() > 0 ? option.rect.width() : 220, kRowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* model = static_cast<const FrameListModel*>(index.model());
        const PanelRow& row = model->Rows()[static_cast<std::size_t>(index.row())];
        painter->save();
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        if (selected)
            painter->fillRect(option.rect, option.palette.highlight());
        else if (index.data(FrameListModel::kShownRole).toBool())
            painter->fillRect(option.rect, QColor(0xFF, 0xE9, 0xA8));
        painter->setPen(selected ? option.palette.highlightedText().color()
                                 : option.palette.text().color());
        QRect area = option.rect.adjusted(4, 2, -4, -2);
        if (row.heading) {
            QFont bold = option.font;
            bold.setBold(true);
            painter->setFont(bold);
            painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft, row.text);
        } else {
            const QRect tile = FrameThumbnailRect(option.rect, row.inSequence);
            PaintThumbnail(*painter, tile, row.cells);
            area.setLeft(tile.left());
            painter->setPen(selected ? option.palette.highlightedText().color()
                                     : option.palette.text().color());
            area.setLeft(area.left() + kThumbnailWidth + 8);
            painter->setFont(option.font);
            painter->drawText(
                area, Qt::AlignVCenter | Qt::AlignLeft,
                option.fontMetrics.elidedText(row.text, Qt::ElideRight, area.width()));
        }
        if (option.state & QStyle::State_HasFocus) {
            painter->setBrush(Qt::NoBrush);
            painter->setPen(QPen(option.palette.highlight().color(), 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }
};

QString HeadingText(const program::Animation& animation, int open) {
    const SwitchCombination combination =
        animation.blocks[static_cast<std::size_t>(open)].combination;
    const auto [number, count] = program::SequenceNumber(animation, open);
    const QString name = QString::fromLatin1(CombinationName(combination));
    if (count > 1) return FramePanel::tr("%1 sequence %2 of %3").arg(name).arg(number).arg(count);
    return FramePanel::tr("%1 sequence").arg(name);
}

}  // namespace

QRect FrameThumbnailRect(const QRect& row, bool inSequence) {
    const int left = row.left() + 4 + (inSequence ? kIndent : 0);
    return {left, row.center().y() - kThumbnailHeight / 2, kThumbnailWidth, kThumbnailHeight};
}

std::vector<PanelRow> PanelRows(const program::Animation& animation, unsigned clockHz) {
    std::vector<PanelRow> rows;
    bool inSequence = false;
    int frame = 0;
    // Frames are numbered within their sequence (or the frames between the
    // same two sequences), as the readout numbers the frame shown: the
    // number starts again where the sequence changes.
    const std::vector<program::RecordedFrame> frames = program::AnimationFrames(animation);
    int inGroup = 0;
    for (int at = 0; at < static_cast<int>(animation.blocks.size()); ++at) {
        const program::AnimationBlock& block = animation.blocks[static_cast<std::size_t>(at)];
        switch (block.kind) {
            case program::AnimationBlock::Kind::Open:
                rows.push_back({at, true, false, frame, HeadingText(animation, at), {}});
                inSequence = true;
                break;
            case program::AnimationBlock::Kind::Close:
                inSequence = false;
                break;
            case program::AnimationBlock::Kind::Frame: {
                const int passes = block.frame.repeatCount;
                const auto index = static_cast<std::size_t>(frame);
                inGroup = index > 0 && frames[index - 1].sequence == frames[index].sequence
                              ? inGroup + 1
                              : 1;
                const QString number = QString::number(inGroup);
                const QString text =
                    FramePanel::tr("%1    %2")
                        .arg(number, QString::fromStdString(PassesText(passes, clockHz)));
                rows.push_back({at, false, inSequence, frame++, text, block.frame.cells});
                break;
            }
        }
    }
    return rows;
}

void FrameListModel::SetClock(unsigned clockHz) {
    if (clockHz == clockHz_) return;
    clockHz_ = clockHz;
    const int shown = shownRow_ >= 0 ? rows_[static_cast<std::size_t>(shownRow_)].frame : -1;
    SetAnimation(animation_);
    SetShownFrame(shown);
}

void FrameListModel::SetAnimation(const program::Animation& animation) {
    beginResetModel();
    animation_ = animation;
    rows_ = PanelRows(animation, clockHz_);
    blocks_ = static_cast<int>(animation.blocks.size());
    rowOfBlock_.assign(animation.blocks.size(), -1);
    rowOfFrame_.clear();
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        rowOfBlock_[static_cast<std::size_t>(rows_[row].block)] = static_cast<int>(row);
        if (!rows_[row].heading) rowOfFrame_.push_back(static_cast<int>(row));
    }
    shownRow_ = -1;
    endResetModel();
}

void FrameListModel::SetShownFrame(int frame) {
    const int row = frame >= 0 && frame < static_cast<int>(rowOfFrame_.size())
                        ? rowOfFrame_[static_cast<std::size_t>(frame)]
                        : -1;
    if (row == shownRow_) return;
    const int before = shownRow_;
    shownRow_ = row;
    for (const int changed : {before, row})
        if (changed >= 0) emit dataChanged(index(changed), index(changed), {kShownRole});
}

int FrameListModel::RowOfBlock(int block) const {
    if (block < 0 || block >= blocks_) return -1;
    return rowOfBlock_[static_cast<std::size_t>(block)];
}

int FrameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant FrameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const PanelRow& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return row.text;
        case kBlockRole:
            return row.block;
        case kShownRole:
            return index.row() == shownRow_;
        default:
            return {};
    }
}

Qt::ItemFlags FrameListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (!rows_[static_cast<std::size_t>(index.row())].heading) flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList FrameListModel::mimeTypes() const {
    return {kDragType};
}

QMimeData* FrameListModel::mimeData(const QModelIndexList&) const {
    // The rows dragged are the panel's selection, which the window moves.
    auto* data = new QMimeData;
    data->setData(kDragType, QByteArray());
    return data;
}

bool FrameListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                     const QModelIndex&) const {
    return action == Qt::MoveAction && data->hasFormat(kDragType);
}

bool FrameListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                  const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, 0, parent)) return false;
    if (row < 0) row = parent.isValid() ? parent.row() : static_cast<int>(rows_.size());
    // Dropped before a row: before its block; on a heading, first in its sequence.
    int to =
        row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)].block : blocks_;
    if (row < static_cast<int>(rows_.size()) && parent.isValid() &&
        rows_[static_cast<std::size_t>(row)].heading)
        ++to;
    emit MoveRequested(to);
    // The window rebuilds the rows: the view must not remove the dragged ones.
    return false;
}

FramePanel::FramePanel(QWidget* parent) : QListView(parent) {
    setModel(&model_);
    setItemDelegate(new RowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    // Wide enough for a frame of the seconds: its cube, number, passes and time.
    const QString widest =
        tr("%1    %2")
            .arg(QStringLiteral("88"), QString::fromStdString(PassesText(8888, kCubeChipClockHz)));
    setMinimumWidth(std::max(280, 4 + kIndent + kThumbnailWidth + 8 +
                                      fontMetrics().horizontalAdvance(widest) + 8 +
                                      style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!selecting_) emit SelectionChanged(SelectedBlocks());
    });
}

void FramePanel::Show(const program::Animation& animation, const std::vector<int>& selected) {
    const int scroll = verticalScrollBar() ? verticalScrollBar()->value() : 0;
    selecting_ = true;
    model_.SetAnimation(animation);
    selecting_ = false;
    verticalScrollBar()->setValue(scroll);
    SelectBlocks(selected);
}

void FramePanel::SelectBlocks(const std::vector<int>& blocks) {
    if (blocks == SelectedBlocks()) return;
    selecting_ = true;
    QItemSelection selection;
    int first = -1;
    for (const int block : blocks) {
        const int row = model_.RowOfBlock(block);
        if (row < 0) continue;
        if (first < 0) first = row;
        selection.select(model_.index(row), model_.index(row));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (first >= 0) {
        selectionModel()->setCurrentIndex(model_.index(first), QItemSelectionModel::NoUpdate);
        scrollTo(model_.index(first));
    }
    selecting_ = false;
}

std::vector<int> FramePanel::SelectedBlocks() const {
    std::vector<int> blocks;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        blocks.push_back(index.data(FrameListModel::kBlockRole).toInt());
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

void FramePanel::mousePressEvent(QMouseEvent* event) {
    const std::vector<int> before = SelectedBlocks();
    QListView::mousePressEvent(event);
    if (indexAt(event->position().toPoint()).isValid() && SelectedBlocks() == before &&
        !before.empty())
        emit SelectionClickedAgain();
}

QModelIndex FramePanel::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const int rows = model_.rowCount();
    const auto isFrame = [&](int row) {
        return !model_.Rows()[static_cast<std::size_t>(row)].heading;
    };
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    int step = 0;
    int from = current;
    switch (action) {
        case MoveUp:
            step = -1;
            break;
        case MoveDown:
            step = 1;
            break;
        case MoveHome:
            step = 1, from = -1;
            break;
        case MoveEnd:
            step = -1, from = rows;
            break;
        default:
            return QListView::moveCursor(action, modifiers);
    }
    // Headings are no stops: on to the next frame that way, if there is one.
    for (int row = from + step; row >= 0 && row < rows; row += step)
        if (isFrame(row)) return model_.index(row);
    return current >= 0 ? currentIndex() : QListView::moveCursor(action, modifiers);
}

void FramePanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_3) {
        event->ignore();  // the window holds the buttons
        return;
    }
    QListView::keyPressEvent(event);
}

void FramePanel::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_3) {
        event->ignore();
        return;
    }
    QListView::keyReleaseEvent(event);
}

}  // namespace ledcube::player
