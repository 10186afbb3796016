// Xfce's keyboard shortcuts: the xfconf channel xfce4-keyboard-shortcuts,
// read from xfconfd on the session bus. Its properties are
// /PROVIDER/default/ACCELERATOR and /PROVIDER/custom/ACCELERATOR, the value
// a command (provider "commands") or a window manager action ("xfwm4"); a
// provider takes its custom set once /PROVIDER/custom/override is true
// (the settings dialog copies the defaults there at the first change),
// its default set before.

#include <QDBusArgument>
#include <QStringList>
#include <QVariantMap>

#include <map>

#include "conflicts/holders.h"
#include "conflicts/sessionbus.h"
#include "tools/keysymnames.h"

namespace tarvo::conflicts {

namespace {

TUserText WhereToChange(const QString& provider)
{
    if (provider == "commands")
        return {"Settings > Keyboard > Application Shortcuts", "Einstellungen > Tastatur > Tastenkürzel für Anwendungen"};
    if (provider == "xfwm4")
        return {"Settings > Window Manager > Keyboard", "Einstellungen > Fensterverwaltung > Tastatur"};
    return {"Settings > Keyboard", "Einstellungen > Tastatur"};
}

class TXfceKeyboardShortcuts : public IHolderSource {
public:
    std::vector<THeldCombination> HeldCombinations() override
    {
        std::vector<THeldCombination> held;
        const auto reply = CallIfRunning("org.xfce.Xfconf", "/org/xfce/Xfconf", "org.xfce.Xfconf", "GetAllProperties",
                                         {QStringLiteral("xfce4-keyboard-shortcuts"), QStringLiteral("/")});
        if (!reply)
            return held;
        const auto properties = qdbus_cast<QVariantMap>(reply->arguments().value(0));
        for (auto property = properties.begin(); property != properties.end(); ++property) {
            // "", PROVIDER, "default" or "custom", ACCELERATOR
            const QStringList parts = property.key().split('/');
            if (parts.size() != 4 || parts[3] == "override")
                continue;
            const bool overridden = properties.value("/" + parts[1] + "/custom/override").toBool();
            if (parts[2] != (overridden ? "custom" : "default"))
                continue;
            const auto combination = tools::AcceleratorCombination(parts[3].toStdString());
            if (const TShortCut* shortcut = std::get_if<TShortCut>(&combination))
                held.push_back({*shortcut, {"Xfce", property.value().toString().toStdString(), WhereToChange(parts[1])}});
        }
        return held;
    }
};

} // namespace

std::unique_ptr<IHolderSource> XfceKeyboardShortcuts()
{
    return std::make_unique<TXfceKeyboardShortcuts>();
}

} // namespace tarvo::conflicts
