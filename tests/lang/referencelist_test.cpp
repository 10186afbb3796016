#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

#include "lang/messagelist.h"
#include "lang/referencelist.h"
#include "persist/text.h"
#include "platform/fake/fakeservices.h"
#include "support/testsupport.h"

using namespace tarvo;

namespace {

// Entries numbered 0, 1, 2, ... in the order of the names, and a view of them.
class ReferenceListTest : public testing::Test {
protected:
    void AddEntries(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            auto entry = std::make_unique<TSimpleListEntry>();
            entry->Name = name;
            entries.Add(std::move(entry));
        }
        view.ReCreateFromList(entries);
    }

    static std::vector<int32_t> IDs(const TObjectList& list)
    {
        std::vector<int32_t> ids;
        for (int i = 0; i < list.Count(); ++i)
            ids.push_back(list.AtAs<TID>(i)->ID);
        return ids;
    }

    static std::string NameOf(const TListEntry* entry)
    {
        return entry ? CastTo<const TSimpleListEntry>(*entry).Name : "(nothing)";
    }

    TIDList entries;
    TReferenceList view;
};

} // namespace

TEST_F(ReferenceListTest, ShowsTheEntriesSortedIgnoringCaseEqualOnesLaterFirst)
{
    AddEntries({"beta", "Alpha", "gamma", "alpha"});
    QListWidget box;
    view.FillListBox(box);
    ASSERT_EQ(box.count(), 4);
    EXPECT_EQ(box.item(1)->text(), "Alpha");
    EXPECT_EQ(box.item(2)->text(), "beta");
    EXPECT_EQ(IDs(view), (std::vector<int32_t>{3, 1, 0, 2}));
    EXPECT_EQ(IDs(entries), (std::vector<int32_t>{0, 1, 2, 3})) << "the underlying list keeps its order";

    EXPECT_EQ(view.ObjectAt(-1), nullptr);
    EXPECT_EQ(view.ObjectAt(view.Count()), nullptr);
    EXPECT_EQ(view.IndexOfID(0), 2);
    EXPECT_EQ(view.GetObjectByID(7), nullptr);
    EXPECT_EQ(view.GetObjectByID(1)->ObjectItself, entries.ObjectWithID(1));
}

TEST_F(ReferenceListTest, OtherObjectsAreRefusedBeforeAndOtherControlsAfterTheRebuild)
{
    AddEntries({"kept"});
    TObjectList mixed;
    mixed.Add(std::make_unique<TSimpleListEntry>());
    mixed.Add(std::make_unique<TText>("no entry"));
    EXPECT_THROW(view.ReCreateFromList(mixed), EInvalidCast);
    QLineEdit edit;
    testsupport::ExpectFailure<EInvalidCast>([&] { view.UpdateControl(edit, mixed); }, "Ungültige Typumwandlung");
    ASSERT_EQ(view.Count(), 1);
    EXPECT_EQ(NameOf(view.ObjectAt(0)), "kept");

    auto added = std::make_unique<TSimpleListEntry>();
    added->Name = "added";
    entries.Add(std::move(added));
    EXPECT_THROW(view.UpdateControl(edit, entries), EInvalidCast);
    EXPECT_EQ(view.Count(), 2) << "the view is rebuilt before the control is refused";
}

TEST_F(ReferenceListTest, UpdateFollowsTheSelectedObjectFillAloneKeepsThePosition)
{
    AddEntries({"b", "c"});
    QListWidget listBox;
    QComboBox comboBox;
    for (QWidget* control : std::initializer_list<QWidget*>{&listBox, &comboBox}) {
        TIDList list;
        entries.CopyTo(list);
        TReferenceList references(list);
        references.UpdateControl(*control, list);
        references.SelectByID(*control, 1); // "c", at index 1
        auto entry = std::make_unique<TSimpleListEntry>();
        entry->Name = "a";
        list.Add(std::move(entry));
        references.UpdateControl(*control, list);
        EXPECT_EQ(NameOf(references.GetSelectedObject(*control)), "c") << control->metaObject()->className();
        EXPECT_EQ(references.GetSelectedID(*control), 1);

        // Rebuilding and filling alone keeps the position, not the object.
        auto rebuild = [&] {
            references.ReCreateFromList(list);
            if (control == &listBox)
                references.FillListBox(listBox);
            else
                references.FillComboBox(comboBox);
        };
        references.SelectByID(*control, 0); // "b", at index 1 now
        list.FreeID(2);                     // "a" goes: "b" moves up to index 0
        rebuild();
        EXPECT_EQ(NameOf(references.GetSelectedObject(*control)), "c") << "position 1 kept";
        list.FreeID(1);
        rebuild();
        EXPECT_EQ(references.GetSelectedID(*control), -1) << "an index beyond the items selects nothing";
    }
}

TEST_F(ReferenceListTest, UpdateAfterTheSelectedObjectWasDeletedSelectsNothing)
{
    AddEntries({"a", "b"});
    QListWidget box;
    view.FillListBox(box);
    view.SelectByID(box, 1);
    entries.FreeID(1); // the view still refers to it
    view.UpdateControl(box, entries);
    EXPECT_EQ(box.count(), 1);
    EXPECT_EQ(view.GetSelectedID(box), -1);
}

TEST_F(ReferenceListTest, SelectionOfUnknownIdentifiersAndForeignControls)
{
    AddEntries({"a"});
    QListWidget listBox;
    QLineEdit edit;
    view.FillListBox(listBox);
    EXPECT_EQ(view.GetSelectedID(listBox), -1);
    view.SelectByID(listBox, 0);
    view.SelectByID(listBox, 42);
    EXPECT_EQ(view.GetSelectedID(listBox), -1) << "an unknown identifier clears the selection";
    view.SelectByID(edit, 0); // left alone
    EXPECT_EQ(view.GetSelectedObject(edit), nullptr);
}

TEST_F(ReferenceListTest, ALineDeselectedByCtrlClickIsNotTheSelection)
{
    AddEntries({"a", "b"});
    QListWidget box;
    view.FillListBox(box);
    view.SelectByID(box, 1);
    const QPoint line = box.visualItemRect(box.item(1)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, line, box.viewport()->mapToGlobal(line), Qt::LeftButton, Qt::LeftButton,
                          Qt::ControlModifier);
        QApplication::sendEvent(box.viewport(), &click);
    }
    ASSERT_TRUE(box.selectedItems().isEmpty());
    EXPECT_EQ(view.GetSelectedID(box), -1);
    EXPECT_EQ(view.GetSelectedObject(box), nullptr);
    view.FillListBox(box);
    EXPECT_TRUE(box.selectedItems().isEmpty()) << "refilling selects no line";
}

TEST_F(ReferenceListTest, ComboBoxesLoseTheirEditTextGridsKeepTheirRow)
{
    AddEntries({"a", "b", "c"});
    QComboBox box;
    box.setEditable(true);
    box.setEditText("typed");
    view.FillComboBox(box);
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.currentText(), "");

    QTableWidget grid(5, 2);
    grid.setCurrentCell(2, 1);
    view.FillStringGrid(grid);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.currentRow(), 2);
    view.FreeAll();
    view.FillStringGrid(grid);
    EXPECT_EQ(grid.rowCount(), 1) << "at least one row";
}

TEST_F(ReferenceListTest, MultipleSelectionsGoByIdentifier)
{
    AddEntries({"c", "a", "b"});
    QListWidget box;
    box.setSelectionMode(QAbstractItemView::MultiSelection);
    view.FillListBox(box);
    box.item(0)->setSelected(true);
    TIDList wanted;
    for (int32_t id : {2, 99, 0})
        wanted.Add(std::make_unique<TID>(id));
    view.SelectByIDList(box, wanted);
    EXPECT_FALSE(box.item(0)->isSelected()) << "the earlier selection is gone";

    TObjectList selected;
    selected.Add(std::make_unique<TID>(5));
    view.GetSelectedIDs(box, selected);
    EXPECT_EQ(IDs(selected), (std::vector<int32_t>{2, 0})) << "\"b\" and \"c\", from the top";
}

TEST_F(ReferenceListTest, ANameUsedByAnotherEntryFailsTheCheckAndEveryClashIsReported)
{
    platform::TScopedFakeServices fakes;
    auto messages = std::make_unique<TMessageList>();
    auto message = std::make_unique<TAppMessage>();
    message->ID = 27;
    message->Text = "\"%s\" exists";
    messages->Messages.Add(std::move(message));
    LoadStandardMessages(std::move(messages), -1);

    AddEntries({"Alpha", "Beta", "Alpha"});
    TSimpleListEntry candidate;
    candidate.Name = "Beta";
    candidate.ID = 1;
    EXPECT_TRUE(view.CheckForExistingName(&candidate, true)) << "the entry itself";
    EXPECT_TRUE(view.CheckForExistingName(nullptr, true));
    candidate.Name = "beta";
    candidate.ID = 5;
    EXPECT_TRUE(view.CheckForExistingName(&candidate, true)) << "case counts";
    candidate.Name = "Alpha";
    EXPECT_FALSE(view.CheckForExistingName(&candidate, false));
    EXPECT_TRUE(fakes.MessageBox.Shown.empty());
    EXPECT_FALSE(view.CheckForExistingName(&candidate, true));
    FreeMessages();
    ASSERT_EQ(fakes.MessageBox.Shown.size(), 2u);
    EXPECT_EQ(fakes.MessageBox.Shown[0].Text, "\"Alpha\" exists");
    EXPECT_EQ(fakes.MessageBox.Shown[1].Text, "\"Alpha\" exists");
}

TEST_F(ReferenceListTest, CopiesAreNamedApartFromEveryReference)
{
    AddEntries({"Alpha", "Alpha (2)", "Beta"});
    TIDList target;
    target.Add(std::make_unique<TSimpleListEntry>());
    const int32_t first = view.CopyObject(0, target);
    const int32_t second = view.CopyObject(2, target);
    EXPECT_EQ(IDs(target), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(CastTo<TSimpleListEntry>(*target.ObjectWithID(first)).Name, "Alpha (3)");
    EXPECT_EQ(CastTo<TSimpleListEntry>(*target.ObjectWithID(second)).Name, "Beta (2)");
    EXPECT_EQ(NameOf(view.ObjectAt(0)), "Alpha") << "the original stays";
}

TEST_F(ReferenceListTest, CopyingNothingOrAnotherKindOfEntry)
{
    auto message = std::make_unique<TAppMessage>();
    message->ID = 50;
    entries.Add(std::move(message));
    AddEntries({"a"});
    TIDList target;
    EXPECT_EQ(view.CopyObject(-1, target), -1);
    EXPECT_EQ(view.CopyObject(7, target), -1);
    EXPECT_THROW(view.CopyObject(50, target), EInvalidCast) << "a message is no simple list entry";
    EXPECT_EQ(target.Count(), 0);
}
