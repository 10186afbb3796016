#pragma once
// Translation entries and the translation container of a form.
//
// An entry names a component of the form (by name and by its index among the
// components of its owner) and one of its properties, and holds that
// property's text, or its lines, in every language slot. Slot 0 is the base
// language: an empty text in another slot means "no translation of its own",
// and applying it leaves the property as it is, so the base text shows.
//
// Stored, every entry begins with its TCI part: 100, a component reference
// field, the property name, the component name, the component index and the
// line count. The reference field is always written as 0 and ignored when
// read: an address means nothing outside the process that wrote it. A clone
// takes the bound component over from its original instead.

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lang/container.h"
#include "lang/containerlanguages.h"
#include "lang/componentproperties.h"

namespace tarvo {

// The version every stored entry record carries.
inline constexpr int32_t EntryVersion = 100;
// Reads a record version: EMLangInvalid "Version not supported !" unless 100.
void ReadEntryVersion(TContainerReader& reader);

// Base of the entries. Its text operations raise EMLangInvalid; each entry
// class overrides those it supports.
class TCI : public TContainerObject {
public:
    void SaveToStream(TContainerWriter& writer) const override;
    void LoadFromStream(TContainerReader& reader) override;
    void CopyUnstoredState(const TContainerObject& original) override;

    // Drops the texts of every slot from count on.
    virtual void SetLength(int count);
    virtual std::string GetValue(int slot) const;
    virtual void SetValue(const std::string& value, int slot);
    virtual std::string GetStringList(int slot, int line) const;
    virtual void SetStringList(const std::string& value, int slot, int line);
    // Writes the slot's text(s) into the component through properties.
    // Empty texts are skipped, and so is a component without the property.
    virtual void ApplyTo(QObject& component, int slot, const IComponentProperties& properties) const = 0;

    // The component the entry is bound to; unset until its switcher binds it,
    // and unset again when the component goes.
    QPointer<QObject> Component;
    std::string PropertyName;
    std::string ComponentName;
    // -1 for the form itself.
    int32_t ComponentIndex = 0;
    // 1 for a text entry; for a list entry the most lines any slot holds.
    int32_t LineCount = 0;
};

// One string property, one text per slot.
class TCIStr : public TCI {
    TARVO_CONTAINER_CLASS(TCIStr)

    TCIStr() { LineCount = 1; }

    void SaveToStream(TContainerWriter& writer) const override;
    void LoadFromStream(TContainerReader& reader) override;

    void SetLength(int count) override;
    // The slot's text; empty for a slot the entry does not have.
    std::string GetValue(int slot) const override;
    // Slot 0 takes the value as it is; another slot stores the empty text
    // when the value equals the slot-0 text exactly. A negative slot is the
    // list index error.
    void SetValue(const std::string& value, int slot) override;
    std::string GetStringList(int slot, int line) const override;
    void SetStringList(const std::string& value, int slot, int line) override;
    void ApplyTo(QObject& component, int slot, const IComponentProperties& properties) const override;

    const std::vector<std::string>& Texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
};

// A list of lines (the items of a combo box), one list per slot. The lists
// may differ in length.
class TCIStrList : public TCI {
    TARVO_CONTAINER_CLASS(TCIStrList)

    void SaveToStream(TContainerWriter& writer) const override;
    void LoadFromStream(TContainerReader& reader) override;

    void SetLength(int count) override;
    // The line of the slot; empty when the slot or the line does not exist.
    std::string GetStringList(int slot, int line) const override;
    // Slot 0 takes the value as it is; another slot stores the empty text
    // when the value equals the same line of slot 0 exactly (a line slot 0
    // does not have counts as empty). The line count grows to the longest
    // list and never shrinks. A negative slot or line is the list index error.
    void SetStringList(const std::string& value, int slot, int line) override;
    // Replaces the lines of the target in place, up to the shorter of the
    // line count and the target's length.
    void ApplyTo(QObject& component, int slot, const IComponentProperties& properties) const override;

    const std::vector<std::vector<std::string>>& Lists() const { return lists_; }

protected:
    // The lines the entry translates on the component; none when it has none.
    virtual std::optional<TLineTarget> LineTarget(QObject& component, const IComponentProperties& properties) const;

private:
    std::vector<std::vector<std::string>> lists_;
};

// The panels of a status bar; the property name is not consulted.
class TCIStPanels : public TCIStrList {
    TARVO_CONTAINER_CLASS(TCIStPanels)
protected:
    std::optional<TLineTarget> LineTarget(QObject& component, const IComponentProperties& properties) const override;
};

// The sections of a header; the property name is not consulted.
class TCIHdCtrl : public TCIStrList {
    TARVO_CONTAINER_CLASS(TCIHdCtrl)
protected:
    std::optional<TLineTarget> LineTarget(QObject& component, const IComponentProperties& properties) const override;
};

// The column captions of a list; the property name is not consulted.
class TCIListClmns : public TCIStrList {
    TARVO_CONTAINER_CLASS(TCIListClmns)
protected:
    std::optional<TLineTarget> LineTarget(QObject& component, const IComponentProperties& properties) const override;
};

// The translations of one form: its entries, then its language slots.
class TInfoList : public TContainerList<TCI> {
    TARVO_CONTAINER_CLASS(TInfoList)

    TInfoList() : languages_(std::make_unique<TLngLst>()) { }

    void SaveToStream(TContainerWriter& writer) const override;
    // Appends the stored entries and replaces the language slots.
    void LoadFromStream(TContainerReader& reader) override;
    // Replaces entries and slots by copies of source's; the copied entries
    // stay bound to the components of the originals.
    void Assign(const TInfoList& source);

    TLngLst& Languages() { return *languages_; }
    const TLngLst& Languages() const { return *languages_; }

private:
    std::unique_ptr<TLngLst> languages_;
};

} // namespace tarvo
