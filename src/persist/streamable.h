#pragma once
// Streamable objects and class references.
//
// Every persistent value derives from TStreamableObject. Its class is
// described by a TClassInfo, a value that can be passed around and asked for
// the class's registration code, its name, a default-constructed instance and
// a loaded instance: the "virtual constructor" a stream needs to re-create an
// object from its class code.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tarvo {

class TObjectStream;
class TStreamableObject;

class TClassInfo {
public:
    using Factory = std::unique_ptr<TStreamableObject> (*)();

    TClassInfo(std::string_view name, int32_t code, Factory factory) : name_(name), code_(code), factory_(factory) { }

    std::string_view Name() const { return name_; }
    int32_t GetRegistrationCode() const { return code_; }

    // A new instance with every field at its default.
    std::unique_ptr<TStreamableObject> Create() const;
    // A new instance read from the stream by the class's Load.
    std::unique_ptr<TStreamableObject> Load(TObjectStream& stream) const;
    // A new instance of this class made from source: Create, then source's CopyTo.
    std::unique_ptr<TStreamableObject> CreateCopy(const TStreamableObject& source) const;

    bool operator==(const TClassInfo& other) const { return this == &other; }

private:
    std::string_view name_;
    int32_t code_;
    Factory factory_;
};

// The class reference of T. T names itself with the TARVO_CLASS macro and has
// a static GetRegistrationCode(); a class that does not declare its own code
// shares its parent's.
template <class T>
const TClassInfo& ClassOf()
{
    static const TClassInfo info(T::ClassName, T::GetRegistrationCode(),
                                 []() -> std::unique_ptr<TStreamableObject> { return std::make_unique<T>(); });
    return info;
}

// Declares the class's name and its class reference. Put it first in the
// class body; it leaves the access at public.
#define TARVO_CLASS(Class)                                                                                             \
public:                                                                                                                \
    static constexpr std::string_view ClassName = #Class;                                                              \
    const ::tarvo::TClassInfo& ClassType() const override                                                              \
    {                                                                                                                  \
        return ::tarvo::ClassOf<Class>();                                                                              \
    }

class TStreamableObject {
public:
    TStreamableObject() = default;
    virtual ~TStreamableObject() = default;
    TStreamableObject(const TStreamableObject&) = delete;
    TStreamableObject& operator=(const TStreamableObject&) = delete;

    // The class of this object; abstract classes leave it undefined.
    virtual const TClassInfo& ClassType() const = 0;

    // Resets every field of the object to its class's defaults.
    virtual void Create() { }
    // Writes the object's fields (no class code). Overrides call the parent first.
    virtual void Store(TObjectStream& /*stream*/) const { }
    // Reads the fields in the order Store wrote them. Overrides call the parent first.
    virtual void Load(TObjectStream& /*stream*/) { }
    // Copies the fields into target, which must be of this object's class.
    virtual void CopyTo(TStreamableObject& /*target*/) const { }

    // Copies source's fields into this object.
    void Assign(const TStreamableObject& source) { source.CopyTo(*this); }
    // A copy made by the class registered under this object's code, which
    // for a class sharing its parent's code is the parent class.
    std::unique_ptr<TStreamableObject> CopyToNew() const;
    // Writes the fields (no class code) to a file, with the 512-byte minimum size.
    void SaveToFile(const std::string& fileName) const;
};

} // namespace tarvo
