// Saves and loads a hotkey document of 10,000 hotkeys with three commands
// each, and reports the times and the file size.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "hotkeys/hotkeyfile.h"

namespace {

using namespace tarvo;

constexpr int HotKeyCount = 10000;
constexpr int CommandsPerHotKey = 3;

std::unique_ptr<THotKeyFile> BuildDocument()
{
    auto document = std::make_unique<THotKeyFile>();
    for (int i = 0; i < HotKeyCount; ++i) {
        auto hotkey = std::make_unique<THotTarvo>();
        hotkey->Name = "Hotkey number " + std::to_string(i);
        hotkey->HotKey = static_cast<TShortCut>(ShortCutCtrl | ShortCutAlt | ('A' + i % 26));
        for (int c = 0; c < CommandsPerHotKey; ++c) {
            auto command = std::make_unique<THotKeyCommand>();
            command->Name = "Command " + std::to_string(c);
            command->FileName = "%HOME%/bin/program-" + std::to_string(i);
            command->Parameters = "--option value --another " + std::to_string(c);
            command->Directory = "/home/user/projects";
            command->LookForWindow = c == 0 ? "Program window title" : "";
            hotkey->Commands->Add(std::move(command));
        }
        document->HotKeyList->Add(std::move(hotkey));
    }
    return document;
}

std::string BenchFile()
{
    return (std::filesystem::temp_directory_path() / "tarvo-bench.tvo").string();
}

void SaveDocument(benchmark::State& state)
{
    const auto document = BuildDocument();
    const std::string file = BenchFile();
    for (auto _ : state)
        WriteHotKeyDocument(*document, file);
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
}

void LoadDocument(benchmark::State& state)
{
    const std::string file = BenchFile();
    WriteHotKeyDocument(*BuildDocument(), file);
    for (auto _ : state) {
        auto document = ReadHotKeyDocument(file);
        benchmark::DoNotOptimize(document);
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}

BENCHMARK(SaveDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadDocument)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    InitHotKeyFileClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
