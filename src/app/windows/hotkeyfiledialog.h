#pragma once
// The open and save dialogs for hotkey files: non-visual components of the
// main window with a translated filter and a default extension, run modally
// on request.

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace tarvo {

class THotKeyFileDialog : public QObject {
    Q_OBJECT
    // "Description|pattern" pairs, separated by "|": "Tarvo-Files (*.tvo)|*.tvo".
    Q_PROPERTY(QString filter MEMBER Filter)

public:
    enum TPurpose {
        // The chosen file must exist.
        Open,
        // Choosing an existing file asks before it is overwritten.
        Save,
    };

    // A dialog of the owner form.
    THotKeyFileDialog(TPurpose purpose, QWidget* owner);

    const TPurpose Purpose;
    QString Filter;
    // Appended to a typed name without an extension.
    QString DefaultExt;
    // In: the file to start at. Out, after a confirmed Execute: the full
    // name of the chosen file.
    std::string FileName;

    // Runs Choose; true when the user chose a file.
    bool Execute() { return Choose(*this); }
    // Shows the dialog and puts the chosen file into FileName: Qt's file
    // dialog; tests put their own.
    std::function<bool(THotKeyFileDialog& dialog)> Choose;
};

} // namespace tarvo
