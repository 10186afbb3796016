#pragma once
// The about dialog: the program's icon, name, version and release date. It
// is created once at start-up and shown modally on request; Close and Escape
// close it with the OK result.

#include <string>

#include "dialogs/tsform.h"

class QLabel;
class QPushButton;

namespace tarvo {

class TMltLang;

// The version label's text in the language (0 English, 1 German): the
// program's version and, on a second line, its release date, "Version 1.03"
// CR LF "Date: 1998/07/02" or "Datum: 02.07.1998".
std::string VersionLabelText(int language);

class TFormInfo : public TTSForm {
    Q_OBJECT

public:
    explicit TFormInfo(QWidget* owner = nullptr);

    QLabel* Image1;
    QLabel* Label6;
    QLabel* Label1;
    QPushButton* BtnClose;
    TMltLang* MltLang;

protected:
    // Switches to the current document's language.
    void showEvent(QShowEvent* event) override;

private:
    void FillVersionTexts();
};

} // namespace tarvo
