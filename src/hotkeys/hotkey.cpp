#include "hotkeys/hotkey.h"

#include "persist/objectstream.h"

namespace tarvo {

namespace {
// The first record version with the command's parameters, directory and window text.
constexpr int32_t CommandVersionWithDetails = 101;
// The first record version with the hotkey's Reserved and Enabled fields.
constexpr int32_t HotKeyVersionWithEnabled = 103;
} // namespace

void THotKeyCommand::Create()
{
    TSimpleListEntry::Create();
    FileName.clear();
    Parameters.clear();
    Directory.clear();
    LookForWindow.clear();
    ExecMode = ExecNormal;
    LoadedVersion = HotKeyRecordVersion;
}

void THotKeyCommand::Store(TObjectStream& stream) const
{
    TSimpleListEntry::Store(stream);
    stream.PutInt(HotKeyRecordVersion);
    stream.PutString(FileName);
    stream.PutInt(ExecMode);
    stream.PutString(Parameters);
    stream.PutString(Directory);
    stream.PutString(LookForWindow);
}

void THotKeyCommand::Load(TObjectStream& stream)
{
    TSimpleListEntry::Load(stream);
    LoadedVersion = stream.GetInt();
    FileName = stream.GetString();
    ExecMode = stream.GetInt();
    if (LoadedVersion >= CommandVersionWithDetails) {
        Parameters = stream.GetString();
        Directory = stream.GetString();
        LookForWindow = stream.GetString();
    } else {
        Parameters.clear();
        Directory.clear();
        LookForWindow.clear();
    }
}

void THotKeyCommand::CopyTo(TStreamableObject& target) const
{
    TSimpleListEntry::CopyTo(target);
    auto& command = CastTo<THotKeyCommand>(target);
    command.FileName = FileName;
    command.ExecMode = ExecMode;
    command.Parameters = Parameters;
    command.Directory = Directory;
    command.LookForWindow = LookForWindow;
}

THotTarvo::THotTarvo() : Commands(std::make_unique<TIDList>())
{
}

void THotTarvo::Create()
{
    TSimpleListEntry::Create();
    HotKey = 0;
    Commands = std::make_unique<TIDList>();
    HotKeyId = 0;
    Reserved = 0;
    Enabled = true;
    LoadedVersion = HotKeyRecordVersion;
}

void THotTarvo::Store(TObjectStream& stream) const
{
    TSimpleListEntry::Store(stream);
    stream.PutInt(HotKeyRecordVersion);
    stream.PutWord(HotKey);
    stream.PutObject(*Commands);
    stream.PutInt(Reserved);
    stream.PutBool(Enabled);
}

void THotTarvo::Load(TObjectStream& stream)
{
    TSimpleListEntry::Load(stream);
    LoadedVersion = stream.GetInt();
    HotKey = stream.GetWord();
    Commands = stream.GetListOf<TIDList, THotKeyCommand>();
    HotKeyId = 0;
    if (LoadedVersion >= HotKeyVersionWithEnabled) {
        Reserved = stream.GetInt();
        Enabled = stream.GetBool();
    } else {
        Reserved = 0;
        Enabled = true;
    }
}

void THotTarvo::CopyTo(TStreamableObject& target) const
{
    TSimpleListEntry::CopyTo(target);
    auto& hotkey = CastTo<THotTarvo>(target);
    hotkey.HotKey = HotKey;
    Commands->CopyTo(*hotkey.Commands);
    hotkey.Reserved = Reserved;
    hotkey.Enabled = Enabled;
}

std::string THotTarvo::GetDescription(int32_t /*kind*/) const
{
    return Name + " (" + ShortcutText(HotKey) + ")";
}

} // namespace tarvo
