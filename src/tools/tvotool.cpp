// tvotool: inspect and write hotkey files from the command line.
//
//   tvotool dump FILE        print the document as JSON
//   tvotool build JSON OUT   write a hotkey file from JSON
//   tvotool exec FILE NAME   run the commands of a hotkey
//   tvotool listen FILE      register the hotkeys and run them when pressed
//   tvotool names FILE       print the hotkeys' names, one a line
//   tvotool messages FILE    print a message file as JSON
//   tvotool container FILE   print a stored translation container as JSON
//   tvotool import [FORMAT] CONFIG OUT   a hotkey file from an sxhkd or xbindkeys configuration
//   tvotool check FILE       which hotkeys' combinations others hold

#include <QCoreApplication>

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/session.h"
#include "conflicts/conflictfinder.h"
#include "hotkeys/hotkeyfile.h"
#include "lang/message.h"
#include "lang/modules.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/programarguments.h"
#include "platform/services.h"
#include "platform/windowsystemservices.h"
#include "tools/bindingimport.h"
#include "tools/configtext.h"
#include "tools/containerjson.h"
#include "tools/hosthelp.h"
#include "tools/hotkeyjson.h"
#include "tools/listen.h"
#include "tools/messagejson.h"

namespace {

const std::string Usage = "Usage:\n"
                          "  tvotool dump FILE        print the hotkey file FILE as JSON on standard output\n"
                          "  tvotool build JSON OUT   write the hotkey file OUT from the JSON file JSON\n"
    + std::string(tarvo::tools::ExecAndListenHelp)
    + "  tvotool names FILE       print the names of the hotkeys of the hotkey file FILE, one a\n"
      "                           line (for shell completion and scripts)\n"
      "  tvotool messages FILE    print the message file FILE (e.g. stdmess0.mes) as JSON\n"
      "  tvotool container FILE   print FILE, one stored translation container of a form, as JSON\n"
      "  tvotool import [sxhkd|xbindkeys] CONFIG OUT\n"
      "                           write the hotkey file OUT (JSON when it ends in .json) with a\n"
      "                           hotkey for each binding of the sxhkd or xbindkeys configuration\n"
      "                           CONFIG (the format is recognised when not given); each binding\n"
      "                           that cannot become a hotkey is reported on standard error, and\n"
      "                           the exit status is then 2\n"
    + tarvo::tools::CheckHelp
    + "  tvotool --help           show this help\n"
      "\n"
      "JSON fields: version, minimizeAtStart, language (0 English, 1 German), lastId, hotkeys[]:\n"
      "  id, name, version, hotKey (virtual-key code | 0x2000 Shift | 0x4000 Ctrl | 0x8000 Alt),\n"
      "  shortcut (shown by dump, ignored by build), enabled, reserved, lastId, commands[]:\n"
      "    id, name, version, fileName, execMode (0-4), parameters, directory, lookForWindow\n"
      "build writes every record with the current version; a missing field takes the default of\n"
      "a new record, a missing id is handed out by its list.\n"
      "\n"
      "messages prints a list of {id, name, caption, text, style, remark}; style is the\n"
      "message-box style word (buttons | icon | default button) in decimal.\n"
      "\n"
      "container prints {entries[], languages[]}: each entry has class, property, component,\n"
      "componentIndex (-1 for the form) and lineCount, then texts (one per language slot) or, for\n"
      "list entries, lists (the lines of each slot); languages are the ids of the slots (7 English,\n"
      "10 German).\n";

// A failure the tool reports as one line: the file it concerns and what is wrong.
class EToolError : public tarvo::ETarvoError {
public:
    EToolError(const std::string& file, const std::string& problem) : ETarvoError(file + ": " + problem) { }
};

std::string ReadTextFile(const std::string& fileName)
{
    auto bytes = tarvo::platform::ReadWholeFile(fileName);
    if (!bytes)
        throw EToolError{fileName, "cannot be read"};
    return std::string(bytes->begin(), bytes->end());
}

// Prints the JSON that toJson makes of the file; a missing or unreadable
// file is reported as the tool's error.
template <class ToJson>
int PrintAsJson(const std::string& fileName, ToJson toJson)
{
    if (!tarvo::platform::FileExists(fileName))
        throw EToolError{fileName, "no such file"};
    try {
        std::cout << toJson(fileName);
    } catch (const tarvo::ETarvoError& error) {
        throw EToolError{fileName, error.what()};
    }
    return 0;
}

int Dump(const std::string& fileName)
{
    return PrintAsJson(fileName, [](const std::string& name) {
        return tarvo::HotKeyDocumentToJson(*tarvo::ReadHotKeyDocument(name));
    });
}

int Messages(const std::string& fileName)
{
    return PrintAsJson(fileName,
                       [](const std::string& name) { return tarvo::MessagesToJson(*tarvo::ReadMessageFile(name)); });
}

int Container(const std::string& fileName)
{
    return PrintAsJson(fileName,
                       [](const std::string& name) { return tarvo::ContainerToJson(*tarvo::ReadContainerFile(name)); });
}

std::unique_ptr<tarvo::THotKeyFile> ReadDocument(const std::string& fileName)
{
    if (!tarvo::platform::FileExists(fileName))
        throw EToolError{fileName, "no such file"};
    try {
        return tarvo::ReadHotKeyDocument(fileName);
    } catch (const tarvo::ETarvoError& error) {
        throw EToolError{fileName, error.what()};
    }
}

// Runs the commands of the first hotkey named name, as pressing its key would.
int Exec(const std::string& fileName, const std::string& name)
{
    const std::unique_ptr<tarvo::THotKeyFile> document = ReadDocument(fileName);
    for (int i = 0; i < document->HotKeyList->Count(); ++i) {
        const tarvo::THotTarvo& hotkey = document->HotKey(i);
        if (hotkey.Name != name)
            continue;
        // Without a window system the headless services serve: programs are
        // still started, no window is found.
        tarvo::platform::InstallWindowSystemServices(tarvo::platform::Services());
        hotkey.ExecuteHotKey();
        tarvo::platform::Services().Launcher->WaitForShowCommands();
        return 0;
    }
    throw EToolError{fileName, "no hotkey named \"" + name + "\""};
}

int Names(const std::string& fileName)
{
    const std::unique_ptr<tarvo::THotKeyFile> document = ReadDocument(fileName);
    for (int i = 0; i < document->HotKeyList->Count(); ++i)
        std::cout << document->HotKey(i).Name << "\n";
    return 0;
}

int Listen(const std::string& fileName)
{
    const std::unique_ptr<tarvo::THotKeyFile> document = ReadDocument(fileName);
    try {
        tarvo::tools::ListenForHotKeys(*document, fileName, std::cout, std::cerr);
    } catch (const tarvo::EWindowSystemError& error) {
        throw EToolError{fileName, error.what()};
    }
    return 0;
}

void WriteDocument(const tarvo::THotKeyFile& document, const std::string& outFile)
{
    try {
        tarvo::WriteHotKeyDocument(document, outFile);
    } catch (const tarvo::ETarvoError& error) {
        throw EToolError{outFile, error.what()};
    }
}

int Build(const std::string& jsonFile, const std::string& outFile)
{
    std::unique_ptr<tarvo::THotKeyFile> document;
    try {
        document = tarvo::HotKeyDocumentFromJson(ReadTextFile(jsonFile));
    } catch (const tarvo::ETarvoError& error) {
        throw EToolError{jsonFile, error.what()};
    }
    WriteDocument(*document, outFile);
    return 0;
}

// The exit status of an import that wrote its file but skipped bindings,
// and of a check that found held combinations.
constexpr int SomeBindingsSkipped = 2;
constexpr int SomeCombinationsHeld = 2;

// Lists the hotkeys whose combinations others hold, a line per holder.
int Check(const std::string& fileName)
{
    const std::unique_ptr<tarvo::THotKeyFile> document = ReadDocument(fileName);
    int argc = 1;
    char name[] = "tvotool";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv); // for the session bus
    // The combinations' key names come from the window system when there is one.
    tarvo::platform::InstallWindowSystemServices(tarvo::platform::Services());
    const tarvo::conflicts::TConflictFinder finder(tarvo::conflicts::RunningDesktopSources());
    bool held = false;
    for (int i = 0; i < document->HotKeyList->Count(); ++i) {
        const tarvo::THotTarvo& hotkey = document->HotKey(i);
        for (const tarvo::conflicts::THolder& holder : finder.Holders(hotkey.HotKey, *document, hotkey.ID)) {
            std::cout << "\"" << hotkey.Name << "\" (" << tarvo::ShortcutText(hotkey.HotKey)
                      << "): " << tarvo::conflicts::HolderText(holder, false) << "\n";
            held = true;
        }
    }
    return held ? SomeCombinationsHeld : 0;
}

bool EndsWithJsonExtension(const std::string& fileName)
{
    constexpr std::string_view Extension = ".json";
    return fileName.size() >= Extension.size()
        && tarvo::tools::EqualIgnoringCase(std::string_view(fileName).substr(fileName.size() - Extension.size()),
                                           Extension);
}

// Writes the hotkeys of another program's configuration to outFile; format
// is empty to recognise it.
int Import(const std::string& format, const std::string& configFile, const std::string& outFile)
{
    using namespace tarvo::tools;
    const std::optional<TPeerFormat> peerFormat = format.empty() ? std::nullopt : PeerFormatNamed(format);
    if (!format.empty() && !peerFormat)
        throw EToolError{format, "unknown configuration format (sxhkd or xbindkeys)"};
    const TImportedHotKeys imported = ImportConfiguration(configFile, ReadTextFile(configFile), peerFormat);
    for (const TSkippedBinding& skipped : imported.Skipped)
        std::cerr << "tvotool: " << configFile << ":" << skipped.Line << ": skipped \"" << skipped.Binding
                  << "\": " << skipped.Reason << "\n";
    if (EndsWithJsonExtension(outFile)) {
        const std::string json = tarvo::HotKeyDocumentToJson(*imported.Document);
        if (!tarvo::platform::ReplaceWholeFile(outFile, reinterpret_cast<const uint8_t*>(json.data()), json.size()))
            throw EToolError{outFile, "cannot be written"};
    } else {
        WriteDocument(*imported.Document, outFile);
    }
    return imported.Skipped.empty() ? 0 : SomeBindingsSkipped;
}

int Run(const std::vector<std::string>& args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << Usage;
        return 0;
    }
    if (args.size() == 2 && args[0] == "dump")
        return Dump(args[1]);
    if (args.size() == 2 && args[0] == "messages")
        return Messages(args[1]);
    if (args.size() == 2 && args[0] == "container")
        return Container(args[1]);
    if (args.size() == 3 && args[0] == "build")
        return Build(args[1], args[2]);
    if (args.size() == 3 && args[0] == "exec")
        return Exec(args[1], args[2]);
    if (args.size() == 2 && args[0] == "listen")
        return Listen(args[1]);
    if (args.size() == 2 && args[0] == "check")
        return Check(args[1]);
    if (args.size() == 2 && args[0] == "names")
        return Names(args[1]);
    if (args.size() == 3 && args[0] == "import")
        return Import("", args[1], args[2]);
    if (args.size() == 4 && args[0] == "import")
        return Import(args[1], args[2], args[3]);
    const std::string what =
        args.empty() ? std::string("no command given") : "unknown command or arguments: " + args[0];
    throw tarvo::ETarvoError(what + " (see tvotool --help)");
}

} // namespace

int main(int argc, char** argv)
{
    tarvo::InitLangModules();
    tarvo::RegisterHotKeyClasses();
    try {
        return Run(tarvo::platform::ProgramArguments(argc, argv));
    } catch (const tarvo::ETarvoError& error) {
        std::cerr << "tvotool: " << error.what() << "\n";
        return 1;
    }
}
