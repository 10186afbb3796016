// tvotool: inspect and write hotkey files from the command line.
//
//   tvotool dump FILE        print the document as JSON
//   tvotool build JSON OUT   write a hotkey file from JSON

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "hotkeys/hotkeyfile.h"
#include "platform/files.h"
#include "tools/hotkeyjson.h"

namespace {

constexpr const char* Usage =
    "Usage:\n"
    "  tvotool dump FILE        print the hotkey file FILE as JSON on standard output\n"
    "  tvotool build JSON OUT   write the hotkey file OUT from the JSON file JSON\n"
    "  tvotool --help           show this help\n"
    "\n"
    "JSON fields: version, minimizeAtStart, language (0 English, 1 German), lastId, hotkeys[]:\n"
    "  id, name, version, hotKey (virtual-key code | 0x2000 Shift | 0x4000 Ctrl | 0x8000 Alt),\n"
    "  shortcut (shown by dump, ignored by build), enabled, reserved, lastId, commands[]:\n"
    "    id, name, version, fileName, execMode (0-4), parameters, directory, lookForWindow\n"
    "build writes every record with the current version; a missing field takes the default of\n"
    "a new record, a missing id is handed out by its list.\n";

// A failure the tool reports as one line: the file it concerns and what is wrong.
struct TToolError {
    std::string file;
    std::string problem;
};

std::string ReadTextFile(const std::string& fileName)
{
    auto bytes = tarvo::platform::ReadWholeFile(fileName);
    if (!bytes)
        throw TToolError{fileName, "cannot be read"};
    return std::string(bytes->begin(), bytes->end());
}

int Dump(const std::string& fileName)
{
    if (!tarvo::platform::FileExists(fileName))
        throw TToolError{fileName, "no such file"};
    try {
        std::cout << tarvo::HotKeyDocumentToJson(*tarvo::ReadHotKeyDocument(fileName));
    } catch (const tarvo::ETarvoError& error) {
        throw TToolError{fileName, error.what()};
    }
    return 0;
}

int Build(const std::string& jsonFile, const std::string& outFile)
{
    std::unique_ptr<tarvo::THotKeyFile> document;
    try {
        document = tarvo::HotKeyDocumentFromJson(ReadTextFile(jsonFile));
    } catch (const tarvo::ETarvoError& error) {
        throw TToolError{jsonFile, error.what()};
    }
    try {
        tarvo::WriteHotKeyDocument(*document, outFile);
    } catch (const tarvo::ETarvoError& error) {
        throw TToolError{outFile, error.what()};
    }
    return 0;
}

int Run(const std::vector<std::string>& args)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << Usage;
        return 0;
    }
    if (args.size() == 2 && args[0] == "dump")
        return Dump(args[1]);
    if (args.size() == 3 && args[0] == "build")
        return Build(args[1], args[2]);
    const std::string what = args.empty() ? std::string("no command given") : "unknown command or arguments: " + args[0];
    throw TToolError{"tvotool", what + " (see tvotool --help)"};
}

} // namespace

int main(int argc, char** argv)
{
    tarvo::InitHotKeyFileClasses();
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const TToolError& error) {
        std::cerr << "tvotool: " << error.file << ": " << error.problem << "\n";
        return 1;
    }
}
