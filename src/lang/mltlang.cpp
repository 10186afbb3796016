#include "lang/mltlang.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "lang/mltlangproperties.h"

namespace tarvo {

namespace {

// What all switchers of the process share. Never reset: a form created and
// freed on each use always starts in the language chosen last.
struct TSwitcherState {
    std::vector<TMltLang*> instances; // in creation order; not owned
    int languageIndex = 0;
    TLangid languageId = lgNEUTRAL;
    bool byId = false;         // the last change was made by id
    bool broadcasting = false; // a change is being passed to the other switchers
};

TSwitcherState& State()
{
    static TSwitcherState state;
    return state;
}

QObject* FindNamed(QObject& root, const QString& name)
{
    if (root.objectName() == name)
        return &root;
    for (QObject* child : root.children())
        if (QObject* found = FindNamed(*child, name))
            return found;
    return nullptr;
}

} // namespace

TMltLang::TMltLang(QObject* owner) : QObject(owner), items_(std::make_unique<TInfoList>())
{
    State().instances.push_back(this);
    SetMaxLang(2);
}

TMltLang::~TMltLang()
{
    std::erase(State().instances, this);
}

void TMltLang::SetActiveLang(int index)
{
    if (reading_) {
        activeLang_ = index;
        return;
    }
    if (!SwitchTo(index))
        return;
    Broadcast([index](TMltLang& other) { other.SetActiveLang(index); });
    State().languageIndex = activeLang_;
    State().byId = false;
    NotifyChanged();
}

void TMltLang::SetActiveLangById(TLangid id)
{
    if (reading_ || !SwitchTo(LastSlotWith(id)))
        return;
    Broadcast([id](TMltLang& other) { other.SetActiveLangById(id); });
    State().languageId = id;
    State().byId = true;
    NotifyChanged();
}

bool TMltLang::SwitchTo(int index)
{
    if (index < 0 || index >= MaxLang())
        return false;
    if (OnBeforeChanging) {
        bool allowed = true;
        OnBeforeChanging(*this, allowed);
        if (!allowed)
            return false;
    }
    if (index != activeLang_ && activeLang_ != 0) {
        activeLang_ = 0;
        Apply();
    }
    if (index != activeLang_) {
        activeLang_ = index;
        Apply();
    }
    return true;
}

void TMltLang::Broadcast(const std::function<void(TMltLang&)>& change)
{
    TSwitcherState& state = State();
    if (state.broadcasting)
        return;
    state.broadcasting = true;
    struct TEndBroadcast {
        bool& flag;
        ~TEndBroadcast() { flag = false; }
    } end{state.broadcasting};
    // By index: a handler of the change may create or destroy switchers.
    for (size_t i = 0; i < state.instances.size(); ++i)
        if (state.instances[i] != this)
            change(*state.instances[i]);
}

void TMltLang::NotifyChanged()
{
    if (OnLanguageChanged)
        OnLanguageChanged(*this);
}

void TMltLang::Apply() const
{
    for (int i = 0; i < items_->Count(); ++i)
        if (const TCI* entry = items_->Get(i); entry && entry->Component)
            entry->ApplyTo(*entry->Component, activeLang_, WidgetProperties());
}

int TMltLang::LastSlotWith(TLangid id) const
{
    const TLngLst& languages = items_->Languages();
    for (int i = languages.Count() - 1; i >= 0; --i)
        if (languages.GetLangId(i) == id)
            return i;
    return -1;
}

void TMltLang::SetMaxLang(int count)
{
    if (count < 2 || count > MaxLanguageSlots || count <= activeLang_)
        return;
    TLngLst& languages = items_->Languages();
    while (languages.Count() < count)
        languages.Add(std::make_unique<TLngId>(DefaultSlotOrder[static_cast<size_t>(languages.Count())]));
    languages.SetCount(count);
    for (int i = 0; i < items_->Count(); ++i)
        if (TCI* entry = items_->Get(i))
            entry->SetLength(count);
}

TLangid TMltLang::LangId() const
{
    return activeLang_ >= 0 && activeLang_ < MaxLang() ? items_->Languages().GetLangId(activeLang_) : lgNEUTRAL;
}

void TMltLang::SetLangId(TLangid id)
{
    items_->Languages().Put(activeLang_, std::make_unique<TLngId>(id));
}

void TMltLang::SetItems(const TInfoList& source)
{
    items_->Assign(source);
    Apply();
}

void TMltLang::Loaded()
{
    reading_ = false;
    QWidget* form = OwningForm(*this);
    Bind(form);
    if (State().byId)
        SetActiveLangById(State().languageId);
    else
        SetActiveLang(State().languageIndex);
    if (form)
        form->installEventFilter(this);
}

void TMltLang::Bind(QWidget* form)
{
    for (int i = 0; i < items_->Count(); ++i) {
        TCI* entry = items_->Get(i);
        QObject* component = entry && form ? EntryComponent(*form, *entry) : nullptr;
        if (!component) {
            items_->FreeAt(i);
            continue;
        }
        entry->Component = component;
        entry->ComponentIndex = ComponentIndex(*form, *component);
    }
    items_->Pack();
}

bool TMltLang::eventFilter(QObject* /*watched*/, QEvent* event)
{
    // Only the form's own show, not the window system's report that a
    // minimised window is back.
    if (event->type() == QEvent::Show && !event->spontaneous())
        Apply();
    return false;
}

QWidget* OwningForm(const QObject& component)
{
    for (QObject* owner = component.parent(); owner; owner = owner->parent())
        if (auto* widget = qobject_cast<QWidget*>(owner); widget && widget->isWindow())
            return widget;
    return nullptr;
}

QObject* FindComponent(QWidget& form, std::string_view name)
{
    return name.empty() ? nullptr : FindNamed(form, QString::fromUtf8(name));
}

QObject* EntryComponent(QWidget& form, const TCI& entry)
{
    if (QObject* component = FindComponent(form, entry.ComponentName))
        return component;
    return entry.ComponentIndex == -1 ? &form : nullptr;
}

int ComponentIndex(const QWidget& form, const QObject& component)
{
    if (&component == &form || !component.parent())
        return -1;
    int index = 0;
    for (const QObject* sibling : component.parent()->children()) {
        if (sibling == &component)
            return index;
        if (!sibling->objectName().isEmpty())
            ++index;
    }
    return -1;
}

void SetFormLanguage(int32_t language, TMltLang& mltLang)
{
    mltLang.SetActiveLang(language);
}

} // namespace tarvo
