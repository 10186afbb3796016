// List entries in string grids, list views and tree views, and the bitmaps
// they show. The bitmap resource "halves" (tests/persist/qt/bitmaps) is 8 × 8
// pixels, red on the left half and blue on the right.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <tuple>

#include "persist/qt/bitmaps.h"
#include "persist/qt/listcontrols.h"

namespace tarvo {
namespace {

const QColor Red(255, 0, 0), Blue(0, 0, 255), Green(0, 255, 0), Blank(0, 0, 0, 0);

// Fills two grid columns from value and its name, value sub-items with its
// name, and makes blue see-through.
class TColumnsEntry : public TBitmappedListEntry {
public:
    explicit TColumnsEntry(std::string name, std::string resource = {})
    {
        Name = std::move(name);
        ResourceName = std::move(resource);
    }
    std::vector<std::string> GetStringGridCols(int32_t value) const override
    {
        return {std::to_string(value), Name + "!"};
    }
    std::vector<std::string> GetListItemCols(int32_t value) const override { return std::vector(size_t(value), Name); }
    uint32_t GetMaskColor() const override { return 0x0000FF; }
};

QColor PixelAt(const QPixmap& image, int x, int y)
{
    return image.toImage().pixelColor(x, y);
}

std::shared_ptr<TImageList> ImagesWith(int count)
{
    auto images = std::make_shared<TImageList>();
    while (images->Count() < count)
        images->Add(QPixmap());
    return images;
}

QStringList RowTexts(const QTableWidget& grid, int row)
{
    QStringList texts;
    for (int column = 0; column < grid.columnCount(); ++column)
        texts << (grid.item(row, column) ? grid.item(row, column)->text() : QString());
    return texts;
}

TEST(StringGrid, FillsTheRowLeftByInitFirstThenAppends)
{
    QTableWidget grid(3, 1);
    grid.setItem(0, 0, new QTableWidgetItem("stale"));
    InitStringGrid(grid);
    EXPECT_EQ(RowTexts(grid, 0), QStringList({""}));
    TColumnsEntry first("a"), second("b");
    AddToStringGrid(first, grid, 7);
    AddToStringGrid(second, grid, 8);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(RowTexts(grid, 0), QStringList({"a", "7", "a!"})) << "the grid grows to the entry's columns";
    EXPECT_EQ(RowTexts(grid, 1), QStringList({"b", "8", "b!"}));
    EXPECT_EQ(AttachedEntry(grid.item(1, 0)), &second);
}

TEST(StringGrid, AppendsUnlessTheFirstTwoCellsOfTheLastRowAreEmpty)
{
    using Case = std::tuple<int, QString, QString, int>; // rows, their first two cells, rows after
    for (const auto& [rows, first, second, rowsAfter] :
         {Case{1, "", "", 1}, Case{1, "x", "", 2}, Case{1, "", "x", 2}, Case{0, "", "", 1}}) {
        QTableWidget grid(rows, 2);
        for (int row = 0; row < rows; ++row) {
            grid.setItem(row, 0, new QTableWidgetItem(first));
            grid.setItem(row, 1, new QTableWidgetItem(second));
        }
        TSimpleListEntry entry;
        AddToStringGrid(entry, grid, 0);
        EXPECT_EQ(grid.rowCount(), rowsAfter) << rows << first.toStdString() << "|" << second.toStdString();
        EXPECT_EQ(AttachedEntry(grid.item(rowsAfter - 1, 0)), &entry);
    }
}

TEST(EntryBitmaps, TheFileComesFirstThenTheResource)
{
    QTemporaryDir directory;
    const QString green = directory.filePath("green.bmp");
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Green);
    ASSERT_TRUE(image.save(green, "BMP"));

    struct Case {
        const char* what;
        QString file;
        std::string resource;
        QSize largeSize;
        QColor left, right; // of the small bitmap
    };
    const Case cases[] = {
        {"no names", "", "", QSize(0, 0), Blank, Blank},
        {"file before resource", green, "halves", QSize(32, 24), Green, Green},
        {"missing file, resource", directory.filePath("none.bmp"), "halves", QSize(8, 8), Red, Blue},
        {"resource the program lacks", "", "none", QSize(0, 0), Blank, Blank},
    };
    for (const Case& c : cases) {
        TBitmappedListEntry entry;
        entry.BitmapFile = c.file.toStdString();
        entry.ResourceName = c.resource;
        const TEntryBitmaps bitmaps = LoadBitmaps(entry);
        EXPECT_EQ(bitmaps.LargeBitmap.size(), c.largeSize) << c.what;
        EXPECT_EQ(bitmaps.SmallBitmap.size(), QSize(16, 16)) << c.what;
        EXPECT_EQ(PixelAt(bitmaps.SmallBitmap, 1, 8), c.left) << c.what;
        EXPECT_EQ(PixelAt(bitmaps.SmallBitmap, 14, 8), c.right) << c.what;
    }
}

TEST(EntryBitmaps, AFileThatIsNoBitmapFails)
{
    QTemporaryDir directory;
    QFile file(directory.filePath("text.bmp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("no bitmap") > 0);
    file.close();
    TColumnsEntry entry("e", "halves");
    entry.BitmapFile = file.fileName().toStdString();
    TListView view;
    EXPECT_THROW(AddToListView(entry, view, 0), EInvalidBitmap);
    EXPECT_EQ(view.topLevelItemCount(), 0) << "nothing added";
}

TEST(ListView, ItemsShowTheEntryAndRefreshInPlace)
{
    TListView view;
    view.setColumnCount(3);
    view.LargeImages = std::make_shared<TImageList>();
    view.SmallImages = std::make_shared<TImageList>();
    TColumnsEntry entry("e", "halves");
    QTreeWidgetItem& item = AddToListView(entry, view, 2);
    EXPECT_EQ(view.LargeImages->At(ImageIndex(item)).size(), QSize(8, 8)) << "the large bitmap";
    EXPECT_EQ(QStringList({item.text(0), item.text(1), item.text(2)}), QStringList({"e", "e", "e"}));
    EXPECT_EQ(AttachedEntry(item), &entry);

    entry.Name = "f";
    entry.ResourceName.clear();
    SetListItem(entry, item, 1);
    EXPECT_EQ(QStringList({item.text(0), item.text(1), item.text(2)}), QStringList({"f", "f", ""}))
        << "a sub-item the entry no longer has is emptied";
    EXPECT_EQ(view.SmallImages->Count(), 1) << "replaced, not added";
    EXPECT_EQ(PixelAt(view.SmallImages->At(0), 1, 8), Blank);
}

TEST(ListView, TheImageIndexComesFromTheImageListsTheViewHas)
{
    // Image lists that already hold two large and five small images.
    using Case = std::tuple<bool, bool, int>; // large list, small list, image index
    for (const auto& [large, small, index] :
         {Case{true, true, 2}, Case{true, false, 2}, Case{false, true, 5}, Case{false, false, -1}}) {
        TListView view;
        view.LargeImages = large ? ImagesWith(2) : nullptr;
        view.SmallImages = small ? ImagesWith(5) : nullptr;
        TColumnsEntry entry("e", "halves");
        const QTreeWidgetItem& item = AddToListView(entry, view, 0);
        EXPECT_EQ(ImageIndex(item), index) << large << small;
        EXPECT_EQ(item.icon(0).isNull(), index < 0) << large << small;
    }
}

TEST(TreeView, NodesGoUnderTheirParentWithTheEntrysMask)
{
    TTreeView view;
    view.Images = std::make_shared<TImageList>();
    TColumnsEntry parentEntry("parent", "halves");
    TColumnsEntry childEntry("child");
    QTreeWidgetItem& parent = AddToTreeView(parentEntry, view, nullptr);
    QTreeWidgetItem& child = AddToTreeView(childEntry, view, &parent);
    ASSERT_EQ(view.topLevelItemCount(), 1);
    EXPECT_EQ(parent.child(0), &child);
    EXPECT_EQ(AttachedEntry(child), &childEntry);

    parentEntry.Name = "renamed";
    SetTreeNode(parentEntry, parent);
    EXPECT_EQ(parent.text(0), "renamed");
    EXPECT_EQ(view.Images->Count(), 2);
    EXPECT_EQ(PixelAt(view.Images->At(0), 1, 8), Red);
    EXPECT_EQ(PixelAt(view.Images->At(0), 14, 8).alpha(), 0) << "blue stays see-through after a refresh";
}

} // namespace
} // namespace tarvo

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
