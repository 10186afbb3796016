#pragma once
// Helpers of the tests that write objects to a stream and read them back.

#include <gtest/gtest.h>

#include <memory>

#include "persist/objectstream.h"
#include "persist/streamable.h"
#include "support/testsupport.h"

namespace tarvo::testsupport {

// The bytes of the object written with its class code.
inline Bytes ObjectBytes(const TStreamableObject& object)
{
    TObjectStream stream(0);
    stream.PutObject(object);
    return stream.Bytes();
}

// A stream holding exactly the bytes, positioned at their start.
inline TObjectStream StreamOf(const Bytes& bytes)
{
    TObjectStream stream(0);
    stream.LoadFromBytes(bytes);
    return stream;
}

// Reads one object of whatever class the bytes name; expects it to use up
// all of the bytes.
inline std::unique_ptr<TStreamableObject> LoadObject(const Bytes& bytes)
{
    TObjectStream stream = StreamOf(bytes);
    auto object = stream.GetObject();
    EXPECT_EQ(stream.Position(), bytes.size()) << "reads exactly what was written";
    return object;
}

// Reads one object back as a T (an object of another class is damaged data,
// EStreamDamaged); expects it to use up all of the bytes.
template <class T>
std::unique_ptr<T> LoadObject(const Bytes& bytes)
{
    TObjectStream stream = StreamOf(bytes);
    auto object = stream.GetObjectAs<T>();
    EXPECT_EQ(stream.Position(), bytes.size()) << "reads exactly what was written";
    return object;
}

// The object written to a stream and read back.
template <class T>
std::unique_ptr<T> RoundTrip(const T& object)
{
    return LoadObject<T>(ObjectBytes(object));
}

} // namespace tarvo::testsupport
