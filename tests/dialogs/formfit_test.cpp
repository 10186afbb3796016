// Every form in both languages: its captions fit their controls, its labels
// run into nothing, its controls stay inside it. A screenshot of each goes
// to <build dir>/screenshots/<form name>-<en|de>.png.
#include <gtest/gtest.h>

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <functional>
#include <memory>

#include "app/windows/tformmain.h"
#include "dialogs/formhotkeycommand.h"
#include "dialogs/tformhotkeydefine.h"
#include "dialogs/tforminfo.h"
#include "dialogs/tformspecialshortcut.h"
#include "hotkeys/hotkeyfile.h"
#include "platform/services.h"

using namespace tarvo;

namespace {

using TFormFactory = std::function<std::unique_ptr<TTSForm>()>;

template <class Form>
std::unique_ptr<TTSForm> Make()
{
    return std::make_unique<Form>(nullptr);
}

// The main window with a registrar of its own on the installed hotkey
// service; the registrar is made first and goes last.
struct TRegistrarHolder {
    std::unique_ptr<THotKeyRegistrar> Registrar;
};
class TFormMainOnFakes : private TRegistrarHolder, public TFormMain {
public:
    explicit TFormMainOnFakes(QWidget* owner)
        : TFormMain(
            [this](ITrayMenu& menu) -> THotKeyRegistrar& {
                Registrar = std::make_unique<THotKeyRegistrar>(*platform::Services().HotKeys, menu, &CurrentHotKeyFile);
                return *Registrar;
            },
            owner)
    {
    }
};

// The hotkey definition warning of a combination with a long holder's name.
std::unique_ptr<TTSForm> MakeHotKeyDefineWarning()
{
    auto form = std::make_unique<TFormHotKeyDefine>(nullptr);
    form->setObjectName(QStringLiteral("FormHotKeyDefineWarning"));
    form->DescribeHolders = [](TShortCut) {
        return TUserText{"held by KDE: Spectacle — Capture Rectangular Region (System Settings > Keyboard > "
                         "Shortcuts) and 2 more",
                         "belegt von KDE: Spectacle — Capture Rectangular Region (Systemeinstellungen > Tastatur > "
                         "Kurzbefehle) und 2 weitere"};
    };
    return form;
}

// The forms of the program, one line each.
const TFormFactory Forms[] = {
    Make<TFormInfo>,         Make<TFormMainOnFakes>,     Make<TFormHotKeyCommand>,
    Make<TFormHotKeyDefine>, Make<TFormSpecialShortcut>, MakeHotKeyDefineWarning,
};

// The width a button needs for its caption: the text without the access
// key's "&" and the style's margins around it (the indicator and its
// spacing for a check box).
int CaptionWidth(const QAbstractButton& button)
{
    if (!qobject_cast<const QPushButton*>(&button))
        return button.sizeHint().width();
    const QStyle& style = *button.style();
    return button.fontMetrics().size(Qt::TextShowMnemonic, button.text()).width()
        + style.pixelMetric(QStyle::PM_ButtonMargin) + 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth);
}

// What does not fit on the form, one text per fault.
std::vector<std::string> FitProblems(const QWidget& form)
{
    std::vector<std::string> problems;
    const auto report = [&](const QWidget& control, const QString& fault) {
        problems.push_back((control.objectName() + " " + fault).toStdString());
    };
    QList<QWidget*> controls = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls.removeIf([&](const QWidget* control) { return !control->isVisibleTo(&form); });
    for (const QWidget* control : controls) {
        if (!form.rect().contains(control->geometry()))
            report(*control, "leaves the client area");
        auto* button = qobject_cast<const QAbstractButton*>(control);
        if (button && CaptionWidth(*button) > button->width())
            report(*control, "is too narrow for its caption");
        auto* label = qobject_cast<const QLabel*>(control);
        if (!label)
            continue;
        if (label->sizeHint().width() > label->width())
            report(*control, "cuts its text");
        if (!label->buddy() && label->text().contains(u'&'))
            report(*control, "shows a literal &");
        // A panel around the label is no neighbour it could run into.
        for (const QWidget* other : controls)
            if (other != label && !qobject_cast<const QGroupBox*>(other)
                && label->geometry().intersects(other->geometry()))
                report(*control, "runs into " + other->objectName());
    }
    return problems;
}

TEST(FormFit, EveryFormFitsItsTextsInBothLanguages)
{
    const QDir screenshots(TARVO_SCREENSHOT_DIR);
    ASSERT_TRUE(screenshots.mkpath("."));
    for (const TFormFactory& make : Forms) {
        for (const auto& [language, suffix] : {std::pair{LanguageEnglish, "en"}, std::pair{LanguageGerman, "de"}}) {
            CurrentHotKeyFile().Language = language;
            const std::unique_ptr<TTSForm> form = make();
            form->show();
            const QString name = form->objectName() + "-" + suffix;
            EXPECT_EQ(FitProblems(*form), std::vector<std::string>{}) << name.toStdString();
            EXPECT_TRUE(form->grab().save(screenshots.filePath(name + ".png"))) << name.toStdString();
        }
    }
    CurrentHotKeyFile().Language = LanguageEnglish;
}

// A form with one fault of each kind, which the checks must find.
class TFormMisfit : public TTSForm {
public:
    TFormMisfit() : TTSForm(nullptr)
    {
        SetDesignClientSize(200, 60);
        AddControl<QPushButton>("Narrow", {8, 8, 30, 21})->setText("&Much too long");
        AddLabel("Runs", {8, 36, 40, 13})->setText("A label that runs on");
        AddControl<QLineEdit>("Edit", {60, 34, 80, 21})->setFocusPolicy(Qt::NoFocus);
        AddControl<QLabel>("Cut", {100, 8, 20, 13})->setText("Cut off");
        AddControl<QPushButton>("Outside", {190, 8, 20, 21});
        AddLabel("Literal", {150, 36, 40, 13})->setText("&Free"); // no control after it
    }
};

TEST(FormFit, TheChecksFindEachKindOfFault)
{
    TFormMisfit form;
    form.show();
    const std::vector<std::string> expected = {"Narrow is too narrow for its caption", "Runs runs into Edit",
                                               "Cut cuts its text", "Outside leaves the client area",
                                               "Literal shows a literal &"};
    EXPECT_EQ(FitProblems(form), expected);
}

} // namespace
