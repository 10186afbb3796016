#include <gtest/gtest.h>

#include "persist/objectstream.h"
#include "persist/text.h"

using namespace tarvo;

TEST(ObjectStream, TextAbcAsObject)
{
    TObjectStream stream(0);
    stream.PutObject(TText("abc"));
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{0xE8, 0x03, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'}));
}
