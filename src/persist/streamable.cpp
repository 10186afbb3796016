#include "persist/streamable.h"

#include "persist/classregistry.h"
#include "persist/objectstream.h"

namespace tarvo {

std::unique_ptr<TStreamableObject> TClassInfo::Create() const
{
    return factory_();
}

std::unique_ptr<TStreamableObject> TClassInfo::Load(TObjectStream& stream) const
{
    // If Load throws, the half-built object and everything it owns are destroyed here.
    auto object = factory_();
    object->Load(stream);
    return object;
}

std::unique_ptr<TStreamableObject> TClassInfo::CreateCopy(const TStreamableObject& source) const
{
    auto copy = factory_();
    copy->Create();
    source.CopyTo(*copy);
    return copy;
}

std::unique_ptr<TStreamableObject> TStreamableObject::CopyToNew() const
{
    const int32_t code = ClassType().GetRegistrationCode();
    return ClassRegistry().GetClassForID(code).CreateCopy(*this);
}

void TStreamableObject::SaveToFile(const std::string& fileName) const
{
    TObjectStream stream(TObjectStream::DefaultInitialSize);
    Store(stream);
    stream.SaveToFile(fileName);
}

} // namespace tarvo
