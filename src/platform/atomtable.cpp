#include "platform/atomtable.h"

#include "platform/errors.h"

namespace tarvo::platform {

uint16_t TAtomTable::Add(std::string_view text)
{
    if (auto found = atoms_.find(text); found != atoms_.end()) {
        ++entries_[found->second].Count;
        return found->second;
    }
    uint16_t atom;
    if (!freed_.empty()) {
        atom = *freed_.begin();
        freed_.erase(freed_.begin());
    } else if (next_ <= 0xFFFF) {
        atom = static_cast<uint16_t>(next_++);
    } else {
        throw EAtomTableFull("The global atom table is full: all 16384 atoms are in use.");
    }
    atoms_.emplace(text, atom);
    entries_.emplace(atom, TEntry{std::string(text), 1});
    return atom;
}

void TAtomTable::Delete(uint16_t atom)
{
    // An atom that is not in the table is left alone: callers delete the ids
    // of hotkeys that may never have been registered (id 0), and nothing
    // depends on the outcome.
    auto found = entries_.find(atom);
    if (found == entries_.end() || --found->second.Count > 0)
        return;
    atoms_.erase(found->second.Text);
    entries_.erase(found);
    freed_.insert(atom);
}

TAtomTable& GlobalAtoms()
{
    static TAtomTable table;
    return table;
}

} // namespace tarvo::platform
