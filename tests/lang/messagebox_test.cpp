#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "platform/fake/fakemessagebox.h"
#include "platform/qt/qtmessagebox.h"

using namespace tarvo::platform;

namespace {

struct TStyleCase {
    uint32_t style;
    std::vector<TMessageBoxAnswer> buttons;
    TMessageBoxAnswer defaultButton;
    TMessageBoxAnswer escapeButton;
    TMessageBoxIcon icon;
    QMessageBox::Icon qtIcon;
};

const TStyleCase StyleCases[] = {
    {MbOk, {IdOk}, IdOk, IdOk, TMessageBoxIcon::None, QMessageBox::NoIcon},
    {MbOkCancel | MbIconInformation,
     {IdOk, IdCancel},
     IdOk,
     IdCancel,
     TMessageBoxIcon::Information,
     QMessageBox::Information},
    {MbAbortRetryIgnore | MbIconStop | MbDefButton2,
     {IdAbort, IdRetry, IdIgnore},
     IdRetry,
     IdAbort,
     TMessageBoxIcon::Stop,
     QMessageBox::Critical},
    {MbYesNoCancel | MbIconQuestion | MbDefButton3,
     {IdYes, IdNo, IdCancel},
     IdCancel,
     IdCancel,
     TMessageBoxIcon::Question,
     QMessageBox::Question},
    {MbYesNo | MbIconExclamation | MbDefButton2,
     {IdYes, IdNo},
     IdNo,
     IdNo,
     TMessageBoxIcon::Exclamation,
     QMessageBox::Warning},
    {MbRetryCancel | MbDefButton3, {IdRetry, IdCancel}, IdRetry, IdCancel, TMessageBoxIcon::None, QMessageBox::NoIcon},
    // A set, an icon and a default button this system does not know.
    {0x6 | 0x50 | 0x300, {IdOk}, IdOk, IdOk, TMessageBoxIcon::None, QMessageBox::NoIcon},
};

// Shows a real box with the style and, once it is up, hands it to act,
// which must close it. Returns the box's answer.
int ShowAndAct(uint32_t style, const std::function<void(QMessageBox&)>& act)
{
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer.stop();
        act(*box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the box is still open";
            box->done(0);
        }
    });
    timer.start(5);
    return qt::TQtMessageBox().Show("Datei löschen?", "Löschen", style);
}

void PressEscape(QMessageBox& box)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
}

} // namespace

TEST(MessageBoxStyle, DecodesButtonsIconAndDefault)
{
    for (const TStyleCase& c : StyleCases) {
        const TMessageBoxLayout layout = DecodeMessageBoxStyle(c.style);
        EXPECT_EQ(layout.Buttons, c.buttons) << c.style;
        EXPECT_EQ(layout.DefaultButton, c.defaultButton) << c.style;
        EXPECT_EQ(layout.EscapeButton, c.escapeButton) << c.style;
        EXPECT_EQ(layout.Icon, c.icon) << c.style;
    }
}

TEST(FakeMessageBox, AnswersAsQueuedThenWithTheDefaultButton)
{
    TFakeMessageBox box;
    box.Answers = {IdCancel};
    EXPECT_EQ(box.Show("first", "A", MbYesNoCancel), IdCancel);
    EXPECT_EQ(box.Show("second", "B", MbYesNo | MbDefButton2), IdNo);
    EXPECT_EQ(box.Shown, (std::vector<TShownMessageBox>{{"first", "A", MbYesNoCancel}, {"second", "B", 0x104}}));
}

TEST(QtMessageBox, EachButtonAnswersWithItsNumber)
{
    for (const TStyleCase& c : StyleCases) {
        std::vector<TMessageBoxAnswer> answers;
        for (size_t i = 0; i < c.buttons.size(); ++i)
            answers.push_back(static_cast<TMessageBoxAnswer>(ShowAndAct(c.style, [&](QMessageBox& box) {
                EXPECT_EQ(box.text(), "Datei löschen?");
                EXPECT_EQ(box.windowTitle(), "Löschen");
                EXPECT_EQ(box.icon(), c.qtIcon) << c.style;
                ASSERT_EQ(box.buttons().size(), static_cast<qsizetype>(c.buttons.size())) << c.style;
                box.buttons().at(static_cast<qsizetype>(i))->click();
            })));
        std::vector<TMessageBoxAnswer> expected = c.buttons;
        std::sort(answers.begin(), answers.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(answers, expected) << c.style;
    }
}

TEST(QtMessageBox, DefaultAndEscapeButtons)
{
    const std::pair<const char*, std::function<void(QMessageBox&)>> escapes[] = {
        {"Escape", PressEscape},
        {"close", [](QMessageBox& box) { box.close(); }},
    };
    for (const TStyleCase& c : StyleCases) {
        const int answer = ShowAndAct(c.style, [](QMessageBox& box) {
            ASSERT_NE(box.defaultButton(), nullptr);
            box.defaultButton()->click();
        });
        EXPECT_EQ(answer, c.defaultButton) << c.style;
        for (const auto& [way, act] : escapes)
            EXPECT_EQ(ShowAndAct(c.style, act), c.escapeButton) << way << " " << c.style;
    }
}
