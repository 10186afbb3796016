#pragma once
// What translation entries need of the components they translate: writing a
// string property and replacing the lines of a list in place. The widgets
// part of the library implements it for Qt widgets (lang/mltlangproperties.h)
// and hands it to the entries, so that entries and containers stay free of
// Qt Widgets.

#include <QString>

#include <functional>
#include <optional>
#include <string_view>

class QObject;

namespace tarvo {

// A list of texts on a component whose lines are replaced in place: the
// list keeps its length, and each line keeps what else belongs to it (the
// data of a combo-box item).
struct TLineTarget {
    int Count = 0;
    std::function<void(int line, const QString& text)> SetLine;
};

class IComponentProperties {
public:
    virtual ~IComponentProperties() = default;
    // Writes text into the string property that the translated property name
    // ("Caption", "Hint", ...) denotes. False when the component has no such
    // property or it is not a writable string property.
    virtual bool WriteStringProperty(QObject& component, std::string_view propertyName, const QString& text) const = 0;
    // The list that the property name denotes ("Items").
    virtual std::optional<TLineTarget> LinePropertyOf(QObject& component, std::string_view propertyName) const = 0;
    // The panels of a status bar.
    virtual std::optional<TLineTarget> StatusPanelsOf(QObject& component) const = 0;
    // The sections of a header.
    virtual std::optional<TLineTarget> HeaderSectionsOf(QObject& component) const = 0;
    // The column captions of a list.
    virtual std::optional<TLineTarget> ListColumnsOf(QObject& component) const = 0;
};

} // namespace tarvo
