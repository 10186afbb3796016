#include "tools/hotkeyjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

namespace tarvo {

namespace {

QJsonObject CommandToJson(const THotKeyCommand& command)
{
    return QJsonObject{
        {"id", command.ID},
        {"name", QString::fromStdString(command.Name)},
        {"version", command.LoadedVersion},
        {"fileName", QString::fromStdString(command.FileName)},
        {"execMode", command.ExecMode},
        {"parameters", QString::fromStdString(command.Parameters)},
        {"directory", QString::fromStdString(command.Directory)},
        {"lookForWindow", QString::fromStdString(command.LookForWindow)},
    };
}

QJsonObject HotKeyToJson(const THotTarvo& hotkey)
{
    QJsonArray commands;
    for (int i = 0; i < hotkey.Commands->Count(); ++i)
        commands.append(CommandToJson(hotkey.Command(i)));
    return QJsonObject{
        {"id", hotkey.ID},
        {"name", QString::fromStdString(hotkey.Name)},
        {"version", hotkey.LoadedVersion},
        {"hotKey", hotkey.HotKey},
        {"shortcut", QString::fromStdString(ShortcutText(hotkey.HotKey))},
        {"enabled", hotkey.Enabled},
        {"reserved", hotkey.Reserved},
        {"lastId", hotkey.Commands->LastID},
        {"commands", commands},
    };
}

// Reads the fields of one JSON object, checking names and types. `where`
// names the object in error messages ("hotkeys[2].commands[0]").
class TFieldReader {
public:
    TFieldReader(const QJsonValue& value, std::string where, std::set<QString> knownFields) : where_(std::move(where))
    {
        if (!value.isObject())
            Fail(where_ + " must be an object");
        object_ = value.toObject();
        for (auto it = object_.begin(); it != object_.end(); ++it)
            if (!knownFields.count(it.key()))
                Fail(where_ + " has an unknown field \"" + it.key().toStdString() + "\"");
    }

    bool Has(const char* name) const { return object_.contains(name); }

    void Read(const char* name, std::string& target) const
    {
        if (!Has(name))
            return;
        if (!object_[name].isString())
            Fail(FieldName(name) + " must be a string");
        std::string text = object_[name].toString().toStdString();
        // A stored text ends at its first zero character: the file would
        // read back as another document.
        if (text.find('\0') != std::string::npos)
            Fail(FieldName(name) + " must not hold a zero character");
        target = std::move(text);
    }

    void Read(const char* name, bool& target) const
    {
        if (!Has(name))
            return;
        if (!object_[name].isBool())
            Fail(FieldName(name) + " must be true or false");
        target = object_[name].toBool();
    }

    template <class Integer>
    void Read(const char* name, Integer& target) const
    {
        if (!Has(name))
            return;
        const QJsonValue value = object_[name];
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::floor(number) || number < std::numeric_limits<Integer>::min()
            || number > std::numeric_limits<Integer>::max())
            Fail(FieldName(name) + " must be a whole number from " + std::to_string(std::numeric_limits<Integer>::min())
                 + " to " + std::to_string(std::numeric_limits<Integer>::max()));
        target = static_cast<Integer>(number);
    }

    QJsonArray Array(const char* name) const
    {
        if (!Has(name))
            return {};
        if (!object_[name].isArray())
            Fail(FieldName(name) + " must be an array");
        return object_[name].toArray();
    }

    std::string Element(const char* name, qsizetype index) const
    {
        return FieldName(name) + "[" + std::to_string(index) + "]";
    }

    std::string FieldName(const char* name) const { return where_.empty() ? name : where_ + "." + name; }

private:
    [[noreturn]] static void Fail(const std::string& message) { throw EHotKeyJsonError(message); }

    QJsonObject object_;
    std::string where_;
};

// Puts the records read from the array `name` into the list. Records with an
// identifier keep it (each identifier may occur once); the others are
// numbered after the largest identifier in use. A given lastId is then
// written as it is, unless it lies below an identifier in use: the list
// would hand that identifier out a second time.
template <class Record>
void FillList(TIDList& list, const TFieldReader& fields, const char* name,
              std::unique_ptr<Record> (*fromJson)(const QJsonValue&, const std::string&))
{
    const QJsonArray array = fields.Array(name);
    std::vector<std::unique_ptr<Record>> unnumbered;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const std::string where = fields.Element(name, i);
        auto record = fromJson(array[i], where);
        if (record->ID == TID::NoID)
            unnumbered.push_back(std::move(record));
        else if (list.IDExists(record->ID))
            throw EHotKeyJsonError(where + ".id " + std::to_string(record->ID) + " is used twice");
        else
            list.Add(std::move(record));
    }
    list.RecalcLastID();
    for (auto& record : unnumbered)
        list.AddNew(std::move(record));
    const int32_t largestInUse = list.LastID;
    fields.Read("lastId", list.LastID);
    if (list.LastID < largestInUse)
        throw EHotKeyJsonError(fields.FieldName(name) + ": lastId " + std::to_string(list.LastID) + " is below "
                               + std::to_string(largestInUse) + ", an id in use");
}

std::unique_ptr<THotKeyCommand> CommandFromJson(const QJsonValue& value, const std::string& where)
{
    const TFieldReader fields(
        value, where, {"id", "name", "version", "fileName", "execMode", "parameters", "directory", "lookForWindow"});
    auto command = std::make_unique<THotKeyCommand>();
    fields.Read("id", command->ID);
    fields.Read("name", command->Name);
    fields.Read("fileName", command->FileName);
    fields.Read("execMode", command->ExecMode);
    fields.Read("parameters", command->Parameters);
    fields.Read("directory", command->Directory);
    fields.Read("lookForWindow", command->LookForWindow);
    return command;
}

std::unique_ptr<THotTarvo> HotKeyFromJson(const QJsonValue& value, const std::string& where)
{
    const TFieldReader fields(
        value, where, {"id", "name", "version", "hotKey", "shortcut", "enabled", "reserved", "lastId", "commands"});
    auto hotkey = std::make_unique<THotTarvo>();
    fields.Read("id", hotkey->ID);
    fields.Read("name", hotkey->Name);
    fields.Read("hotKey", hotkey->HotKey);
    fields.Read("enabled", hotkey->Enabled);
    fields.Read("reserved", hotkey->Reserved);
    FillList(*hotkey->Commands, fields, "commands", &CommandFromJson);
    return hotkey;
}

} // namespace

std::string HotKeyDocumentToJson(const THotKeyFile& document)
{
    QJsonArray hotkeys;
    for (int i = 0; i < document.HotKeyList->Count(); ++i)
        hotkeys.append(HotKeyToJson(document.HotKey(i)));
    const QJsonObject root{
        {"version", document.LoadedVersion},
        {"minimizeAtStart", document.MinimizeAtStart},
        {"language", document.Language},
        {"lastId", document.HotKeyList->LastID},
        {"hotkeys", hotkeys},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

std::unique_ptr<THotKeyFile> HotKeyDocumentFromJson(const std::string& json)
{
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parseError);
    if (parsed.isNull())
        throw EHotKeyJsonError("not valid JSON at offset " + std::to_string(parseError.offset) + ": "
                               + parseError.errorString().toStdString());
    if (!parsed.isObject())
        throw EHotKeyJsonError("the document must be a JSON object");
    const TFieldReader fields(parsed.object(), "", {"version", "minimizeAtStart", "language", "lastId", "hotkeys"});
    auto document = std::make_unique<THotKeyFile>();
    fields.Read("minimizeAtStart", document->MinimizeAtStart);
    fields.Read("language", document->Language);
    FillList(*document->HotKeyList, fields, "hotkeys", &HotKeyFromJson);
    return document;
}

} // namespace tarvo
