#pragma once
// How translations reach Qt widgets: the one mapping from the property names
// that translation entries carry ("Caption", "Hint", "Text", "Items", ...) to
// the Qt properties and item lists of each widget class.

#include <QByteArray>

#include <optional>
#include <string_view>

#include "lang/componentproperties.h"

class QObject;

namespace tarvo {

// The Qt property that a translated property name denotes on the component:
//   Caption     windowTitle of a window, title of a group box or menu, else text
//   Hint        toolTip
//   Text        plainText of a plain-text edit, currentText of a combo box, else text
//   Title       windowTitle of a window
//   DefaultExt  defaultSuffix of a file dialog
// and otherwise the name with its first letter in lower case ("InitialDir" is
// initialDir), which is how the program's own components name theirs.
QByteArray QtPropertyName(const QObject& component, std::string_view propertyName);

class TWidgetProperties : public IComponentProperties {
public:
    // Writes the property that QtPropertyName names. An error raised by the
    // property's setter is swallowed: a translation that cannot be shown must
    // not stop a language change.
    bool WriteStringProperty(QObject& component, std::string_view propertyName, const QString& text) const override;
    // "Items" of a combo box or list widget.
    std::optional<TLineTarget> LinePropertyOf(QObject& component, std::string_view propertyName) const override;
    // The labels placed directly on a status bar, in order.
    std::optional<TLineTarget> StatusPanelsOf(QObject& component) const override;
    // The sections of a header view.
    std::optional<TLineTarget> HeaderSectionsOf(QObject& component) const override;
    // The column captions of a tree widget.
    std::optional<TLineTarget> ListColumnsOf(QObject& component) const override;
};

// The mapping the language switchers and form resources apply entries with.
const TWidgetProperties& WidgetProperties();

} // namespace tarvo
