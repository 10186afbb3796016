#pragma once
// List entries in Qt item widgets. A string grid is a QTableWidget, a list
// view a TListView (a QTreeWidget in report mode: one row per item, the
// caption in column 0 and the sub-items in the columns after it), a tree
// view a TTreeView. Each cell, item or node filled from an entry has the
// entry attached (AttachedEntry); the entry is not owned.
//
// The entry decides what it shows through its own operations (description,
// further grid columns, sub-items, bitmaps, mask colour), so a derived entry
// shows itself in its own way through the same functions.
//
// A string grid's titles are its horizontal header, which stands for the
// one fixed row, so the first row that entries fill is row 0.

#include <QTreeWidget>

#include <cstdint>
#include <memory>

#include "persist/listentry.h"
#include "persist/qt/bitmaps.h"

class QTableWidget;
class QTableWidgetItem;

namespace tarvo {

// A list view in report mode with image lists for large and small images,
// which other views may share; either may be absent. Items show their small
// image, or the large one when there is no small image list.
class TListView : public QTreeWidget {
public:
    explicit TListView(QWidget* parent = nullptr);

    std::shared_ptr<TImageList> LargeImages;
    std::shared_ptr<TImageList> SmallImages;
};

// A tree view whose nodes show images of a shared image list, if any.
class TTreeView : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

    std::shared_ptr<TImageList> Images;
};

// The entry attached to a grid cell or to a list item or tree node; nullptr
// for none.
TListEntry* AttachedEntry(const QTableWidgetItem* cell);
TListEntry* AttachedEntry(const QTreeWidgetItem& item);
// The index of an item's or node's image in its view's image lists; -1 when
// it has none.
int ImageIndex(const QTreeWidgetItem& item);

// Leaves the grid with one empty row and the title row shown.
void InitStringGrid(QTableWidget& grid);
// Fills the last row when both its first two cells are empty (as
// InitStringGrid leaves it), otherwise appends a row and fills that.
void AddToStringGrid(TListEntry& entry, QTableWidget& grid, int32_t value);
// Column 0 of the row: the entry's description, with the entry attached;
// the columns after it: the entry's GetStringGridCols, for which the grid
// gets columns as needed.
void SetStringGridCols(TListEntry& entry, QTableWidget& grid, int row, int32_t value);

// Appends an item for the entry. Its image index is where the entry's large
// bitmap is added to the large image list and its small bitmap to the small
// one (the lists are kept in step this way); with only a small image list,
// where the small bitmap is added there. Then SetListItem.
QTreeWidgetItem& AddToListView(TBitmappedListEntry& entry, TListView& view, int32_t value);
// Puts the entry's bitmaps at the item's image index of its view's image
// lists (where the item has an image), its description as the caption, its
// sub-items (SetListItemCols), and attaches the entry.
void SetListItem(TBitmappedListEntry& entry, QTreeWidgetItem& item, int32_t value);
// The entry's GetListItemCols as the item's sub-items; sub-items it had
// beyond those are emptied.
void SetListItemCols(const TBitmappedListEntry& entry, QTreeWidgetItem& item, int32_t value);

// Adds a node for the entry under parent, a node of the view, or at the top
// for nullptr; its image
// is the entry's small bitmap added to the view's image list, masked by the
// entry's mask colour. Then SetTreeNode.
QTreeWidgetItem& AddToTreeView(TBitmappedListEntry& entry, TTreeView& view, QTreeWidgetItem* parent);
// Puts the entry's small bitmap, masked, at the node's image index of its
// view's image list (where the node has an image), its description as the
// text, and attaches the entry.
void SetTreeNode(TBitmappedListEntry& entry, QTreeWidgetItem& node);

} // namespace tarvo
