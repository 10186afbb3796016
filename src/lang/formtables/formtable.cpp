#include "lang/formtables/formtable.h"

#include <cstdio>
#include <map>
#include <optional>
#include <utility>

namespace tarvo {

namespace {

constexpr std::string_view ListProperty = "Items";

bool IsNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Reads the names and texts of one line; errors name the file and line.
class TLineScanner {
public:
    TLineScanner(std::string_view line, std::string where) : rest_(line), where_(std::move(where)) { }

    bool AtEnd()
    {
        SkipBlanks();
        return rest_.empty();
    }

    bool AtComment()
    {
        SkipBlanks();
        return !rest_.empty() && rest_.front() == '#';
    }

    std::string Name(std::string_view what)
    {
        SkipBlanks();
        size_t length = 0;
        while (length < rest_.size() && IsNameCharacter(rest_[length]))
            ++length;
        if (length == 0 || (rest_[0] >= '0' && rest_[0] <= '9'))
            Fail(std::string(what) + " expected");
        std::string name(rest_.substr(0, length));
        rest_.remove_prefix(length);
        return name;
    }

    std::string Text(std::string_view what)
    {
        SkipBlanks();
        if (rest_.empty() || rest_.front() != '"')
            Fail(std::string(what) + " in double quotes expected");
        std::string text;
        for (size_t i = 1; i < rest_.size(); ++i) {
            const char c = rest_[i];
            if (c == '"') {
                rest_.remove_prefix(i + 1);
                return text;
            }
            if (c == '\\') {
                // A caption of several lines holds CR LF between them.
                const char escaped = i + 1 < rest_.size() ? rest_[i + 1] : '\0';
                if (escaped == 'r' || escaped == 'n') {
                    text += escaped == 'r' ? '\r' : '\n';
                    ++i;
                    continue;
                }
                if (escaped != '"' && escaped != '\\')
                    Fail("only \\\", \\\\, \\r and \\n may follow a backslash");
                ++i;
            }
            text += rest_[i];
        }
        Fail(std::string(what) + " has no closing quote");
    }

    void End()
    {
        if (!AtEnd())
            Fail("unexpected \"" + std::string(rest_) + "\" at the end of the line");
    }

    [[noreturn]] void Fail(const std::string& problem) const { throw EFormTableError(where_ + ": " + problem); }

private:
    void SkipBlanks()
    {
        while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t' || rest_.front() == '\r'))
            rest_.remove_prefix(1);
    }

    std::string_view rest_;
    std::string where_;
};

bool SameProperty(const TFormTableRow& a, const TFormTableRow& b)
{
    return a.Component == b.Component && a.Property == b.Property;
}

// Parses the table line by line.
class TTableParser {
public:
    explicit TTableParser(std::string_view fileName) : fileName_(fileName) { }

    TFormTable Parse(std::string_view text)
    {
        int lineNumber = 0;
        while (!text.empty()) {
            const size_t end = text.find('\n');
            ParseLine(text.substr(0, end), ++lineNumber);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        if (table_.FormName.empty() || !designSet_)
            throw EFormTableError(fileName_ + ": the \"form\" and \"design\" lines are missing");
        return std::move(table_);
    }

private:
    void ParseLine(std::string_view line, int lineNumber)
    {
        TLineScanner scanner(line, fileName_ + ":" + std::to_string(lineNumber));
        if (scanner.AtEnd() || scanner.AtComment())
            return;
        const std::string word = scanner.Name("\"form\", \"design\" or a component name");
        if (word == "form" || word == "design") {
            if (!table_.Rows.empty())
                scanner.Fail("\"" + word + "\" must come before the rows");
            word == "form" ? ParseForm(scanner) : ParseDesign(scanner);
        } else {
            if (table_.FormName.empty() || !designSet_)
                scanner.Fail("the \"form\" and \"design\" lines must come before the rows");
            ParseRow(scanner, word, lineNumber);
        }
        scanner.End();
    }

    void ParseForm(TLineScanner& scanner)
    {
        if (!table_.FormName.empty())
            scanner.Fail("\"form\" is given twice");
        table_.FormName = scanner.Name("the form's name");
    }

    void ParseDesign(TLineScanner& scanner)
    {
        if (designSet_)
            scanner.Fail("\"design\" is given twice");
        const std::string language = scanner.Name("english or german");
        if (language != "english" && language != "german")
            scanner.Fail("the design language must be english or german");
        table_.DesignSlot = language == "english" ? 0 : 1;
        designSet_ = true;
    }

    void ParseRow(TLineScanner& scanner, const std::string& component, int lineNumber)
    {
        TFormTableRow row;
        row.Component = component;
        row.Property = scanner.Name("a property name");
        row.English = scanner.Text("the English text");
        row.German = scanner.Text("the German text");
        row.Line = lineNumber;
        const bool continuesList =
            row.Property == ListProperty && !table_.Rows.empty() && SameProperty(table_.Rows.back(), row);
        if (!continuesList) {
            for (const auto& earlier : table_.Rows)
                if (SameProperty(earlier, row))
                    scanner.Fail(component + " " + row.Property + " is given twice (first on line "
                                 + std::to_string(earlier.Line) + ")");
        }
        table_.Rows.push_back(std::move(row));
    }

    std::string fileName_;
    TFormTable table_;
    bool designSet_ = false;
};

std::unique_ptr<TCI> NewEntry(const TFormTableRow& row, int32_t componentIndex)
{
    std::unique_ptr<TCI> entry;
    if (row.Property == ListProperty)
        entry = std::make_unique<TCIStrList>();
    else
        entry = std::make_unique<TCIStr>();
    entry->PropertyName = row.Property;
    entry->ComponentName = row.Component;
    entry->ComponentIndex = componentIndex;
    return entry;
}

std::string LangIdName(int slot)
{
    return slot == 0 ? "lgENGLISH" : "lgGERMAN";
}

} // namespace

TFormTable ParseFormTable(std::string_view text, std::string_view fileName)
{
    return TTableParser(fileName).Parse(text);
}

std::unique_ptr<TInfoList> BuildContainer(const TFormTable& table)
{
    auto container = std::make_unique<TInfoList>();
    container->Languages().Add(std::make_unique<TLngId>(DefaultSlotOrder[0]));
    container->Languages().Add(std::make_unique<TLngId>(DefaultSlotOrder[1]));
    std::map<std::string, int32_t> componentIndex;
    const TFormTableRow* previous = nullptr;
    int line = 0;
    for (const auto& row : table.Rows) {
        if (previous && SameProperty(*previous, row)) {
            ++line;
        } else {
            const int32_t next = static_cast<int32_t>(componentIndex.size());
            const int32_t index =
                row.Component == table.FormName ? -1 : componentIndex.try_emplace(row.Component, next).first->second;
            container->Add(NewEntry(row, index));
            line = 0;
        }
        container->Last()->SetStringList(row.English, 0, line);
        container->Last()->SetStringList(row.German, 1, line);
        previous = &row;
    }
    return container;
}

std::vector<uint8_t> ContainerBlock(const TFormTable& table)
{
    return table.Rows.empty() ? std::vector<uint8_t>() : SaveToBlock(*BuildContainer(table));
}

std::string ResourceSource(const TFormTable& table, std::string_view headerName, std::string_view tableName)
{
    const std::vector<uint8_t> block = ContainerBlock(table);
    std::string source = "// Generated by formtablegen from " + std::string(tableName)
        + "; do not edit.\n"
          "#include \""
        + std::string(headerName) + "\"\n\n";
    std::string items = "{}";
    if (!block.empty()) {
        source += "namespace {\nconst uint8_t itemsBlock[] = {";
        for (size_t i = 0; i < block.size(); ++i) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02x,", block[i]);
            source += (i % 12 == 0 ? "\n   " : "") + std::string(" ") + hex;
        }
        source += "\n};\n} // namespace\n\n";
        items = "itemsBlock";
    }
    const std::string langId = LangIdName(table.DesignSlot);
    source += "namespace tarvo::formresources {\n\nconst TFormResource " + table.FormName
        + "{\n"
          "    .ActiveLang = "
        + std::to_string(table.DesignSlot)
        + ",\n"
          "    .ActiveLangById = "
        + langId
        + ",\n"
          "    .MaxLang = 2,\n"
          "    .Items = "
        + items
        + ",\n"
          "    .DefDictionary = \"default.dct\",\n"
          "    .LangId = "
        + langId
        + ",\n"
          "};\n\n} // namespace tarvo::formresources\n";
    return source;
}

std::string ResourceHeader(const TFormTable& table, std::string_view tableName)
{
    return "#pragma once\n// Generated by formtablegen from " + std::string(tableName)
        + "; do not edit.\n"
          "#include \"lang/formresource.h\"\n\n"
          "namespace tarvo::formresources {\nextern const TFormResource "
        + table.FormName + ";\n}\n";
}

} // namespace tarvo
