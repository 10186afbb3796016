#include "persist/classregistry.h"

#include "persist/errors.h"
#include "persist/log.h"

namespace tarvo {

namespace {
std::unique_ptr<TClassRegistry> theRegistry;

// The id list was stored under this code by older versions of the library.
constexpr int32_t OldIdListCode = 108;
constexpr int32_t IdListCode = 1003;
} // namespace

void TClassRegistry::RegisterObjectClass(const TClassInfo& objectClass)
{
    const int32_t code = objectClass.GetRegistrationCode();
    if (const TRegistryEntry* existing = GetEntryForID(code, false)) {
        LogPersistWarning("Class ID " + std::to_string(code) + " used by " + std::string(existing->ObjectClass->Name())
                          + " wanted by " + std::string(objectClass.Name()));
    }
    int position = 0;
    GetPosition(code, position);
    entries_.insert(entries_.begin() + position, TRegistryEntry(objectClass));
}

bool TClassRegistry::GetPosition(int32_t code, int& position) const
{
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int32_t entryCode = entries_[static_cast<size_t>(mid)].Code;
        if (entryCode == code) {
            position = mid;
            return true;
        }
        if (entryCode < code)
            high = mid - 1;
        else
            low = mid + 1;
    }
    position = low;
    return false;
}

const TRegistryEntry* TClassRegistry::GetEntryForID(int32_t code, bool raiseIfMissing) const
{
    int position = 0;
    if (GetPosition(code, position))
        return &entries_[static_cast<size_t>(position)];
    if (raiseIfMissing)
        throw EClassNotFound(code);
    return nullptr;
}

const TClassInfo& TClassRegistry::GetClassForID(int32_t code) const
{
    if (code == OldIdListCode)
        code = IdListCode;
    return *GetEntryForID(code, true)->ObjectClass;
}

TClassRegistry& ClassRegistry()
{
    if (!theRegistry)
        throw EProgramError("the class registry is used before InitObjectStreamModule");
    return *theRegistry;
}

void InitObjectStreamModule()
{
    theRegistry = std::make_unique<TClassRegistry>();
}

void FinalizeObjectStreamModule()
{
    theRegistry.reset();
}

} // namespace tarvo
