#pragma once
// The class registry: maps the class code in front of every stored object
// back to the class that reads it.

#include <cstdint>
#include <memory>
#include <vector>

#include "persist/streamable.h"

namespace tarvo {

struct TRegistryEntry {
    explicit TRegistryEntry(const TClassInfo& objectClass)
        : Code(objectClass.GetRegistrationCode()), ObjectClass(&objectClass)
    {
    }
    int32_t Code;
    const TClassInfo* ObjectClass;
};

class TClassRegistry {
public:
    // Enters the class under its code. A code already taken is reported on
    // standard output and the class is entered all the same.
    void RegisterObjectClass(const TClassInfo& objectClass);
    template <class T>
    void RegisterObjectClass()
    {
        RegisterObjectClass(ClassOf<T>());
    }

    // Whether an entry with the code exists; position is its index, or the
    // index where it would be inserted (entries are ordered by descending code).
    bool GetPosition(int32_t code, int& position) const;
    // The entry with the code; nullptr when missing, or EClassNotFound when
    // raiseIfMissing is set.
    const TRegistryEntry* GetEntryForID(int32_t code, bool raiseIfMissing) const;
    // The class registered under the code; 108, an older code of the id
    // list, is read as 1003.
    const TClassInfo& GetClassForID(int32_t code) const;

    int Count() const { return static_cast<int>(entries_.size()); }
    const TRegistryEntry& At(int index) const { return entries_.at(static_cast<size_t>(index)); }

private:
    std::vector<TRegistryEntry> entries_;
};

// The one registry of the program; exists between InitObjectStreamModule and
// FinalizeObjectStreamModule.
TClassRegistry& ClassRegistry();

// Start-up of the object stream module: creates an empty registry
// (replacing any earlier one).
void InitObjectStreamModule();
void FinalizeObjectStreamModule();

} // namespace tarvo
