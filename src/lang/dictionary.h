#pragma once
// Dictionaries: phrases held in every language slot, with the slots that
// label them; the store of translations that belong to no form. They are
// registered container classes, so that a stored dictionary can be read and
// written like a form's translations. The program itself uses none.

#include <string>
#include <vector>

#include "lang/container.h"
#include "lang/containerlanguages.h"

namespace tarvo {

// One phrase: its text in each slot, slot 0 first. Stored as 100, the number
// of texts and the texts as counted strings.
class TDictionaryItem : public TContainerObject {
    TARVO_CONTAINER_CLASS(TDictionaryItem)

    void SaveToStream(TContainerWriter& writer) const override;
    // Appends the stored texts; EMLangInvalid "Version not supported !"
    // unless the record version is 100.
    void LoadFromStream(TContainerReader& reader) override;

    std::vector<std::string> Texts;
};

// The phrases, then the language slots. A new dictionary has an empty slot
// list, which is stored like any other.
class TDictionary : public TContainerList<TDictionaryItem> {
    TARVO_CONTAINER_CLASS(TDictionary)

    void SaveToStream(TContainerWriter& writer) const override;
    // Appends the stored phrases and the stored slots to those it holds.
    void LoadFromStream(TContainerReader& reader) override;

    TLngLst Languages;
};

} // namespace tarvo
