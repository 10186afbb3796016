#include "app/windows/traypopupmenu.h"

#include <QAction>
#include <QMenu>

#include "app/windows/exceptionreport.h"

namespace tarvo {

namespace {
constexpr int32_t FixedEntryTag = -1;
} // namespace

int TTrayPopupMenu::Count() const
{
    return static_cast<int>(menu_.actions().size());
}

int32_t TTrayPopupMenu::Tag(int index) const
{
    return Entry(index).data().toInt();
}

void TTrayPopupMenu::Append(int32_t tag, TClickHandler onClick)
{
    QAction* entry = menu_.addAction(QString());
    entry->setData(tag);
    QObject::connect(entry, &QAction::triggered, entry, [entry, onClick = std::move(onClick)] {
        RunReportingErrors([&] { onClick(entry->data().toInt()); });
    });
}

void TTrayPopupMenu::SetCaption(int index, const std::string& caption)
{
    Entry(index).setText(QString::fromStdString(caption));
}

void TTrayPopupMenu::Remove(int index)
{
    delete &Entry(index);
}

void TTrayPopupMenu::MarkFixed(QAction& entry)
{
    entry.setData(FixedEntryTag);
}

QAction& TTrayPopupMenu::Entry(int index) const
{
    return *menu_.actions().at(index);
}

} // namespace tarvo
