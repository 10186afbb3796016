#pragma once
// Reference lists: a sorted, non-owning view of a list of list entries that
// fills list controls. Each reference holds the entry's identifier and the
// texts it is shown and sorted by, taken when the reference is made; the
// view must be rebuilt whenever the underlying list or a text changes.
//
// The controls are Qt widgets: a list box is a QListWidget, a combo box a
// QComboBox, a string grid a QTableWidget. Item i of a filled control is
// reference i of the list. The item index of a list box is the row of its
// selected item, -1 when no item is selected.

#include <cstdint>
#include <string>

#include "persist/identified.h"
#include "persist/listentry.h"

class QComboBox;
class QListWidget;
class QTableWidget;
class QWidget;

namespace tarvo {

// Shares TID's class code; reference lists are never stored.
class TObjectReference : public TID {
    TARVO_CLASS(TObjectReference)

    TObjectReference() = default;
    // CreateFor: a reference to the entry with its descriptions of the kinds.
    TObjectReference(TListEntry& object, int32_t displayKind, int32_t sortKind);

    void Create() override;
    // ID, the object (the pointer) and both texts.
    void CopyTo(TStreamableObject& target) const override;
    // By SortText, case ignored under the user's locale.
    int Compare(const TStreamableObject& other) const override;

    TListEntry* ObjectItself = nullptr; // not owned
    std::string DisplayText;
    std::string SortText;
};

class TReferenceList : public TSortedObjectList {
    TARVO_CLASS(TReferenceList)

    TReferenceList() = default;
    // CreateFromList.
    explicit TReferenceList(const TObjectList& list, int32_t displayKind = DescriptionDisplay,
                            int32_t sortKind = DescriptionSort);

    // Replaces the references by references to the list's objects (every
    // one a TListEntry, EInvalidCast otherwise, with nothing replaced),
    // sorted by their sort texts; equal texts stand in reverse list order.
    void ReCreateFromList(const TObjectList& list, int32_t displayKind = DescriptionDisplay,
                          int32_t sortKind = DescriptionSort);

    // Refills the box with the display texts and sets its item index back
    // to the number it had: the position is kept, not the object.
    void FillListBox(QListWidget& box) const;
    // The same for a combo box; its edit text is cleared as well.
    void FillComboBox(QComboBox& box) const;
    // Sets the grid's row count to the number of references (at least one)
    // and keeps its current row; the grid draws the cells itself.
    void FillStringGrid(QTableWidget& grid) const;
    // Rebuilds the view from the list and refills the list box or combo box
    // so that the object selected before is selected again. Any other
    // control: EInvalidCast, after the view was rebuilt.
    void UpdateControl(QWidget& control, const TObjectList& list, int32_t displayKind = DescriptionDisplay,
                       int32_t sortKind = DescriptionSort);

    // The object of reference index; nullptr outside the list.
    TListEntry* ObjectAt(int index) const;
    // The index of the first reference with the identifier, or -1.
    int IndexOfID(int32_t id) const;
    // The first reference with the identifier, or nullptr.
    TObjectReference* GetObjectByID(int32_t id) const;

    // Selects the reference with the identifier in a list box or combo box;
    // an identifier without one clears the selection. Other controls are
    // left alone.
    void SelectByID(QWidget& control, int32_t id) const;
    // The object selected in a list box or combo box; nullptr when nothing
    // is selected or the control is of another kind.
    TListEntry* GetSelectedObject(const QWidget& control) const;
    // The identifier of the selected reference, or -1. The object itself is
    // not touched, so this works after it was deleted from its list.
    int32_t GetSelectedID(const QWidget& control) const;
    // Selects exactly the items of the identifiers in the list of TID;
    // identifiers without a reference are skipped.
    void SelectByIDList(QListWidget& box, const TObjectList& ids) const;
    // Empties target, then adds a TID with the identifier of every selected
    // item, from the top.
    void GetSelectedIDs(const QListWidget& box, TObjectList& target) const;

    // True when no other reference (another identifier) shows the
    // candidate's display text; a candidate of nullptr passes. With report
    // set, each clash shows message 27 with the clashing text.
    bool CheckForExistingName(const TSimpleListEntry* candidate, bool report) const;
    // Adds a copy of the referenced TSimpleListEntry to target, named apart
    // from every reference ("Alpha (2)", "Alpha (3)", ...), and returns the
    // copy's identifier; -1 for the identifier -1 or one without a
    // reference. Another kind of object: EInvalidCast, nothing added.
    int32_t CopyObject(int32_t id, TObjectList& target) const;

private:
    const TObjectReference& Reference(int index) const { return *AtAs<TObjectReference>(index); }
    // The reference at index; nullptr outside the list.
    const TObjectReference* ReferenceAt(int index) const;
};

} // namespace tarvo
