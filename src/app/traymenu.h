#pragma once
// The tray icon's popup menu as the hotkey registration keeps it: one entry
// per hotkey, tagged with the hotkey's ID.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvo {

class ITrayMenu {
public:
    // Called with the tag of the entry that was clicked.
    using TClickHandler = std::function<void(int32_t tag)>;

    virtual ~ITrayMenu() = default;
    virtual int Count() const = 0;
    virtual int32_t Tag(int index) const = 0;
    // The index of the first entry with the tag; Count() when there is none.
    virtual int IndexOf(int32_t tag) const = 0;
    // Appends an entry without a caption.
    virtual void Append(int32_t tag, TClickHandler onClick) = 0;
    virtual void SetCaption(int index, const std::string& caption) = 0;
    virtual void Remove(int index) = 0;
};

// A menu that is only kept in memory: for programs without a tray icon
// (tvotool listen) and for tests.
class TTrayMenuList : public ITrayMenu {
public:
    struct TEntry {
        int32_t Tag;
        std::string Caption;
        TClickHandler OnClick;
    };

    int Count() const override { return static_cast<int>(Entries.size()); }
    int32_t Tag(int index) const override { return Entries.at(index).Tag; }
    int IndexOf(int32_t tag) const override
    {
        return static_cast<int>(std::ranges::find(Entries, tag, &TEntry::Tag) - Entries.begin());
    }
    void Append(int32_t tag, TClickHandler onClick) override { Entries.push_back({tag, {}, std::move(onClick)}); }
    void SetCaption(int index, const std::string& caption) override { Entries.at(index).Caption = caption; }
    void Remove(int index) override { Entries.erase(Entries.begin() + index); }

    // What a click on the entry does.
    void Click(int index) const { Entries.at(index).OnClick(Entries.at(index).Tag); }

    std::vector<TEntry> Entries;
};

} // namespace tarvo
