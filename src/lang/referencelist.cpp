#include "lang/referencelist.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

#include <algorithm>
#include <vector>

#include "lang/messagelist.h"
#include "persist/errors.h"
#include "persist/textservices.h"

namespace tarvo {

namespace {

// The message that reports a name used by another entry.
constexpr int32_t NameExistsMessage = 27;

// The row of the selected item of a list box, -1 when no item is selected.
// Qt keeps the current row when a Ctrl+click deselects its item, so the
// current row counts only while its item is selected; in a multi-selection
// box it names the selected item that has the focus.
int ItemIndexOf(const QListWidget& box)
{
    if (box.currentItem() && box.currentItem()->isSelected())
        return box.currentRow();
    const QList<QListWidgetItem*> selected = box.selectedItems();
    return selected.isEmpty() ? -1 : box.row(selected.first());
}

// The item index of a list box or combo box; -1 for other controls.
int ItemIndexOf(const QWidget& control)
{
    if (const auto* box = qobject_cast<const QListWidget*>(&control))
        return ItemIndexOf(*box);
    if (const auto* box = qobject_cast<const QComboBox*>(&control))
        return box->currentIndex();
    return -1;
}

// Sets the item index of a list box or combo box; -1, or an index beyond
// the items, selects nothing. Other controls are left alone.
void SetItemIndex(QWidget& control, int index)
{
    if (auto* box = qobject_cast<QListWidget*>(&control))
        box->setCurrentRow(index);
    else if (auto* box = qobject_cast<QComboBox*>(&control))
        box->setCurrentIndex(index);
}

} // namespace

TObjectReference::TObjectReference(TListEntry& object, int32_t displayKind, int32_t sortKind)
    : TID(object.ID), ObjectItself(&object), DisplayText(object.GetDescription(displayKind)),
      SortText(object.GetDescription(sortKind))
{
}

void TObjectReference::Create()
{
    TID::Create();
    ObjectItself = nullptr;
    DisplayText.clear();
    SortText.clear();
}

void TObjectReference::CopyTo(TStreamableObject& target) const
{
    TID::CopyTo(target);
    auto& reference = CastTo<TObjectReference>(target);
    reference.ObjectItself = ObjectItself;
    reference.DisplayText = DisplayText;
    reference.SortText = SortText;
}

int TObjectReference::Compare(const TStreamableObject& other) const
{
    return text::CompareIgnoreCase(SortText, CastTo<const TObjectReference>(other).SortText);
}

TReferenceList::TReferenceList(const TObjectList& list, int32_t displayKind, int32_t sortKind)
{
    ReCreateFromList(list, displayKind, sortKind);
}

void TReferenceList::ReCreateFromList(const TObjectList& list, int32_t displayKind, int32_t sortKind)
{
    std::vector<ObjectPtr> references;
    for (int i = 0; i < list.Count(); ++i)
        references.push_back(
            std::make_unique<TObjectReference>(CastTo<TListEntry>(*list.At(i)), displayKind, sortKind));
    FreeAll();
    for (auto& reference : references)
        Add(std::move(reference));
}

void TReferenceList::FillListBox(QListWidget& box) const
{
    const int index = ItemIndexOf(box);
    box.clear();
    for (int i = 0; i < Count(); ++i)
        box.addItem(QString::fromStdString(Reference(i).DisplayText));
    box.setCurrentRow(index);
}

void TReferenceList::FillComboBox(QComboBox& box) const
{
    const int index = box.currentIndex();
    box.clear();
    box.clearEditText();
    for (int i = 0; i < Count(); ++i)
        box.addItem(QString::fromStdString(Reference(i).DisplayText));
    box.setCurrentIndex(index);
}

void TReferenceList::FillStringGrid(QTableWidget& grid) const
{
    const int row = grid.currentRow();
    const int column = std::max(grid.currentColumn(), 0);
    grid.setRowCount(std::max(Count(), 1));
    grid.setCurrentCell(row, column);
}

void TReferenceList::UpdateControl(QWidget& control, const TObjectList& list, int32_t displayKind, int32_t sortKind)
{
    const int32_t selected = GetSelectedID(control);
    ReCreateFromList(list, displayKind, sortKind);
    auto* listBox = qobject_cast<QListWidget*>(&control);
    auto* comboBox = qobject_cast<QComboBox*>(&control);
    if (!listBox && !comboBox)
        throw EInvalidCast();
    if (listBox)
        FillListBox(*listBox);
    else
        FillComboBox(*comboBox);
    SelectByID(control, selected);
}

const TObjectReference* TReferenceList::ReferenceAt(int index) const
{
    return index >= 0 && index < Count() ? AtAs<TObjectReference>(index) : nullptr;
}

TListEntry* TReferenceList::ObjectAt(int index) const
{
    const TObjectReference* reference = ReferenceAt(index);
    return reference ? reference->ObjectItself : nullptr;
}

int TReferenceList::IndexOfID(int32_t id) const
{
    for (int i = 0; i < Count(); ++i)
        if (Reference(i).ID == id)
            return i;
    return -1;
}

TObjectReference* TReferenceList::GetObjectByID(int32_t id) const
{
    const int index = IndexOfID(id);
    return index < 0 ? nullptr : AtAs<TObjectReference>(index);
}

void TReferenceList::SelectByID(QWidget& control, int32_t id) const
{
    SetItemIndex(control, IndexOfID(id));
}

TListEntry* TReferenceList::GetSelectedObject(const QWidget& control) const
{
    return ObjectAt(ItemIndexOf(control));
}

int32_t TReferenceList::GetSelectedID(const QWidget& control) const
{
    // The reference's own copy of the identifier: UpdateControl asks for it
    // right after the selected object may have been deleted from its list.
    const TObjectReference* reference = ReferenceAt(ItemIndexOf(control));
    return reference ? reference->ID : TID::NoID;
}

void TReferenceList::SelectByIDList(QListWidget& box, const TObjectList& ids) const
{
    box.clearSelection();
    for (int i = 0; i < ids.Count(); ++i)
        if (QListWidgetItem* item = box.item(IndexOfID(ids.AtAs<TID>(i)->ID)))
            item->setSelected(true);
}

void TReferenceList::GetSelectedIDs(const QListWidget& box, TObjectList& target) const
{
    target.FreeAll();
    // Items beyond the references cannot come from this list; they have no identifier.
    const int items = std::min(box.count(), Count());
    for (int i = 0; i < items; ++i)
        if (box.item(i)->isSelected())
            target.Add(std::make_unique<TID>(Reference(i).ID));
}

bool TReferenceList::CheckForExistingName(const TSimpleListEntry* candidate, bool report) const
{
    if (!candidate)
        return true;
    const std::string name = candidate->GetDescription(DescriptionDisplay);
    bool unique = true;
    for (int i = 0; i < Count(); ++i) {
        const TObjectReference& reference = Reference(i);
        if (reference.DisplayText != name || reference.ID == candidate->ID)
            continue;
        unique = false;
        if (report)
            ShowMessageNoFmt(NameExistsMessage, {reference.DisplayText});
    }
    return unique;
}

int32_t TReferenceList::CopyObject(int32_t id, TObjectList& target) const
{
    const TObjectReference* reference = id == TID::NoID ? nullptr : GetObjectByID(id);
    if (!reference)
        return TID::NoID;
    auto copy = CastTo<TSimpleListEntry>(*reference->ObjectItself).CopyToNew();
    auto& entry = CastTo<TSimpleListEntry>(*copy);
    entry.ID = TID::NoID;
    const std::string base = entry.Name;
    for (int n = 2; !CheckForExistingName(&entry, false); ++n)
        entry.Name = base + " (" + std::to_string(n) + ")";
    target.Add(std::move(copy));
    return entry.ID;
}

} // namespace tarvo
