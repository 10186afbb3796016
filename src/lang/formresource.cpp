#include "lang/formresource.h"

#include <QWidget>

#include "lang/mltlang.h"
#include "lang/mltlangproperties.h"

namespace tarvo {

namespace {

void ShowDesignTexts(TMltLang& mltLang, int designSlot)
{
    QWidget* form = OwningForm(mltLang);
    if (!form)
        return;
    const TInfoList& items = mltLang.Items();
    for (int i = 0; i < items.Count(); ++i) {
        const TCI& entry = *items.Get(i);
        if (QObject* component = EntryComponent(*form, entry)) {
            entry.ApplyTo(*component, 0, WidgetProperties());
            if (designSlot != 0)
                entry.ApplyTo(*component, designSlot, WidgetProperties());
        }
    }
}

} // namespace

void LoadFormResource(TMltLang& mltLang, const TFormResource& resource)
{
    mltLang.BeginReading();
    mltLang.SetActiveLang(resource.ActiveLang);
    mltLang.SetActiveLangById(resource.ActiveLangById);
    mltLang.SetMaxLang(resource.MaxLang);
    if (!resource.Items.empty())
        LoadFromBlock(mltLang.Items(), resource.Items);
    mltLang.DefDictionary = resource.DefDictionary;
    mltLang.SetLangId(resource.LangId);
    ShowDesignTexts(mltLang, resource.ActiveLang);
    mltLang.Loaded();
}

} // namespace tarvo
