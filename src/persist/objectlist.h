#pragma once
// Owning object lists: TObjectList keeps objects in order and stores itself
// as a count followed by the objects; TSortedObjectList keeps its objects in
// the order of their Compare and finds them by binary search.

#include <cstdint>
#include <memory>
#include <vector>

#include "persist/errors.h"
#include "persist/streamable.h"

namespace tarvo {

// Base of everything that can be ordered.
class TCompareableObject : public TStreamableObject {
public:
    // Negative, 0 or positive as this object sorts before, equal to or after
    // other. Only the sign of the lowest byte counts; implementations return -1, 0, 1.
    virtual int Compare(const TStreamableObject& other) const = 0;
};

// -1, 0 or 1 for a three-way comparison of two ordered values.
template <class T>
int CompareValues(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

class TObjectList : public TStreamableObject {
    TARVO_CLASS(TObjectList)
    static int32_t GetRegistrationCode() { return 1001; }

    using ObjectPtr = std::unique_ptr<TStreamableObject>;

    TObjectList() = default;

    // Empties the list (destroying the objects) and clears the cursor.
    void Create() override;
    void Store(TObjectStream& stream) const override;
    // Runs the class's own Create, then appends the stored objects as they
    // come, without Add: nothing is re-sorted or numbered while loading.
    void Load(TObjectStream& stream) override;
    // Empties the target, then gives it a deep copy of each object through
    // the target's own Add.
    void CopyTo(TStreamableObject& target) const override;

    int Count() const { return static_cast<int>(items_.size()); }
    // The object at index; the list keeps it. EListError outside 0..Count-1.
    TStreamableObject* At(int index) const;
    // At, converted to T (EInvalidCast otherwise).
    template <class T>
    T* AtAs(int index) const
    {
        return &CastTo<T>(*At(index));
    }
    // The index of the object, -1 when it is not in the list.
    int IndexOf(const TStreamableObject* object) const;

    virtual void Add(ObjectPtr object);
    // Removes the object and hands it to the caller.
    virtual ObjectPtr Delete(const TStreamableObject* object);
    // Destroys every object and empties the list.
    virtual void FreeAll();
    virtual void AtInsert(int index, ObjectPtr object);

    // Removes the object at index and hands it to the caller.
    ObjectPtr AtDelete(int index);
    // Destroys the object at index.
    void AtFree(int index);
    // Empties the list, handing every object to the caller; cursor -1.
    std::vector<ObjectPtr> DeleteAll();
    // Moves the cursor back one; the object there, or nullptr below 0.
    TStreamableObject* Previous();

    // The cursor moved by Search; -1 when it points at nothing.
    int Current = -1;

protected:
    // The plain insertion with its cursor rule, shared by every Add.
    void InsertAt(int index, ObjectPtr object);

private:
    void CheckIndex(int index, int last) const;

    std::vector<ObjectPtr> items_;
};

class TSortedObjectList : public TObjectList {
    TARVO_CLASS(TSortedObjectList)

    // Inserts the object (a TCompareableObject) before any equal ones.
    void Add(ObjectPtr object) override;
    // Ignores the index: a sorted list places its objects itself.
    void AtInsert(int index, ObjectPtr object) override;

    // True with the index of the first object equal to key, or false with the
    // index where key would be inserted. Leaves Current before the run of equals.
    bool Search(const TCompareableObject& key, int& index);
};

// Start-up of the object list module: registers TObjectList.
void InitObjectListModule();

} // namespace tarvo
