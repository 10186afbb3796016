#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

#include "dialogs/dialogstestsupport.h"
#include "dialogs/tformspecialshortcut.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

TEST(FormSpecialShortcut, OkCombinesTheKeyCodeWithTheCheckedModifiers)
{
    const struct {
        TShortCut shown;
        std::optional<const char*> entry; // none: as shown
        bool ctrl;
        TShortCut expected;
    } cases[] = {{0xC00D, std::nullopt, true, 0xC00D}, // Ctrl+Alt+Enter
                 {0, "13", false, 13},
                 {0, "$0D", false, 13},
                 {0, " 13", false, 13},
                 {0, "", true, 0x4000},
                 {0, "300", true, 0},
                 {0, "65601", false, 65}, // 65 + 65536
                 {0, "-1", true, 0}};
    for (const auto& c : cases) {
        TFormSpecialShortcut form;
        form.HotKey = c.shown;
        form.show();
        if (c.entry) {
            form.TxtVirtKey->setText(*c.entry);
            form.CBControl->setChecked(c.ctrl);
        } else {
            EXPECT_EQ(form.TxtVirtKey->text(), "13");
            EXPECT_TRUE(form.CBControl->isChecked() && form.CBAlt->isChecked() && !form.CBShift->isChecked());
        }
        form.BtnOK->click();
        EXPECT_EQ(form.HotKey, c.expected) << c.entry.value_or("as shown");
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
    EXPECT_EQ(form.focusWidget(), form.TxtVirtKey);
    EXPECT_EQ(form.HotKey, 0x4041);
    form.TxtVirtKey->setText("12");
    form.BtnOK->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.HotKey, 0x400C);
}

} // namespace
