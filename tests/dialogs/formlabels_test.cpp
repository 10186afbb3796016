// Labels of the form base: access keys, sizing, and the room of the
// controls beside them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

#include "dialogs/tsform.h"

using namespace tarvo;

namespace {

class TFormLabels : public TTSForm {
public:
    TFormLabels() : TTSForm(nullptr)
    {
        SetDesignClientSize(300, 100);
        Name = AddLabel("LabName", {8, 8, 40, 13});
        AddLabel("LabHint", {8, 30, 40, 13});
        NameEdit = AddControl<QLineEdit>("TxtName", {60, 6, 100, 21});
        Centred = AddLabel("LabCentred", {100, 70, 100, 26}, nullptr, Qt::AlignHCenter | Qt::AlignTop);
        Before = AddLabel("LabBefore", {170, 8, 40, 13});
        Button = AddControl<QPushButton>("BtnAfter", {220, 6, 70, 21});
        Box = AddControl<QCheckBox>("CBBox", {8, 50, 80, 17});
        KeepRightOf(NameEdit, Name);
        KeepLeftOf(Before, Button);
        GrowWithCaption(Box);
    }

    QLabel* Name;
    QLineEdit* NameEdit;
    QLabel* Centred;
    QLabel* Before;
    QPushButton* Button;
    QCheckBox* Box;
};

TEST(FormLabels, ACaptionWithAnAccessKeyButNoTargetGetsTheNextControlThatTakesTheFocus)
{
    TFormLabels form;
    form.Name->setText("&Name:");
    form.AdjustLabelSizes();
    EXPECT_EQ(form.Name->buddy(), form.NameEdit) << "the label in between is passed over";
}

TEST(FormLabels, ACentredLabelGrowsAboutItsCentre)
{
    TFormLabels form;
    const QRect designed = form.Centred->geometry();
    form.Centred->setText("a rather longer text than the label was designed for");
    form.AdjustLabelSizes();
    EXPECT_GT(form.Centred->width(), designed.width());
    EXPECT_NEAR(form.Centred->geometry().center().x(), designed.center().x(), 1);
}

TEST(FormLabels, LongerTextsMoveTheirNeighboursAsideAndShorterOnesLetThemBack)
{
    TFormLabels form;
    const QRect edit = form.NameEdit->geometry(), before = form.Before->geometry(), box = form.Box->geometry();
    for (const auto& [text, longer] : {std::pair{"A text much longer than its room", true}, {"Short", false}}) {
        form.Name->setText(text);
        form.Before->setText(text);
        form.Box->setText(text);
        form.AdjustLabelSizes();
        EXPECT_GT(form.NameEdit->x(), form.Name->geometry().right()) << text;
        EXPECT_LT(form.Before->geometry().right(), form.Button->x()) << text;
        EXPECT_GE(form.Box->width(), form.Box->sizeHint().width()) << text;
        EXPECT_EQ(form.NameEdit->x() != edit.x(), longer) << text;
        EXPECT_EQ(form.Before->x() != before.x(), longer) << text;
        EXPECT_EQ(form.Box->width() != box.width(), longer) << text;
    }
}

} // namespace
