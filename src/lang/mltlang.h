#pragma once
// The language switcher: one TMltLang sits on every form, holds the form's
// translations (a TInfoList) and switches all its texts at once. Every live
// switcher of the process is in one list, so a change on one form reaches
// every form, and a form created later starts in the language chosen last.
//
// On Qt's object model: the owner chain is the QObject parent chain, a form
// is a top-level widget, the components of a form are its named QObject
// descendants, and a translated property is reached through the mapping of
// mltlangproperties.h. The switcher hooks the form's show event with an
// event filter, which runs before the form's own showEvent.
//
// Slot 0 is the base language. Changing from one slot to another that is not
// 0 applies slot 0 first, so that texts without a translation of their own
// show the base text.

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "lang/containerentries.h"
#include "lang/containerlanguages.h"

class QWidget;

namespace tarvo {

// A switcher has at most one slot per language id.
inline constexpr int MaxLanguageSlots = static_cast<int>(DefaultSlotOrder.size());

class TMltLang : public QObject {
    Q_OBJECT

public:
    // Sender and "allowed" (true on entry); setting it false cancels the change.
    using TBeforeChangingEvent = std::function<void(TMltLang& sender, bool& allowed)>;
    using TNotifyEvent = std::function<void(TMltLang& sender)>;

    // A switcher owned by owner (its form), with slots English and German.
    explicit TMltLang(QObject* owner);
    ~TMltLang() override;

    int ActiveLang() const { return activeLang_; }
    // Switches this form to the slot and brings every other switcher to it.
    // An index outside the slots, or a change refused by OnBeforeChanging,
    // changes nothing. Switching to the active slot applies nothing here but
    // still reaches the other switchers and raises OnLanguageChanged.
    void SetActiveLang(int index);

    TLangid ActiveLangById() const { return LangId(); }
    // SetActiveLang for the last slot that carries the id; nothing when no
    // slot does. The other switchers are switched by the same id.
    void SetActiveLangById(TLangid id);

    int MaxLang() const { return items_->Languages().Count(); }
    // Adds slots (ids in the default slot order) or removes them and their
    // texts. Ignored below 2, above MaxLanguageSlots, or when the active
    // slot would be lost.
    void SetMaxLang(int count);

    // The id of the active slot; lgNEUTRAL when the active index has no slot.
    TLangid LangId() const;
    // Gives the active slot the id (the list error when it has no slot).
    void SetLangId(TLangid id);

    TInfoList& Items() { return *items_; }
    const TInfoList& Items() const { return *items_; }
    // Replaces the translations by copies of source's and applies the active slot.
    void SetItems(const TInfoList& source);

    // Path of the dictionary file; carried with the form, not read at run time.
    std::string DefDictionary = "default.dct";

    TBeforeChangingEvent OnBeforeChanging;
    TNotifyEvent OnLanguageChanged;

    // The reading state, while the form's stored properties are set: until
    // Loaded, SetActiveLang only stores the index and SetActiveLangById is
    // ignored.
    void BeginReading() { reading_ = true; }
    // Ends reading: binds every entry to its component on the form (entries
    // whose component is not there are dropped, except those of the form
    // itself), switches to the language chosen last in the process, and
    // hooks the form's show event to re-apply the active slot on every show.
    void Loaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Checks the index and OnBeforeChanging, then applies: slot 0 first when
    // going from one slot other than 0 to another. False when refused.
    bool SwitchTo(int index);
    // Passes a change on to every other switcher, unless this change came
    // from such a broadcast.
    void Broadcast(const std::function<void(TMltLang&)>& change);
    void Apply() const;
    void Bind(QWidget* form);
    int LastSlotWith(TLangid id) const;
    void NotifyChanged();

    std::unique_ptr<TInfoList> items_;
    int activeLang_ = 0;
    bool reading_ = false;
};

// The form that owns the component: the first top-level widget on its
// parent chain, the component itself not counted; nullptr when there is none.
QWidget* OwningForm(const QObject& component);

// The component of the form with the name, compared exactly: the form itself
// first, then its children in order, each before its own children. An empty
// name names nothing.
QObject* FindComponent(QWidget& form, std::string_view name);

// The component an entry denotes on the form: the one with the entry's
// component name, else the form itself for an entry of the form (index -1);
// nullptr when neither.
QObject* EntryComponent(QWidget& form, const TCI& entry);

// -1 for the form, else the component's index among the named children of
// its parent.
int ComponentIndex(const QWidget& form, const QObject& component);

// Switches the form's language switcher to the language index, and with it
// every form that exists (the forms' on-show handlers, the main window's
// language selection).
void SetFormLanguage(int32_t language, TMltLang& mltLang);

} // namespace tarvo
