#pragma once
// Identified objects: TID carries a signed 32-bit identifier (-1: none yet),
// TIDList keeps them in identifier order, hands out new identifiers and never
// reuses one.

#include <cstdint>

#include "persist/objectlist.h"

namespace tarvo {

class TID : public TCompareableObject {
    TARVO_CLASS(TID)
    static int32_t GetRegistrationCode() { return 1002; }
    static constexpr int32_t NoID = -1;

    TID() = default;
    // CreateWithID: a default object with the given identifier.
    explicit TID(int32_t id) : ID(id) { }

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    // By identifier, signed.
    int Compare(const TStreamableObject& other) const override;

    int32_t ID = NoID;
};

// An object with a second identifier, ordered by ID, then SubID.
class TDID : public TID {
    TARVO_CLASS(TDID)
    static int32_t GetRegistrationCode() { return 1011; }

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    int Compare(const TStreamableObject& other) const override;

    int32_t SubID = NoID;
};

class TIDList : public TSortedObjectList {
    TARVO_CLASS(TIDList)
    static int32_t GetRegistrationCode() { return 1003; }

    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;

    // A TID without an identifier is numbered (AddNew); one with an
    // identifier keeps it and leaves LastID alone.
    void Add(ObjectPtr object) override;
    // Destroys every object; LastID goes back to -1.
    void FreeAll() override;

    // The index of the first object with the identifier, or -1.
    virtual int SearchID(int32_t id);
    // Gives the object the identifier after LastID and inserts it.
    virtual void AddNew(ObjectPtr object);
    // The first object with the identifier, or nullptr.
    virtual TID* ObjectWithID(int32_t id);

    bool IDExists(int32_t id);
    // Destroys the object with the identifier, if there is one.
    void FreeID(int32_t id);
    // LastID := the largest identifier in the list, -1 when empty.
    void RecalcLastID();

    // The last identifier handed out, -1 when none.
    int32_t LastID = TID::NoID;
};

// Start-up of the identified-object module: registers TID, TIDList, TDID.
void InitIdentifiedModule();

} // namespace tarvo
