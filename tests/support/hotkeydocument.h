#pragma once
// Hotkeys for the tests' documents: each with one command, which opens
// program with parameters, or, without a program, "run-" + the hotkey's name
// (a program that is not there, for tests that never run it).

#include <memory>
#include <string>

#include "hotkeys/hotkeyfile.h"

namespace tarvo::testsupport {

// The hotkey as the document holds it.
inline THotTarvo& AddHotKey(THotKeyFile& document, const std::string& name, TShortCut key,
                            const std::string& program = "", const std::string& parameters = "")
{
    auto hotkey = std::make_unique<THotTarvo>();
    hotkey->Name = name;
    hotkey->HotKey = key;
    auto command = std::make_unique<THotKeyCommand>();
    command->FileName = program.empty() ? "run-" + name : program;
    command->Parameters = parameters;
    hotkey->Commands->Add(std::move(command));
    THotTarvo& added = *hotkey;
    document.HotKeyList->Add(std::move(hotkey));
    return added;
}

} // namespace tarvo::testsupport
