#include "tools/messagejson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "lang/message.h"

namespace tarvo {

std::string MessagesToJson(const TIDList& messages)
{
    QJsonArray list;
    for (int i = 0; i < messages.Count(); ++i) {
        const auto& message = *messages.AtAs<TAppMessage>(i);
        list.append(QJsonObject{
            {"id", message.ID},
            {"name", QString::fromStdString(message.Name)},
            {"caption", QString::fromStdString(message.Caption)},
            {"text", QString::fromStdString(message.Text)},
            {"style", message.Style},
            {"remark", QString::fromStdString(message.Bemerkung)},
        });
    }
    return QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace tarvo
