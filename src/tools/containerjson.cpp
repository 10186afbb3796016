#include "tools/containerjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/files.h"

namespace tarvo {

namespace {

QJsonArray TextsToJson(const std::vector<std::string>& texts)
{
    QJsonArray array;
    for (const auto& text : texts)
        array.append(QString::fromUtf8(text));
    return array;
}

QJsonObject EntryToJson(const TCI& entry)
{
    QJsonObject object{
        {"class", QString::fromUtf8(entry.ClassName())},
        {"property", QString::fromUtf8(entry.PropertyName)},
        {"component", QString::fromUtf8(entry.ComponentName)},
        {"componentIndex", entry.ComponentIndex},
        {"lineCount", entry.LineCount},
    };
    if (const auto* list = dynamic_cast<const TCIStrList*>(&entry)) {
        QJsonArray lists;
        for (const auto& lines : list->Lists())
            lists.append(TextsToJson(lines));
        object["lists"] = lists;
    } else if (const auto* text = dynamic_cast<const TCIStr*>(&entry)) {
        object["texts"] = TextsToJson(text->Texts());
    }
    return object;
}

} // namespace

std::unique_ptr<TInfoList> ReadContainerFile(const std::string& fileName)
{
    const auto bytes = platform::ReadWholeFile(fileName);
    if (!bytes)
        throw EFOpenError(fileName);
    auto container = std::make_unique<TInfoList>();
    LoadFromBlock(*container, *bytes);
    return container;
}

std::string ContainerToJson(const TInfoList& container)
{
    QJsonArray entries;
    for (int i = 0; i < container.Count(); ++i)
        entries.append(EntryToJson(*container.Get(i)));
    QJsonArray languages;
    for (int i = 0; i < container.Languages().Count(); ++i)
        languages.append(container.Languages().GetLangId(i));
    const QJsonObject root{{"entries", entries}, {"languages", languages}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace tarvo
