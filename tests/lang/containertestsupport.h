#pragma once
// Helpers of the translation container tests: literal bytes, stored
// objects and sample entries.

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string_view>

#include "lang/container.h"
#include "lang/containerentries.h"
#include "support/testsupport.h"

namespace tarvo::testsupport {

// The characters of an ASCII text as bytes.
inline Bytes Ascii(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

// The object as a stored object: class name, then data.
inline Bytes Stored(const TContainerObject* object)
{
    TContainerWriter writer;
    StoreObject(object, writer);
    return writer.Bytes();
}

// Reads one stored object and expects it to use up all of the bytes.
inline std::unique_ptr<TContainerObject> LoadStored(const Bytes& bytes)
{
    TContainerReader reader(bytes);
    auto object = LoadObject<TContainerObject>(reader);
    EXPECT_EQ(reader.Remaining(), 0u) << "reads exactly what was written";
    return object;
}

// The caption of the main window's Label3: English "current file:", German
// "aktuelle Datei:", component index 4.
inline std::unique_ptr<TCIStr> Label3Entry()
{
    auto entry = std::make_unique<TCIStr>();
    entry->PropertyName = "Caption";
    entry->ComponentName = "Label3";
    entry->ComponentIndex = 4;
    entry->SetValue("current file:", 0);
    entry->SetValue("aktuelle Datei:", 1);
    return entry;
}

// Label3Entry as stored, written out byte by byte (component reference 0).
inline Bytes Label3Bytes()
{
    return Join({{0x06},
                 Ascii("TCIStr"),
                 {0x64, 0, 0, 0},
                 {0, 0, 0, 0},
                 {0x08, 0, 0, 0},
                 Ascii("Caption"),
                 {0},
                 {0x07, 0, 0, 0},
                 Ascii("Label3"),
                 {0},
                 {0x04, 0, 0, 0},
                 {0x01, 0, 0, 0},
                 {0x64, 0, 0, 0},
                 {0x02, 0, 0, 0},
                 {0x0e, 0, 0, 0},
                 Ascii("current file:"),
                 {0},
                 {0x10, 0, 0, 0},
                 Ascii("aktuelle Datei:"),
                 {0}});
}

// The two slots of every form: English and German.
inline Bytes EnglishGermanSlotBytes()
{
    return Join(
        {{0x01, 0x02, 0x00}, {0x06}, Ascii("TLngId"), {0x07, 0, 0, 0}, {0x06}, Ascii("TLngId"), {0x0a, 0, 0, 0}});
}

// A list entry of the given class with three lines in slot 0 and two of
// their translations in slot 1 (line 0 is the same in both).
template <class Entry = TCIStrList>
std::unique_ptr<Entry> ExecModeEntry()
{
    auto entry = std::make_unique<Entry>();
    entry->PropertyName = "Items";
    entry->ComponentName = "CBExecMode";
    entry->ComponentIndex = 2;
    const char* lines[][2] = {{"normal", "normal"}, {"minimized", "minimiert"}, {"maximized", "maximiert"}};
    for (int line = 0; line < 3; ++line) {
        entry->SetStringList(lines[line][0], 0, line);
        entry->SetStringList(lines[line][1], 1, line);
    }
    return entry;
}

// A container with an entry of every class and the English and German slots.
inline std::unique_ptr<TInfoList> SampleContainer()
{
    auto container = std::make_unique<TInfoList>();
    container->Add(Label3Entry());
    container->Add(ExecModeEntry<TCIStrList>());
    container->Add(ExecModeEntry<TCIStPanels>());
    container->Add(ExecModeEntry<TCIHdCtrl>());
    container->Add(ExecModeEntry<TCIListClmns>());
    container->Languages().Add(std::make_unique<TLngId>(lgENGLISH));
    container->Languages().Add(std::make_unique<TLngId>(lgGERMAN));
    return container;
}

} // namespace tarvo::testsupport
