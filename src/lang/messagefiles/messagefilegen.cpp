// messagefilegen: writes the program's message files from their readable
// source.
//
//   messagefilegen SOURCE OUTDIR
//
// SOURCE is a JSON object {"files": [...]}; each file has a "name" and its
// "messages", each message an "id", a "name", a "style" (message-box flags
// joined by "|", e.g. "MB_YESNO | MB_ICONQUESTION"), a "remark" and, per
// language, "english" and "german" objects with "caption" and "text". Every
// file is written once per language as OUTDIR/<name><N>.mes, N the language
// index (0 English, 1 German): a TIDList of TAppMessage, the remark in both.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>
#include <iostream>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lang/message.h"
#include "platform/errors.h"
#include "platform/messagebox.h"
#include "platform/paths.h"

namespace {

using namespace tarvo;

// The languages in the order of their index.
const char* const Languages[] = {"english", "german"};

const std::map<QString, uint32_t> StyleFlags = {
    {"MB_OK", platform::MbOk},
    {"MB_OKCANCEL", platform::MbOkCancel},
    {"MB_ABORTRETRYIGNORE", platform::MbAbortRetryIgnore},
    {"MB_YESNOCANCEL", platform::MbYesNoCancel},
    {"MB_YESNO", platform::MbYesNo},
    {"MB_RETRYCANCEL", platform::MbRetryCancel},
    {"MB_ICONSTOP", platform::MbIconStop},
    {"MB_ICONQUESTION", platform::MbIconQuestion},
    {"MB_ICONEXCLAMATION", platform::MbIconExclamation},
    {"MB_ICONINFORMATION", platform::MbIconInformation},
    {"MB_DEFBUTTON1", platform::MbDefButton1},
    {"MB_DEFBUTTON2", platform::MbDefButton2},
    {"MB_DEFBUTTON3", platform::MbDefButton3},
};

// A fault in the source, described with the place it was found.
class ESourceError : public ETarvoError {
public:
    using ETarvoError::ETarvoError;
};

// A JSON object whose fields must all be known and present.
class TFields {
public:
    TFields(const QJsonValue& value, std::string where, const std::set<QString>& names) : where_(std::move(where))
    {
        if (!value.isObject())
            throw ESourceError{where_ + " must be an object"};
        object_ = value.toObject();
        for (const QString& key : object_.keys())
            if (!names.count(key))
                throw ESourceError{where_ + " has an unknown field \"" + key.toStdString() + "\""};
        for (const QString& name : names)
            if (!object_.contains(name))
                throw ESourceError{where_ + " lacks the field \"" + name.toStdString() + "\""};
    }

    std::string String(const char* name) const
    {
        if (!object_[name].isString())
            throw ESourceError{Where(name) + " must be a string"};
        return object_[name].toString().toStdString();
    }

    // A message number: a whole number from 0 to the largest 32-bit one.
    int32_t Number(const char* name) const
    {
        const QJsonValue value = object_[name];
        const double number = value.toDouble(-1);
        if (!value.isDouble() || number < 0 || number > std::numeric_limits<int32_t>::max()
            || number != std::floor(number))
            throw ESourceError{Where(name) + " must be a message number (a whole number, 0 or more)"};
        return static_cast<int32_t>(number);
    }

    QJsonArray Array(const char* name) const
    {
        if (!object_[name].isArray())
            throw ESourceError{Where(name) + " must be a list"};
        return object_[name].toArray();
    }

    QJsonValue Value(const char* name) const { return object_[name]; }
    std::string Where(const char* name) const { return where_ + "." + name; }

private:
    std::string where_;
    QJsonObject object_;
};

int32_t ParseStyle(const TFields& message)
{
    uint32_t style = 0;
    for (const QString& flag : QString::fromStdString(message.String("style")).split('|')) {
        auto found = StyleFlags.find(flag.trimmed());
        if (found == StyleFlags.end())
            throw ESourceError{message.Where("style") + " has the unknown flag \"" + flag.trimmed().toStdString()
                               + "\""};
        style |= found->second;
    }
    return static_cast<int32_t>(style);
}

std::unique_ptr<TAppMessage> ParseMessage(const TFields& message, int language)
{
    const TFields texts(message.Value(Languages[language]), message.Where(Languages[language]), {"caption", "text"});
    auto record = std::make_unique<TAppMessage>();
    record->ID = message.Number("id");
    record->Name = message.String("name");
    record->Caption = texts.String("caption");
    record->Text = texts.String("text");
    record->Style = ParseStyle(message);
    record->Bemerkung = message.String("remark");
    return record;
}

// The message files to write: file name and messages.
using TMessageFiles = std::vector<std::pair<std::string, std::unique_ptr<TIDList>>>;

// Adds the file's messages in every language to files.
void ParseFile(const TFields& file, const std::string& where, TMessageFiles& files)
{
    const std::string name = file.String("name");
    const QJsonArray messages = file.Array("messages");
    for (int language = 0; language < static_cast<int>(std::size(Languages)); ++language) {
        auto records = std::make_unique<TIDList>();
        for (int i = 0; i < messages.size(); ++i) {
            const std::string messageWhere = where + ".messages[" + std::to_string(i) + "]";
            const TFields message(messages[i], messageWhere, {"id", "name", "style", "remark", "english", "german"});
            auto record = ParseMessage(message, language);
            if (records->IDExists(record->ID))
                throw ESourceError{messageWhere + ": the number " + std::to_string(record->ID) + " is used twice"};
            records->Add(std::move(record));
        }
        files.emplace_back(name + std::to_string(language) + ".mes", std::move(records));
    }
}

// Reads the whole source before writing anything, so that a fault in it
// leaves every file as it was.
void Generate(const std::string& source, const std::string& outDir)
{
    QFile file(QString::fromStdString(source));
    if (!file.open(QIODevice::ReadOnly))
        throw ESourceError{"cannot be read"};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        throw ESourceError{"not JSON: " + error.errorString().toStdString()};
    const TFields root(document.object(), "the source", {"files"});
    const QJsonArray sourceFiles = root.Array("files");
    TMessageFiles files;
    for (int i = 0; i < sourceFiles.size(); ++i) {
        const std::string where = "files[" + std::to_string(i) + "]";
        ParseFile(TFields(sourceFiles[i], where, {"name", "messages"}), where, files);
    }
    for (const auto& [name, messages] : files)
        WriteMessageFile(*messages, platform::JoinPath(outDir, name));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Usage: messagefilegen SOURCE OUTDIR\n";
        return 1;
    }
    try {
        Generate(argv[1], argv[2]);
    } catch (const ESourceError& error) {
        std::cerr << "messagefilegen: " << argv[1] << ": " << error.what() << "\n";
        return 1;
    } catch (const ETarvoError& error) {
        std::cerr << "messagefilegen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
