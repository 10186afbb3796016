#include "lang/container.h"

#include <algorithm>

#include "platform/errors.h"

namespace tarvo {

namespace {
std::unique_ptr<TContainerClassRegister> theRegister;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool TContainerClassRegister::TCaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

void TContainerClassRegister::Register(std::string_view className, Factory factory)
{
    classes_.emplace(std::string(className), factory);
}

TContainerClassRegister::Factory TContainerClassRegister::Find(std::string_view className) const
{
    const auto found = classes_.find(std::string(className));
    return found == classes_.end() ? nullptr : found->second;
}

TContainerClassRegister& ContainerClasses()
{
    if (!theRegister)
        throw EProgramError("the container class register is used before InitContainerModule");
    return *theRegister;
}

void CreateContainerClassRegister()
{
    theRegister = std::make_unique<TContainerClassRegister>();
}

void DestroyContainerClassRegister()
{
    theRegister.reset();
}

void StoreObject(const TContainerObject* object, TContainerWriter& writer)
{
    if (!object)
        throw EContainerClassNotFound("Nil Source Class!");
    const std::string_view name = object->ClassName().substr(0, MaxClassNameLength);
    if (!ContainerClasses().Find(name))
        throw EContainerClassNotFound(FormatMessage("Source Class <%s> not registered", name));
    writer.ShortString(name);
    object->SaveToStream(writer);
}

std::unique_ptr<TContainerObject> CreateStoredObject(TContainerReader& reader)
{
    const std::string name = reader.ShortString().substr(0, MaxClassNameLength);
    const auto factory = ContainerClasses().Find(name);
    if (!factory)
        throw EContainerClassNotFound(FormatMessage("Class <%s> not registered", name));
    return factory();
}

void LoadFromBlock(TContainerObject& object, std::span<const uint8_t> block)
{
    TContainerReader reader(block);
    object.LoadFromStream(reader);
    if (reader.Remaining() > 0)
        reader.RaiseDamaged(std::to_string(reader.Remaining()) + " bytes after the end of the "
                            + std::string(object.ClassName()));
}

std::vector<uint8_t> SaveToBlock(const TContainerObject& object)
{
    TContainerWriter writer;
    object.SaveToStream(writer);
    return writer.Bytes();
}

int GrownCapacity(int capacity)
{
    if (capacity > 8)
        return capacity + 16;
    if (capacity > 4)
        return capacity + 8;
    return capacity + 4;
}

void RaiseListIndexError()
{
    throw EContainerListError("tObjectList Index Eror!");
}

void RaiseNotInList(const TContainerObject& item)
{
    throw EContainerListError(FormatMessage("tObject %s not in item list", item.ClassName()));
}

} // namespace tarvo
