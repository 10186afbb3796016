// Labels of the form base: access keys and sizing.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

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
    }

    QLabel* Name;
    QLineEdit* NameEdit;
    QLabel* Centred;
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

} // namespace
