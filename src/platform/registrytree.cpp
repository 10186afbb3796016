#include "platform/registrytree.h"

#include <algorithm>

namespace tarvo::platform {

namespace {

char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folded(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), FoldCase);
    return result;
}

// The path's key names, without empty ones.
std::vector<std::string_view> KeyNames(std::string_view path)
{
    std::vector<std::string_view> names;
    while (!path.empty()) {
        const size_t end = std::min(path.find('\\'), path.size());
        if (end > 0)
            names.push_back(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return names;
}

std::string JoinedPath(const std::vector<std::string_view>& names, size_t count)
{
    std::string path;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0)
            path += '\\';
        path += names[i];
    }
    return path;
}

// The map key of a path.
std::string KeyOf(std::string_view path)
{
    const auto names = KeyNames(path);
    return Folded(JoinedPath(names, names.size()));
}

} // namespace

bool SameRegistryName(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

bool TRegistryTree::HasKey(std::string_view path) const
{
    const std::string key = KeyOf(path);
    return key.empty() || keys_.contains(key);
}

void TRegistryTree::AddKey(std::string_view path)
{
    Entry(path);
}

const TRegistryValue* TRegistryTree::FindValue(std::string_view path, std::string_view name) const
{
    const auto entry = keys_.find(KeyOf(path));
    if (entry == keys_.end())
        return nullptr;
    for (const auto& value : entry->second.Values) {
        if (SameRegistryName(value.Name, name))
            return &value.Value;
    }
    return nullptr;
}

void TRegistryTree::SetValue(std::string_view path, std::string_view name, TRegistryValue value)
{
    auto& values = Entry(path).Values;
    for (auto& existing : values) {
        if (SameRegistryName(existing.Name, name)) {
            existing.Value = std::move(value);
            return;
        }
    }
    values.push_back({std::string(name), std::move(value)});
}

std::vector<const TRegistryKeyEntry*> TRegistryTree::Keys() const
{
    // A parent's map key is a prefix of its children's, so it sorts first.
    std::vector<const TRegistryKeyEntry*> entries;
    for (const auto& [key, entry] : keys_)
        entries.push_back(&entry);
    return entries;
}

TRegistryKeyEntry& TRegistryTree::Entry(std::string_view path)
{
    const auto names = KeyNames(path);
    if (names.empty())
        return keys_[std::string()];
    // A new key is spelled as its parent plus its own name as given here.
    TRegistryKeyEntry* entry = nullptr;
    for (size_t count = 1; count <= names.size(); ++count) {
        auto [position, inserted] = keys_.try_emplace(Folded(JoinedPath(names, count)));
        if (inserted)
            position->second.Path = entry ? entry->Path + "\\" + std::string(names[count - 1]) : std::string(names[0]);
        entry = &position->second;
    }
    return *entry;
}

} // namespace tarvo::platform
