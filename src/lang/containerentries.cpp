#include "lang/containerentries.h"

#include <algorithm>

namespace tarvo {

namespace {

// Texts of a slot that is not the base: empty when equal to the base text.
std::string SlotText(const std::string& value, int slot, const std::string& baseText)
{
    return slot != 0 && value == baseText ? std::string() : value;
}

void CheckSlotAndLine(int slot, int line)
{
    if (slot < 0 || line < 0)
        RaiseListIndexError();
}

template <class T>
void DropFrom(std::vector<T>& values, int count)
{
    const auto keep = static_cast<size_t>(std::max(count, 0));
    if (values.size() > keep)
        values.resize(keep);
}

} // namespace

void ReadEntryVersion(TContainerReader& reader)
{
    if (reader.Long() != EntryVersion)
        throw EMLangInvalid("Version not supported !");
}

// ---- TCI ----

void TCI::SaveToStream(TContainerWriter& writer) const
{
    writer.Long(EntryVersion);
    writer.Long(0); // the component reference field, see containerentries.h
    writer.CountedString(PropertyName);
    writer.CountedString(ComponentName);
    writer.Long(ComponentIndex);
    writer.Long(LineCount);
}

void TCI::LoadFromStream(TContainerReader& reader)
{
    Component = nullptr;
    ReadEntryVersion(reader);
    reader.Long(); // the component reference of the writing process
    PropertyName = reader.CountedString();
    ComponentName = reader.CountedString();
    ComponentIndex = reader.Long();
    LineCount = reader.Long();
}

void TCI::CopyUnstoredState(const TContainerObject& original)
{
    Component = dynamic_cast<const TCI&>(original).Component;
}

void TCI::SetLength(int /*count*/)
{
    throw EMLangInvalid("SetLength not available for TCI !");
}

std::string TCI::GetValue(int /*slot*/) const
{
    throw EMLangInvalid("GetValue not available for Stringlist !");
}

void TCI::SetValue(const std::string& /*value*/, int /*slot*/)
{
    throw EMLangInvalid("SetValue not available for Stringlist !");
}

std::string TCI::GetStringList(int /*slot*/, int /*line*/) const
{
    throw EMLangInvalid("GetStringList not available for Info !");
}

void TCI::SetStringList(const std::string& /*value*/, int /*slot*/, int /*line*/)
{
    throw EMLangInvalid("SetStringList not available for Info !");
}

// ---- TCIStr ----

void TCIStr::SaveToStream(TContainerWriter& writer) const
{
    TCI::SaveToStream(writer);
    writer.Long(EntryVersion);
    writer.Texts(texts_);
}

void TCIStr::LoadFromStream(TContainerReader& reader)
{
    TCI::LoadFromStream(reader);
    ReadEntryVersion(reader);
    reader.Texts(texts_);
}

void TCIStr::SetLength(int count)
{
    DropFrom(texts_, count);
}

std::string TCIStr::GetValue(int slot) const
{
    return slot >= 0 && static_cast<size_t>(slot) < texts_.size() ? texts_[static_cast<size_t>(slot)] : std::string();
}

void TCIStr::SetValue(const std::string& value, int slot)
{
    CheckSlotAndLine(slot, 0);
    if (texts_.size() <= static_cast<size_t>(slot))
        texts_.resize(static_cast<size_t>(slot) + 1);
    texts_[static_cast<size_t>(slot)] = SlotText(value, slot, texts_[0]);
}

std::string TCIStr::GetStringList(int slot, int /*line*/) const
{
    return GetValue(slot);
}

void TCIStr::SetStringList(const std::string& value, int slot, int /*line*/)
{
    SetValue(value, slot);
}

void TCIStr::ApplyTo(QObject& component, int slot, const IComponentProperties& properties) const
{
    const std::string text = GetValue(slot);
    if (!text.empty())
        properties.WriteStringProperty(component, PropertyName, QString::fromUtf8(text));
}

// ---- TCIStrList ----

void TCIStrList::SaveToStream(TContainerWriter& writer) const
{
    TCI::SaveToStream(writer);
    writer.Long(EntryVersion);
    writer.Long(static_cast<int32_t>(lists_.size()));
    for (const auto& lines : lists_)
        writer.Texts(lines);
}

void TCIStrList::LoadFromStream(TContainerReader& reader)
{
    TCI::LoadFromStream(reader);
    ReadEntryVersion(reader);
    const int32_t slotCount = reader.Long();
    reader.CheckCount(slotCount, 4);
    for (int32_t slot = 0; slot < slotCount; ++slot)
        reader.Texts(lists_.emplace_back());
}

void TCIStrList::SetLength(int count)
{
    DropFrom(lists_, count);
}

std::string TCIStrList::GetStringList(int slot, int line) const
{
    if (slot < 0 || static_cast<size_t>(slot) >= lists_.size())
        return {};
    const auto& lines = lists_[static_cast<size_t>(slot)];
    return line >= 0 && static_cast<size_t>(line) < lines.size() ? lines[static_cast<size_t>(line)] : std::string();
}

void TCIStrList::SetStringList(const std::string& value, int slot, int line)
{
    CheckSlotAndLine(slot, line);
    if (lists_.size() <= static_cast<size_t>(slot))
        lists_.resize(static_cast<size_t>(slot) + 1);
    auto& lines = lists_[static_cast<size_t>(slot)];
    if (lines.size() <= static_cast<size_t>(line))
        lines.resize(static_cast<size_t>(line) + 1);
    // A line that slot 0 does not have counts as an empty base text.
    lines[static_cast<size_t>(line)] = SlotText(value, slot, GetStringList(0, line));
    for (const auto& list : lists_)
        LineCount = std::max(LineCount, static_cast<int32_t>(list.size()));
}

std::optional<TLineTarget> TCIStrList::LineTarget(QObject& component, const IComponentProperties& properties) const
{
    return properties.LinePropertyOf(component, PropertyName);
}

void TCIStrList::ApplyTo(QObject& component, int slot, const IComponentProperties& properties) const
{
    const auto target = LineTarget(component, properties);
    if (!target)
        return;
    const int lines = std::min(LineCount, static_cast<int32_t>(target->Count));
    for (int line = 0; line < lines; ++line) {
        const std::string text = GetStringList(slot, line);
        if (!text.empty())
            target->SetLine(line, QString::fromUtf8(text));
    }
}

std::optional<TLineTarget> TCIStPanels::LineTarget(QObject& component, const IComponentProperties& properties) const
{
    return properties.StatusPanelsOf(component);
}

std::optional<TLineTarget> TCIHdCtrl::LineTarget(QObject& component, const IComponentProperties& properties) const
{
    return properties.HeaderSectionsOf(component);
}

std::optional<TLineTarget> TCIListClmns::LineTarget(QObject& component, const IComponentProperties& properties) const
{
    return properties.ListColumnsOf(component);
}

// ---- TInfoList ----

void TInfoList::SaveToStream(TContainerWriter& writer) const
{
    TContainerList<TCI>::SaveToStream(writer);
    languages_->SaveToStream(writer);
}

void TInfoList::LoadFromStream(TContainerReader& reader)
{
    TContainerList<TCI>::LoadFromStream(reader);
    languages_->FreeAll();
    languages_->LoadFromStream(reader);
}

void TInfoList::Assign(const TInfoList& source)
{
    if (&source == this)
        return;
    FreeAll();
    for (int i = 0; i < source.Count(); ++i)
        Add(CloneObject(source.Get(i)));
    languages_->FreeAll();
    for (int i = 0; i < source.Languages().Count(); ++i)
        languages_->Add(CloneObject(source.Languages().Get(i)));
}

} // namespace tarvo
