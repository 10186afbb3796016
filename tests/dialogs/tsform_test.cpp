#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "dialogs/dialogstestsupport.h"
#include "dialogs/tsform.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

// A dialog with the controls the checks understand and an OK button that
// runs the validation pass over two required texts.
class TFormProbe : public TTSForm {
public:
    explicit TFormProbe(QWidget* owner = nullptr) : TTSForm(owner)
    {
        SetDesignClientSize(200, 100);
        First = AddControl<QLineEdit>("First", {8, 8, 100, 21});
        Second = AddControl<QLineEdit>("Second", {8, 32, 100, 21});
        List = AddControl<QListWidget>("List", {112, 8, 80, 60});
        Ok = AddControl<QPushButton>("BtnOK", {8, 72, 78, 21});
        Cancel = AddControl<QPushButton>("BtnCancel", {100, 72, 78, 21});
        BindButton(Ok, mrOk, [this] {
            RunValidationPass(
                [this] {
                    GetRequiredText(First, firstText);
                    GetRequiredText(Second, secondText);
                },
                [this] { ++Commits; });
        });
        BindButton(Cancel, mrCancel);
        SetCancelButton(Cancel);
    }

    QLineEdit* First;
    QLineEdit* Second;
    QListWidget* List;
    QPushButton* Ok;
    QPushButton* Cancel;
    int Commits = 0;

private:
    std::string firstText, secondText;
};

class FormBaseTest : public ::testing::Test {
protected:
    TRecordingMessages& messages = InstallRecordingMessages();
    TFormProbe form;
};

TEST_F(FormBaseTest, ControlIntFollowsTheFrameworkConversion)
{
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {{"", true, 0},     {" 12", true, 12},       {"+12", true, 12}, {"-3", true, -3},
                          {"$1B", true, 27}, {"12a", false, 0},       {"12 ", false, 0}, {"--3", false, 0},
                          {"$", false, 0},   {"2147483648", false, 0}};
    for (const auto& [text, ok, expected] : cases) {
        form.First->setText(text);
        int32_t value = -99;
        EXPECT_EQ(form.GetControlInt(form.First, value), ok) << text;
        EXPECT_EQ(value, expected) << text;
        form.ValidationFailed = false;
    }
    // Only the texts that are not numbers brought up message 7.
    EXPECT_EQ(messages.Shown, std::vector<int32_t>(5, 7));
}

TEST_F(FormBaseTest, AnOkClickReportsOnlyItsFirstEmptyFieldAndCommitsOnceCorrected)
{
    form.show();
    form.Ok->click();
    EXPECT_EQ(messages.Shown, std::vector<int32_t>{10});
    EXPECT_EQ(form.focusWidget(), form.First);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Commits, 0);
    EXPECT_FALSE(form.ValidationFailed);

    form.First->setText("a");
    form.Ok->click();
    EXPECT_EQ(messages.Shown, (std::vector<int32_t>{10, 10}));
    EXPECT_EQ(form.focusWidget(), form.Second);

    form.Second->setText("b");
    form.Ok->click();
    EXPECT_EQ(form.Commits, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), mrOk);
}

TEST_F(FormBaseTest, EscapeClicksTheCancelButton)
{
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(form.Commits, 0);
}

TEST_F(FormBaseTest, SelectionChecksReportANothingSelectedOnceAndKeepOtherControlsIndex)
{
    form.List->addItems({"a", "b"});
    int index = 5;
    EXPECT_FALSE(form.GetSelectedIndex(form.List, index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(form.GetSelectedIndex(form.List, index));
    EXPECT_EQ(messages.Shown, std::vector<int32_t>{8});

    form.ValidationFailed = false;
    form.List->item(1)->setSelected(true);
    EXPECT_TRUE(form.GetSelectedIndex(form.List, index));
    EXPECT_EQ(index, 1);
    index = 3;
    EXPECT_TRUE(form.GetSelectedIndex(form.First, index));
    EXPECT_EQ(index, 3);
}

TEST_F(FormBaseTest, ControlTextReachesEachKindAndLeavesOthersAlone)
{
    auto* combo = new QComboBox(&form);
    combo->addItems({"normal", "maximized"});
    TTSForm::SetControlText(combo, "maximized");
    TTSForm::SetControlText(form.First, "Grüße");
    TTSForm::SetControlText(form.List, "ignored");
    std::string text = "unchanged";
    TTSForm::GetControlText(form.List, text);
    EXPECT_EQ(text, "unchanged");
    TTSForm::GetControlText(combo, text);
    EXPECT_EQ(text, "maximized");
    TTSForm::GetControlText(form.First, text);
    EXPECT_EQ(text, "Grüße");
}

TEST(FormPlacement, AnOwnedFormGoesBesideItsOwnerOrToTheScreenCorner)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QWidget owner;
    owner.setGeometry(100, 100, 300, 200);
    TFormProbe beside(&owner);
    EXPECT_EQ(beside.pos(), owner.mapToGlobal(QPoint(20, 20)));

    owner.move(screen.right() - 50, screen.bottom() - 50);
    TFormProbe corner(&owner);
    EXPECT_EQ(corner.pos(), screen.topLeft());
}

TEST(DesignScale, ScalesEdgesSoNeighboursStayNeighbours)
{
    QFont font;
    font.setPixelSize(26); // about twice the design font
    const TDesignScale scale(font);
    const QRect left = scale.Map({6, 218, 78, 21});
    const QRect right = scale.Map({84, 218, 78, 21});
    EXPECT_EQ(left.right() + 1, right.left());
    EXPECT_GT(scale.Vertical(), 1.5);
    EXPECT_GT(scale.Horizontal(), 1.5);
}

} // namespace
