#pragma once
// List entries: identified objects that can represent themselves in list
// controls. TSimpleListEntry adds a name, TBitmappedListEntry the names of
// its bitmap resource and file.

#include <cstdint>
#include <string>

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

    std::string ResourceName; // a bitmap resource of the program
    std::string BitmapFile;   // path of a bitmap file
};

// Start-up of the list-entry module: registers TSimpleListEntry and
// TBitmappedListEntry.
void InitListEntryModule();

} // namespace tarvo
