#pragma once
// How translations reach Qt widgets: the one mapping from the property names
// that translation entries carry ("Caption", "Hint", "Text", "Items", ...) to
// the Qt properties and item lists of each widget class.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <string_view>

class QObject;

namespace tarvo {

// A text (UTF-8) as Qt text.
QString DisplayText(std::string_view text);

// The Qt property that a translated property name denotes on the component:
//   Caption     windowTitle of a window, title of a group box or menu, else text
//   Hint        toolTip
//   Text        plainText of a plain-text edit, currentText of a combo box, else text
//   Title       windowTitle of a window
//   DefaultExt  defaultSuffix of a file dialog
// and otherwise the name with its first letter in lower case ("InitialDir" is
// initialDir), which is how the program's own components name theirs.
QByteArray QtPropertyName(const QObject& component, std::string_view propertyName);

// Writes text into the string property that the name denotes. False when the
// component has no such property or it is not a writable string property.
// An error raised by the property's setter is swallowed: a translation that
// cannot be shown must not stop a language change.
bool WriteStringProperty(QObject& component, std::string_view propertyName, const QString& text);

// A list of texts on a component whose lines are replaced in place: the
// list keeps its length, and each line keeps what else belongs to it (the
// data of a combo-box item).
struct TLineTarget {
    int Count = 0;
    std::function<void(int line, const QString& text)> SetLine;
};

// "Items" of a combo box or list widget.
std::optional<TLineTarget> LinePropertyOf(QObject& component, std::string_view propertyName);
// The panels of a status bar: the labels placed directly on it, in order.
std::optional<TLineTarget> StatusPanelsOf(QObject& component);
// The sections of a header view.
std::optional<TLineTarget> HeaderSectionsOf(QObject& component);
// The column captions of a tree widget.
std::optional<TLineTarget> ListColumnsOf(QObject& component);

} // namespace tarvo
