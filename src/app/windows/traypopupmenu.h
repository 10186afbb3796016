#pragma once
// The tray menu on a Qt popup menu: the entries that the hotkey registration
// keeps are the menu's actions, each tagged with its action's data. Fixed
// entries of the menu carry the tag -1, which no hotkey has.
//
// The registration looks entries up by tag once per hotkey, so the entries
// and their tags are also kept in a plain list: with thousands of hotkeys,
// asking the menu for its actions and their data each time takes seconds.
// Once this object exists, entries are added and removed only through it.

#include <vector>

#include "app/traymenu.h"

class QAction;
class QMenu;

namespace tarvo {

class TTrayPopupMenu : public ITrayMenu {
public:
    // The menu must outlive this object; the entries it has are kept.
    explicit TTrayPopupMenu(QMenu& menu);

    int Count() const override;
    int32_t Tag(int index) const override;
    int IndexOf(int32_t tag) const override;
    // The click handler's errors are reported, not passed to the event loop.
    void Append(int32_t tag, TClickHandler onClick) override;
    void SetCaption(int index, const std::string& caption) override;
    void Remove(int index) override;

    // Tags an entry that belongs to no hotkey.
    static void MarkFixed(QAction& entry);

private:
    struct TEntry {
        QAction* Action;
        int32_t Tag;
    };

    QMenu& menu_;
    std::vector<TEntry> entries_;
};

} // namespace tarvo
