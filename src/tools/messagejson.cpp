#include "tools/messagejson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "lang/message.h"
#include "persist/textservices.h"

namespace tarvo {

namespace {

QString Display(const std::string& bytes)
{
    return QString::fromStdString(text::ToDisplayText(bytes));
}

} // namespace

std::string MessagesToJson(const TIDList& messages)
{
    QJsonArray list;
    for (int i = 0; i < messages.Count(); ++i) {
        const auto& message = *messages.AtAs<TAppMessage>(i);
        list.append(QJsonObject{
            {"id", message.ID},
            {"name", Display(message.Name)},
            {"caption", Display(message.Caption)},
            {"text", Display(message.Text)},
            {"style", message.Style},
            {"remark", Display(message.Bemerkung)},
        });
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace tarvo
