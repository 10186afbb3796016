// formtablegen: turns a form's translation table into its form resource.
//
//   formtablegen TABLE OUT.cpp OUT.h
//
// writes a C++ source that holds the form's stored translations and the
// header that declares them (see formtable.h).

#include <filesystem>
#include <iostream>
#include <string>

#include "lang/containermodule.h"
#include "lang/formtables/formtable.h"
#include "platform/files.h"

namespace {

void WriteText(const std::string& fileName, const std::string& text)
{
    if (!tarvo::platform::ReplaceWholeFile(fileName, reinterpret_cast<const uint8_t*>(text.data()), text.size()))
        throw tarvo::EFCreateError(fileName);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: formtablegen TABLE OUT.cpp OUT.h\n";
        return 2;
    }
    const std::string tableFile = argv[1];
    const std::string sourceFile = argv[2];
    const std::string headerFile = argv[3];
    tarvo::InitContainerModule();
    int result = 0;
    try {
        const auto bytes = tarvo::platform::ReadWholeFile(tableFile);
        if (!bytes)
            throw tarvo::EFOpenError(tableFile);
        const tarvo::TFormTable table = tarvo::ParseFormTable(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), tableFile);
        const std::string tableName = std::filesystem::path(tableFile).filename().string();
        const std::string headerName = std::filesystem::path(headerFile).filename().string();
        WriteText(sourceFile, tarvo::ResourceSource(table, headerName, tableName));
        WriteText(headerFile, tarvo::ResourceHeader(table, tableName));
    } catch (const tarvo::ETarvoError& error) {
        std::cerr << "formtablegen: " << error.what() << "\n";
        result = 1;
    }
    tarvo::FinalizeContainerModule();
    return result;
}
