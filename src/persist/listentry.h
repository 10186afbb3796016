#pragma once
// List entries: identified objects that can represent themselves in list
// controls. TSimpleListEntry adds a name, TBitmappedListEntry the names of
// its bitmap resource and file.
//
// The list controls are widgets, which this library does not know: an entry
// says as plain data what it shows (its description, the texts of further
// columns, its bitmap names and mask colour), and persist/qt puts that into
// string grids, list views and tree views and loads the bitmaps. A derived
// entry still chooses its own texts and columns by overriding these
// operations, while the library and the tools built on it stay free of a
// user interface.

#include <cstdint>
#include <string>
#include <vector>

#include "persist/identified.h"

namespace tarvo {

// Kinds of description asked of a list entry.
enum TDescriptionKind : int32_t {
    DescriptionDisplay = 0, // the text shown in a list control
    DescriptionSort = 1,    // the text a list is sorted by
};

// Shares TID's class code, so a copy or a stored entry comes back as a TID.
class TListEntry : public TID {
    TARVO_CLASS(TListEntry)

    // The text that represents the entry; the base has none.
    virtual std::string GetDescription(int32_t kind) const;
    // The texts of the entry's string-grid row after the description in
    // column 0; value is passed on from the caller. The base fills none.
    virtual std::vector<std::string> GetStringGridCols(int32_t value) const;
};

class TSimpleListEntry : public TListEntry {
    TARVO_CLASS(TSimpleListEntry)
    static int32_t GetRegistrationCode() { return 1004; }

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    // The name, whatever the kind.
    std::string GetDescription(int32_t kind) const override;

    std::string Name;
};

class TBitmappedListEntry : public TSimpleListEntry {
    TARVO_CLASS(TBitmappedListEntry)
    static int32_t GetRegistrationCode() { return 1005; }
    // Written in front of the entry's own fields; read and not used.
    static constexpr int32_t StreamVersion = 100;

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;

    // The colour of the bitmaps' see-through pixels, 0xRRGGBB; 0 for none.
    virtual uint32_t GetMaskColor() const;
    // The texts of the entry's sub-items in a list view, the columns after
    // its caption; value is passed on from the caller. The base has none.
    virtual std::vector<std::string> GetListItemCols(int32_t value) const;

    std::string ResourceName; // a bitmap resource of the program
    std::string BitmapFile;   // path of a bitmap file
};

// Start-up of the list-entry module: registers TSimpleListEntry and
// TBitmappedListEntry.
void InitListEntryModule();

} // namespace tarvo
