// The keybindings of GNOME, Cinnamon and MATE in GSettings, read through
// GIO: every key of text or text-list type in their keybinding schemas is
// read as GTK accelerators, and the user's custom keybindings from their
// relocatable schemas. Schemas that are not installed are left out.

// GIO comes before Qt's headers, whose "signals" keyword would otherwise
// clash with a member name of GIO's.
#include <gio/gio.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "conflicts/holders.h"
#include "conflicts/sessionbus.h"
#include "tools/keysymnames.h"

namespace tarvo::conflicts {

namespace {

// The user's own keybindings: a list in listSchema's listKey names them
// (as paths, or as names below PathPrefix), each a relocatable EntrySchema
// with a name and a binding.
struct TCustomKeybindings {
    const char* ListSchema;
    const char* ListKey;
    const char* EntrySchema;
    const char* PathPrefix; // nullptr when the list holds the paths
};

struct TDesktopKeybindings {
    const char* Owner;
    std::vector<const char*> Schemas;
    std::optional<TCustomKeybindings> Custom;
    TUserText Where;
};

const TDesktopKeybindings& KeybindingsOf(TGSettingsDesktop desktop)
{
    static const TDesktopKeybindings gnome{
        "GNOME",
        {"org.gnome.desktop.wm.keybindings", "org.gnome.mutter.keybindings", "org.gnome.mutter.wayland.keybindings",
         "org.gnome.shell.keybindings", "org.gnome.settings-daemon.plugins.media-keys"},
        TCustomKeybindings{"org.gnome.settings-daemon.plugins.media-keys", "custom-keybindings",
                           "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding", nullptr},
        {"Settings > Keyboard > Keyboard Shortcuts", "Einstellungen > Tastatur > Tastaturkürzel"}};
    static const TDesktopKeybindings cinnamon{
        "Cinnamon",
        {"org.cinnamon.desktop.keybindings.wm", "org.cinnamon.desktop.keybindings.media-keys",
         "org.cinnamon.desktop.keybindings"},
        TCustomKeybindings{"org.cinnamon.desktop.keybindings", "custom-list",
                           "org.cinnamon.desktop.keybindings.custom-keybinding",
                           "/org/cinnamon/desktop/keybindings/custom-keybindings/"},
        {"System Settings > Keyboard > Shortcuts", "Systemeinstellungen > Tastatur > Tastaturkürzel"}};
    // MATE keeps its custom keybindings in directories of dconf that
    // GSettings cannot list, so only its fixed ones are read.
    static const TDesktopKeybindings mate{
        "MATE",
        {"org.mate.Marco.window-keybindings", "org.mate.Marco.global-keybindings",
         "org.mate.SettingsDaemon.plugins.media-keys"},
        std::nullopt,
        {"Control Center > Keyboard Shortcuts", "Kontrollzentrum > Tastenkombinationen"}};
    switch (desktop) {
    case TGSettingsDesktop::Gnome:
        return gnome;
    case TGSettingsDesktop::Cinnamon:
        return cinnamon;
    default:
        return mate;
    }
}

template <class T, void (*Free)(T*)>
struct TGFree {
    void operator()(T* object) const { Free(object); }
};
using TSchema = std::unique_ptr<GSettingsSchema, TGFree<GSettingsSchema, g_settings_schema_unref>>;
using TSchemaKey = std::unique_ptr<GSettingsSchemaKey, TGFree<GSettingsSchemaKey, g_settings_schema_key_unref>>;
using TSettings = std::unique_ptr<GSettings, TGFree<void, g_object_unref>>;
using TVariant = std::unique_ptr<GVariant, TGFree<GVariant, g_variant_unref>>;
using TStrv = std::unique_ptr<gchar*, TGFree<gchar*, g_strfreev>>;

TSchema LookUp(const char* id)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    return TSchema(source ? g_settings_schema_source_lookup(source, id, TRUE) : nullptr);
}

// Whether the text is a path a relocatable schema may be put at: a slash at
// either end and no empty part.
bool IsSettingsPath(const std::string& path)
{
    return path.size() > 1 && path.front() == '/' && path.back() == '/' && path.find("//") == std::string::npos;
}

// The texts of a key of type s or as; none for other types.
std::vector<std::string> Texts(GSettings& settings, const char* key)
{
    const TVariant value(g_settings_get_value(&settings, key));
    if (g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING))
        return {g_variant_get_string(value.get(), nullptr)};
    std::vector<std::string> texts;
    if (g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING_ARRAY)) {
        const TStrv strings(g_variant_dup_strv(value.get(), nullptr));
        for (gchar** text = strings.get(); *text; ++text)
            texts.emplace_back(*text);
    }
    return texts;
}

class TGSettingsKeybindings : public IHolderSource {
public:
    explicit TGSettingsKeybindings(const TDesktopKeybindings& desktop) : desktop_(desktop) { }

    std::vector<THeldCombination> HeldCombinations() override
    {
        std::vector<THeldCombination> held;
        for (const char* id : desktop_.Schemas)
            if (const TSchema schema = LookUp(id))
                AddSchemaKeys(*schema, held);
        if (desktop_.Custom)
            AddCustomKeybindings(*desktop_.Custom, held);
        return held;
    }

private:
    void Add(const std::string& accelerator, const std::string& action, std::vector<THeldCombination>& held) const
    {
        const auto combination = tools::AcceleratorCombination(accelerator);
        if (const TShortCut* shortcut = std::get_if<TShortCut>(&combination))
            held.push_back({*shortcut, {desktop_.Owner, action, desktop_.Where}});
    }

    // Every key of the schema, named by its summary.
    void AddSchemaKeys(GSettingsSchema& schema, std::vector<THeldCombination>& held) const
    {
        const TSettings settings(g_settings_new_full(&schema, nullptr, nullptr));
        const TStrv keys(g_settings_schema_list_keys(&schema));
        for (gchar** key = keys.get(); *key; ++key) {
            const TSchemaKey schemaKey(g_settings_schema_get_key(&schema, *key));
            const char* summary = g_settings_schema_key_get_summary(schemaKey.get());
            for (const std::string& accelerator : Texts(*settings, *key))
                Add(accelerator, summary ? summary : *key, held);
        }
    }

    void AddCustomKeybindings(const TCustomKeybindings& custom, std::vector<THeldCombination>& held) const
    {
        const TSchema listSchema = LookUp(custom.ListSchema);
        const TSchema entrySchema = LookUp(custom.EntrySchema);
        // A schema of another version may lack the keys.
        if (!listSchema || !entrySchema || !g_settings_schema_has_key(listSchema.get(), custom.ListKey)
            || !g_settings_schema_has_key(entrySchema.get(), "name")
            || !g_settings_schema_has_key(entrySchema.get(), "binding"))
            return;
        const TSettings list(g_settings_new_full(listSchema.get(), nullptr, nullptr));
        for (const std::string& entry : Texts(*list, custom.ListKey)) {
            const std::string path = custom.PathPrefix ? custom.PathPrefix + entry + "/" : entry;
            if (!IsSettingsPath(path)) {
                qCWarning(lcConflicts).noquote() << QString::fromStdString(
                    std::string(custom.ListSchema) + " " + custom.ListKey + " names no settings path: " + entry);
                continue;
            }
            const TSettings settings(g_settings_new_full(entrySchema.get(), nullptr, path.c_str()));
            const std::vector<std::string> names = Texts(*settings, "name");
            const std::string name = names.empty() || names.front().empty() ? entry : names.front();
            for (const std::string& accelerator : Texts(*settings, "binding"))
                Add(accelerator, name, held);
        }
    }

    const TDesktopKeybindings& desktop_;
};

} // namespace

std::unique_ptr<IHolderSource> GSettingsKeybindings(TGSettingsDesktop desktop)
{
    return std::make_unique<TGSettingsKeybindings>(KeybindingsOf(desktop));
}

} // namespace tarvo::conflicts
