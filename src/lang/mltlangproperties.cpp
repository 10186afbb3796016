#include "lang/mltlangproperties.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTreeWidget>

#include <exception>

#include "lang/log.h"

namespace tarvo {

QByteArray QtPropertyName(const QObject& component, std::string_view propertyName)
{
    const auto* widget = qobject_cast<const QWidget*>(&component);
    const bool window = widget && widget->isWindow();
    if (propertyName == "Caption") {
        if (qobject_cast<const QGroupBox*>(&component) || qobject_cast<const QMenu*>(&component))
            return "title";
        return window ? "windowTitle" : "text";
    }
    if (propertyName == "Hint")
        return "toolTip";
    if (propertyName == "Text") {
        if (qobject_cast<const QPlainTextEdit*>(&component))
            return "plainText";
        if (qobject_cast<const QComboBox*>(&component))
            return "currentText";
        return "text";
    }
    if (propertyName == "Title" && window)
        return "windowTitle";
    if (propertyName == "DefaultExt" && qobject_cast<const QFileDialog*>(&component))
        return "defaultSuffix";
    QByteArray name(propertyName.data(), static_cast<qsizetype>(propertyName.size()));
    if (!name.isEmpty() && name[0] >= 'A' && name[0] <= 'Z')
        name[0] = static_cast<char>(name[0] - 'A' + 'a');
    return name;
}

bool TWidgetProperties::WriteStringProperty(QObject& component, std::string_view propertyName,
                                            const QString& text) const
{
    const QMetaObject& meta = *component.metaObject();
    const int index = meta.indexOfProperty(QtPropertyName(component, propertyName).constData());
    if (index < 0)
        return false;
    const QMetaProperty property = meta.property(index);
    if (property.metaType().id() != QMetaType::QString || !property.isWritable())
        return false;
    try {
        property.write(&component, text);
    } catch (const std::exception& error) {
        // A setter that refuses the text leaves the property as it was; the
        // other translations of the language change still apply.
        qCWarning(lcLang).noquote() << "the property" << property.name() << "of" << component.objectName()
                                    << "refused a translation:" << QString::fromUtf8(error.what());
    }
    return true;
}

std::optional<TLineTarget> TWidgetProperties::LinePropertyOf(QObject& component, std::string_view propertyName) const
{
    if (propertyName != "Items")
        return std::nullopt;
    if (auto* combo = qobject_cast<QComboBox*>(&component))
        return TLineTarget{combo->count(), [combo](int line, const QString& text) { combo->setItemText(line, text); }};
    if (auto* list = qobject_cast<QListWidget*>(&component))
        return TLineTarget{list->count(), [list](int line, const QString& text) { list->item(line)->setText(text); }};
    return std::nullopt;
}

std::optional<TLineTarget> TWidgetProperties::StatusPanelsOf(QObject& component) const
{
    auto* statusBar = qobject_cast<QStatusBar*>(&component);
    if (!statusBar)
        return std::nullopt;
    const QList<QLabel*> panels = statusBar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    return TLineTarget{static_cast<int>(panels.size()),
                       [panels](int line, const QString& text) { panels[line]->setText(text); }};
}

std::optional<TLineTarget> TWidgetProperties::HeaderSectionsOf(QObject& component) const
{
    auto* header = qobject_cast<QHeaderView*>(&component);
    if (!header || !header->model())
        return std::nullopt;
    return TLineTarget{header->count(), [header](int line, const QString& text) {
                           header->model()->setHeaderData(line, header->orientation(), text);
                       }};
}

std::optional<TLineTarget> TWidgetProperties::ListColumnsOf(QObject& component) const
{
    auto* tree = qobject_cast<QTreeWidget*>(&component);
    if (!tree)
        return std::nullopt;
    return TLineTarget{tree->columnCount(),
                       [tree](int line, const QString& text) { tree->headerItem()->setText(line, text); }};
}

const TWidgetProperties& WidgetProperties()
{
    static const TWidgetProperties properties;
    return properties;
}

} // namespace tarvo
