#pragma once
// The object stream: an in-memory byte buffer written and read with
// little-endian primitives, saved to and loaded from files in one piece.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "persist/errors.h"
#include "persist/streamable.h"

namespace tarvo {

class TObjectStream {
public:
    // The initial size of every stream except the hotkey files'.
    static constexpr size_t DefaultInitialSize = 512;
    // Capacity always grows in whole steps of this many bytes.
    static constexpr size_t CapacityStep = 8192;
    // Deeper nesting of objects than this cannot come from a real document;
    // it is refused so that damaged data cannot exhaust the call stack.
    static constexpr int MaxNesting = 256;

    // A buffer whose size is initialSize zero bytes, position 0.
    explicit TObjectStream(size_t initialSize);

    size_t Size() const { return size_; }
    size_t Capacity() const { return buffer_.size(); }
    size_t Position() const { return position_; }
    void SetPosition(size_t position);
    // The bytes from 0 to Size().
    std::vector<uint8_t> Bytes() const;

    void PutLong(int32_t value);
    int32_t GetLong();
    void PutInt(int32_t value);
    int32_t GetInt();
    void PutShort(int16_t value);
    int16_t GetShort();
    void PutWord(uint16_t value);
    uint16_t GetWord();
    void PutByte(uint8_t value);
    uint8_t GetByte();
    void PutBool(bool value);
    bool GetBool();
    // The text encoded for storing (text::Encode), as its length in bytes,
    // then the bytes; no terminator.
    void PutString(std::string_view text);
    // Reads a string and decodes it (text::Decode); a NUL inside it ends the
    // text (the rest is consumed).
    std::string GetString();
    // The class code of the object, then its fields.
    void PutObject(const TStreamableObject& object);
    // Reads a class code and creates the object registered under it.
    std::unique_ptr<TStreamableObject> GetObject();
    // GetObject for a field that holds a T: an object of another class means
    // the data is damaged (EStreamDamaged).
    template <class T>
    std::unique_ptr<T> GetObjectAs()
    {
        auto object = GetObject();
        T* typed = dynamic_cast<T*>(object.get());
        if (!typed)
            RaiseUnexpectedClass(*object, T::ClassName);
        object.release();
        return std::unique_ptr<T>(typed);
    }
    // GetObjectAs<List> for a list whose every object must be an Item.
    template <class List, class Item>
    std::unique_ptr<List> GetListOf()
    {
        auto list = GetObjectAs<List>();
        for (int i = 0; i < list->Count(); ++i)
            if (!dynamic_cast<const Item*>(list->At(i)))
                RaiseUnexpectedClass(*list->At(i), Item::ClassName);
        return list;
    }

    // Writes the bytes up to Size() to the file, replacing it as a whole: on
    // failure (EFCreateError) the previous file stays untouched.
    void SaveToFile(const std::string& fileName) const;
    // Replaces the content by the whole file; position 0.
    void LoadFromFile(const std::string& fileName);
    // Replaces the content by the given bytes; position 0.
    void LoadFromBytes(std::vector<uint8_t> bytes);

    // Raises EStreamDamaged with the detail, naming the file the data came from.
    [[noreturn]] void RaiseDamaged(std::string_view detail) const;
    // Raises EStreamDamaged for an object found where one of another class belongs.
    [[noreturn]] void RaiseUnexpectedClass(const TStreamableObject& found, std::string_view expectedClass) const;

private:
    void Write(const void* data, size_t count);
    void Read(void* data, size_t count);

    std::vector<uint8_t> buffer_; // its size is the capacity
    size_t size_ = 0;
    size_t position_ = 0;
    int nesting_ = 0;
    std::string fileName_; // the file the data came from, for error texts
};

// Reads the object file fileName: read(stream) takes its content from the
// loaded stream and returns it. A file that cannot be opened raises
// EFOpenError; an unknown class code in it is damage of that file
// (EStreamDamaged, naming the file).
template <class Read>
auto ReadObjectFile(const std::string& fileName, Read read)
{
    TObjectStream stream(TObjectStream::DefaultInitialSize);
    stream.LoadFromFile(fileName);
    try {
        return read(stream);
    } catch (const EClassNotFound& error) {
        stream.RaiseDamaged(error.what());
    }
}

// Writes the object (with its class code) to fileName through a stream of
// initialSize, replacing the file as a whole: on failure (EFCreateError) the
// previous file is untouched.
void WriteObjectFile(const TStreamableObject& object, const std::string& fileName, size_t initialSize);

// Reads the object stored in fileName; a missing file gives a default object
// of objectClass.
std::unique_ptr<TStreamableObject> LoadObjectFromFile(const TClassInfo& objectClass, const std::string& fileName);

} // namespace tarvo
