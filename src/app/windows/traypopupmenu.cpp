#include "app/windows/traypopupmenu.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "app/windows/exceptionreport.h"

namespace tarvo {

namespace {
constexpr int32_t FixedEntryTag = -1;
} // namespace

TTrayPopupMenu::TTrayPopupMenu(QMenu& menu) : menu_(menu)
{
    for (QAction* action : menu_.actions())
        entries_.push_back({action, action->data().toInt()});
}

int TTrayPopupMenu::Count() const
{
    return static_cast<int>(entries_.size());
}

int32_t TTrayPopupMenu::Tag(int index) const
{
    return entries_.at(index).Tag;
}

int TTrayPopupMenu::IndexOf(int32_t tag) const
{
    return static_cast<int>(std::ranges::find(entries_, tag, &TEntry::Tag) - entries_.begin());
}

void TTrayPopupMenu::Append(int32_t tag, TClickHandler onClick)
{
    QAction* entry = menu_.addAction(QString());
    entry->setData(tag);
    entries_.push_back({entry, tag});
    QObject::connect(entry, &QAction::triggered, entry, [entry, onClick = std::move(onClick)] {
        RunReportingErrors([&] { onClick(entry->data().toInt()); });
    });
}

void TTrayPopupMenu::SetCaption(int index, const std::string& caption)
{
    entries_.at(index).Action->setText(QString::fromStdString(caption));
}

void TTrayPopupMenu::Remove(int index)
{
    delete entries_.at(index).Action;
    entries_.erase(entries_.begin() + index);
}

void TTrayPopupMenu::MarkFixed(QAction& entry)
{
    entry.setData(FixedEntryTag);
}

} // namespace tarvo
