#pragma once
// An object that saves itself into and loads itself from a configuration
// store. A derived class says which store to use and which values it has;
// DoStore and DoLoad do the rest. Structure objects have no class
// registration code of their own and are never written to an object stream.

#include <memory>

#include "persist/streamable.h"
#include "settings/configstructure.h"

namespace tarvo {

class TStructureObject : public TStreamableObject {
public:
    // Writes the object's values into the store.
    virtual void StoreInConfigStructure(TConfigStructure& store) const = 0;
    // Reads the object's values from the store.
    virtual void LoadFromConfigStructure(TConfigStructure& store) = 0;
    // Saves the object into a new store of GetConfigStructure. Store errors
    // pass to the caller.
    void DoStore() const;
    // Loads the object from a new store of GetConfigStructure. Store errors
    // pass to the caller.
    void DoLoad();
    // A new store in which the object keeps its values.
    virtual std::unique_ptr<TConfigStructure> GetConfigStructure() const = 0;
};

} // namespace tarvo
