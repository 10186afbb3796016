#include "persist/qt/listcontrols.h"

#include <QHeaderView>
#include <QIcon>
#include <QTableWidget>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvo {

namespace {

// Where cells and items keep their entry and their image index.
constexpr int EntryRole = Qt::UserRole;
constexpr int ImageIndexRole = Qt::UserRole + 1;

QVariant EntryData(TListEntry& entry)
{
    return QVariant::fromValue(static_cast<void*>(&entry));
}

TListEntry* EntryOf(const QVariant& data)
{
    return static_cast<TListEntry*>(data.value<void*>());
}

QString CellText(const QTableWidget& grid, int row, int column)
{
    const QTableWidgetItem* cell = grid.item(row, column);
    return cell ? cell->text() : QString();
}

void SetCellText(QTableWidget& grid, int row, int column, const std::string& text)
{
    if (QTableWidgetItem* cell = grid.item(row, column))
        cell->setText(QString::fromStdString(text));
    else
        grid.setItem(row, column, new QTableWidgetItem(QString::fromStdString(text)));
}

// Puts the image at the index when the list has that index.
void PutImage(TImageList* images, int index, const QPixmap& image, uint32_t maskColor = 0)
{
    if (images && images->Contains(index))
        images->Replace(index, image, maskColor);
}

// Shows the item's image of the list, or none.
void ShowImage(QTreeWidgetItem& item, const TImageList* images)
{
    const int index = ImageIndex(item);
    item.setIcon(0, images && images->Contains(index) ? QIcon(images->At(index)) : QIcon());
}

void ApplyListItem(TBitmappedListEntry& entry, QTreeWidgetItem& item, int32_t value, const TEntryBitmaps& bitmaps)
{
    if (auto* view = dynamic_cast<TListView*>(item.treeWidget())) {
        PutImage(view->LargeImages.get(), ImageIndex(item), bitmaps.LargeBitmap);
        PutImage(view->SmallImages.get(), ImageIndex(item), bitmaps.SmallBitmap);
        ShowImage(item, view->SmallImages ? view->SmallImages.get() : view->LargeImages.get());
    }
    item.setText(0, QString::fromStdString(entry.GetDescription(DescriptionDisplay)));
    SetListItemCols(entry, item, value);
    item.setData(0, EntryRole, EntryData(entry));
}

void ApplyTreeNode(TBitmappedListEntry& entry, QTreeWidgetItem& node, const TEntryBitmaps& bitmaps)
{
    if (auto* view = dynamic_cast<TTreeView*>(node.treeWidget())) {
        PutImage(view->Images.get(), ImageIndex(node), bitmaps.SmallBitmap, entry.GetMaskColor());
        ShowImage(node, view->Images.get());
    }
    node.setText(0, QString::fromStdString(entry.GetDescription(DescriptionDisplay)));
    node.setData(0, EntryRole, EntryData(entry));
}

} // namespace

TListView::TListView(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
}

TListEntry* AttachedEntry(const QTableWidgetItem* cell)
{
    return cell ? EntryOf(cell->data(EntryRole)) : nullptr;
}

TListEntry* AttachedEntry(const QTreeWidgetItem& item)
{
    return EntryOf(item.data(0, EntryRole));
}

int ImageIndex(const QTreeWidgetItem& item)
{
    const QVariant index = item.data(0, ImageIndexRole);
    return index.isValid() ? index.toInt() : -1;
}

void InitStringGrid(QTableWidget& grid)
{
    grid.setRowCount(1);
    for (int column = 0; column < grid.columnCount(); ++column)
        delete grid.takeItem(0, column);
    grid.horizontalHeader()->show();
}

void AddToStringGrid(TListEntry& entry, QTableWidget& grid, int32_t value)
{
    const int last = grid.rowCount() - 1;
    if (last < 0 || !CellText(grid, last, 0).isEmpty() || !CellText(grid, last, 1).isEmpty())
        grid.setRowCount(grid.rowCount() + 1);
    SetStringGridCols(entry, grid, grid.rowCount() - 1, value);
}

void SetStringGridCols(TListEntry& entry, QTableWidget& grid, int row, int32_t value)
{
    // A cell outside the grid would be dropped by the grid, and its item lost.
    if (row < 0 || row >= grid.rowCount())
        throw EListError();
    std::vector<std::string> texts = entry.GetStringGridCols(value);
    texts.insert(texts.begin(), entry.GetDescription(DescriptionDisplay));
    if (grid.columnCount() < static_cast<int>(texts.size()))
        grid.setColumnCount(static_cast<int>(texts.size()));
    for (size_t column = 0; column < texts.size(); ++column)
        SetCellText(grid, row, static_cast<int>(column), texts[column]);
    grid.item(row, 0)->setData(EntryRole, EntryData(entry));
}

QTreeWidgetItem& AddToListView(TBitmappedListEntry& entry, TListView& view, int32_t value)
{
    const TEntryBitmaps bitmaps = LoadBitmaps(entry);
    int index = -1;
    if (view.LargeImages)
        index = view.LargeImages->Add(bitmaps.LargeBitmap);
    if (view.SmallImages) {
        const int smallIndex = view.SmallImages->Add(bitmaps.SmallBitmap);
        if (!view.LargeImages)
            index = smallIndex;
    }
    auto* item = new QTreeWidgetItem(&view);
    item->setData(0, ImageIndexRole, index);
    ApplyListItem(entry, *item, value, bitmaps);
    return *item;
}

void SetListItem(TBitmappedListEntry& entry, QTreeWidgetItem& item, int32_t value)
{
    ApplyListItem(entry, item, value, LoadBitmaps(entry));
}

void SetListItemCols(const TBitmappedListEntry& entry, QTreeWidgetItem& item, int32_t value)
{
    const std::vector<std::string> texts = entry.GetListItemCols(value);
    const int subItems = std::max(item.columnCount() - 1, static_cast<int>(texts.size()));
    for (int i = 0; i < subItems; ++i)
        item.setText(i + 1, i < static_cast<int>(texts.size()) ? QString::fromStdString(texts[i]) : QString());
}

QTreeWidgetItem& AddToTreeView(TBitmappedListEntry& entry, TTreeView& view, QTreeWidgetItem* parent)
{
    const TEntryBitmaps bitmaps = LoadBitmaps(entry);
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&view);
    node->setData(0, ImageIndexRole, view.Images ? view.Images->Add(bitmaps.SmallBitmap, entry.GetMaskColor()) : -1);
    ApplyTreeNode(entry, *node, bitmaps);
    return *node;
}

void SetTreeNode(TBitmappedListEntry& entry, QTreeWidgetItem& node)
{
    ApplyTreeNode(entry, node, LoadBitmaps(entry));
}

} // namespace tarvo
