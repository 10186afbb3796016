#include "platform/qt/qtmessagebox.h"

#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace tarvo::platform::qt {

namespace {

QMessageBox::StandardButton StandardButtonOf(TMessageBoxAnswer answer)
{
    switch (answer) {
    case IdOk:
        return QMessageBox::Ok;
    case IdCancel:
        return QMessageBox::Cancel;
    case IdAbort:
        return QMessageBox::Abort;
    case IdRetry:
        return QMessageBox::Retry;
    case IdIgnore:
        return QMessageBox::Ignore;
    case IdYes:
        return QMessageBox::Yes;
    case IdNo:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon QtIconOf(TMessageBoxIcon icon)
{
    switch (icon) {
    case TMessageBoxIcon::Stop:
        return QMessageBox::Critical;
    case TMessageBoxIcon::Question:
        return QMessageBox::Question;
    case TMessageBoxIcon::Exclamation:
        return QMessageBox::Warning;
    case TMessageBoxIcon::Information:
        return QMessageBox::Information;
    case TMessageBoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int TQtMessageBox::Show(std::string_view text, std::string_view caption, uint32_t style)
{
    const TMessageBoxLayout layout = DecodeMessageBoxStyle(style);
    QMessageBox box(QtIconOf(layout.Icon), QString::fromUtf8(caption), QString::fromUtf8(text));
    std::map<const QAbstractButton*, TMessageBoxAnswer> answers;
    for (TMessageBoxAnswer answer : layout.Buttons) {
        QPushButton* button = box.addButton(StandardButtonOf(answer));
        answers[button] = answer;
        if (answer == layout.DefaultButton)
            box.setDefaultButton(button);
        if (answer == layout.EscapeButton)
            box.setEscapeButton(button);
    }
    box.exec();
    // Escape and the close button click the escape button, so a box that
    // has closed always has a clicked button; the lookup guards all the same.
    auto clicked = answers.find(box.clickedButton());
    return clicked == answers.end() ? layout.EscapeButton : clicked->second;
}

void InstallQtMessageBox(TServices& services)
{
    services.MessageBox = std::make_unique<TQtMessageBox>();
}

} // namespace tarvo::platform::qt
