#pragma once
// The global atom table: strings mapped to 16-bit ids that stay the same
// while the string is in the table. Registration ids of hotkeys are made here.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "platform/errors.h"

namespace tarvo::platform {

// All 16384 atoms are in use.
class EAtomTableFull : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

class TAtomTable {
public:
    static constexpr uint16_t FirstAtom = 0xC000;

    // The string's atom. A string already in the table keeps its atom and is
    // counted once more; a new one gets the lowest atom not in use. Raises
    // EAtomTableFull when all 16384 atoms are in use.
    uint16_t Add(std::string_view text);
    // Counts the atom's string down and frees the atom when the count
    // reaches 0.
    void Delete(uint16_t atom);

private:
    struct TEntry {
        std::string Text;
        int Count = 0;
    };
    std::map<std::string, uint16_t, std::less<>> atoms_;
    std::map<uint16_t, TEntry> entries_;
    std::set<uint16_t> freed_; // atoms below next_ that are free again
    uint32_t next_ = FirstAtom;
};

// The program's one table.
TAtomTable& GlobalAtoms();

} // namespace tarvo::platform
