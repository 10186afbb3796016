#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/dialogstestsupport.h"
#include "dialogs/tformspecialshortcut.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

TEST(FormSpecialShortcut, ShowsTheKeyCodeAndModifiersAndReturnsThemUnchanged)
{
    TFormSpecialShortcut form;
    form.HotKey = 0xC00D; // Ctrl+Alt+Enter
    form.show();
    EXPECT_EQ(form.TxtVirtKey->text(), "13");
    EXPECT_TRUE(form.CBControl->isChecked());
    EXPECT_TRUE(form.CBAlt->isChecked());
    EXPECT_FALSE(form.CBShift->isChecked());
    form.BtnOK->click();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(form.HotKey, 0xC00D);
}

TEST(FormSpecialShortcut, OkCombinesTheNumberWithTheCheckedModifiers)
{
    const struct {
        const char* entry;
        bool ctrl;
        TShortCut expected;
    } cases[] = {{"13", false, 13},    {"$0D", false, 13},  {" 13", false, 13}, {"", true, 0x4000},
                 {"65", true, 0x4041}, {"300", true, 0},    {"65601", false, 65}, // 65 + 65536
                 {"-1", true, 0}};
    for (const auto& c : cases) {
        TFormSpecialShortcut form;
        form.HotKey = 0x2041; // Shift+A, unchecked below
        form.show();
        form.TxtVirtKey->setText(c.entry);
        form.CBShift->setChecked(false);
        form.CBControl->setChecked(c.ctrl);
        form.BtnOK->click();
        EXPECT_EQ(form.HotKey, c.expected) << c.entry;
    }
}

TEST(FormSpecialShortcut, ATextThatIsNoNumberKeepsTheDialogOpenUntilCorrected)
{
    TRecordingMessages& messages = InstallRecordingMessages();
    TFormSpecialShortcut form;
    form.HotKey = 0x4041;
    form.show();
    form.TxtVirtKey->setText("12a");
    form.BtnOK->click();
    EXPECT_EQ(messages.Shown, std::vector<int32_t>{7});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.focusWidget(), form.TxtVirtKey);
    EXPECT_EQ(form.HotKey, 0x4041);

    form.TxtVirtKey->setText("12");
    form.BtnOK->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.HotKey, 0x400C);

    form.show(); // Cancel leaves the combination as the caller set it
    form.TxtVirtKey->setText("99");
    form.BtnCancel->click();
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(form.HotKey, 0x400C);
}

} // namespace
