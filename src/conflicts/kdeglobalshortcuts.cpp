// KDE's global shortcuts: kglobalaccel (org.kde.kglobalaccel) lists its
// components, and each component its actions with their keys, Qt key codes
// with Qt's modifier bits.

#include <QDBusArgument>
#include <QDBusObjectPath>

#include <string_view>

#include "app/hotkeyregistrar.h"
#include "conflicts/holders.h"
#include "conflicts/sessionbus.h"
#include "platform/qt/qtvirtualkeys.h"
#include "platform/virtualkeys.h"

namespace tarvo::conflicts {

namespace {

using namespace platform;

const QString Service = QStringLiteral("org.kde.kglobalaccel");

// The punctuation keys by their US characters: Qt names such a key by the
// character it types, and kglobalaccel keeps no key position.
struct TUsCharacter {
    char Character;
    uint16_t VirtualKey;
};
constexpr TUsCharacter UsCharacters[] = {
    {';', VkOem1}, {'=', VkOemPlus}, {',', VkOemComma}, {'-', VkOemMinus}, {'.', VkOemPeriod}, {'/', VkOem2},
    {'`', VkOem3}, {'[', VkOem4},    {'\\', VkOem5},    {']', VkOem6},     {'\'', VkOem7},
};

// The combination of a key code of kglobalaccel, or 0 when it has a
// modifier other than Shift, Ctrl and Alt or a key without a virtual key.
TShortCut ShortCutOfQtKey(int code)
{
    const auto modifiers = Qt::KeyboardModifiers(code & Qt::KeyboardModifierMask);
    const int key = code & ~Qt::KeyboardModifierMask;
    if (modifiers & (Qt::MetaModifier | Qt::GroupSwitchModifier))
        return 0;
    uint16_t virtualKey = qt::VirtualKeyOfQtKey(key, modifiers & Qt::KeypadModifier, 0);
    for (const TUsCharacter& entry : UsCharacters)
        if (virtualKey == 0 && key == entry.Character)
            virtualKey = entry.VirtualKey;
    return MakeShortCut(virtualKey, modifiers & Qt::ShiftModifier, modifiers & Qt::ControlModifier,
                        modifiers & Qt::AltModifier);
}

// One action of a component, as allShortcutInfos describes it:
// (ssssssaiai) action, its friendly name, component, its friendly name,
// context, its friendly name, keys, default keys.
struct TShortcutInfo {
    QString Action, ActionName, ComponentName;
    QList<int> Keys;
};

std::vector<TShortcutInfo> ReadShortcutInfos(const QDBusArgument& argument)
{
    std::vector<TShortcutInfo> infos;
    argument.beginArray();
    while (!argument.atEnd()) {
        TShortcutInfo info;
        QString component, context, contextName;
        QList<int> defaultKeys;
        argument.beginStructure();
        argument >> info.Action >> info.ActionName >> component >> info.ComponentName >> context >> contextName
            >> info.Keys >> defaultKeys;
        argument.endStructure();
        infos.push_back(std::move(info));
    }
    argument.endArray();
    return infos;
}

class TKdeGlobalShortcuts : public IHolderSource {
public:
    std::vector<THeldCombination> HeldCombinations() override
    {
        std::vector<THeldCombination> held;
        const auto components = CallIfRunning(Service, "/kglobalaccel", "org.kde.KGlobalAccel", "allComponents");
        if (!components)
            return held;
        for (const QDBusObjectPath& path : qdbus_cast<QList<QDBusObjectPath>>(components->arguments().value(0))) {
            const auto infos =
                CallIfRunning(Service, path.path(), "org.kde.kglobalaccel.Component", "allShortcutInfos");
            if (!infos)
                continue;
            for (const TShortcutInfo& info : ReadShortcutInfos(qvariant_cast<QDBusArgument>(infos->arguments().value(0)))) {
                // A Tarvo's own hotkeys, bound through the desktop portal.
                if (info.Action.startsWith(QString::fromUtf8(RegistrationNamePrefix)))
                    continue;
                const QString& actionName = info.ActionName.isEmpty() ? info.Action : info.ActionName;
                for (int key : info.Keys)
                    held.push_back({ShortCutOfQtKey(key),
                                    {"KDE", (info.ComponentName + QStringLiteral(" — ") + actionName).toStdString(),
                                     {"System Settings > Keyboard > Shortcuts",
                                      "Systemeinstellungen > Tastatur > Kurzbefehle"}}});
            }
        }
        return held;
    }
};

} // namespace

std::unique_ptr<IHolderSource> KdeGlobalShortcuts()
{
    return std::make_unique<TKdeGlobalShortcuts>();
}

} // namespace tarvo::conflicts
