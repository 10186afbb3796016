#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <functional>
#include <string>
#include <vector>

#include "lang/containertestsupport.h"
#include "lang/formresource.h"
#include "lang/mltlang.h"
#include "lang/mltlangproperties.h"
#include "support/logrecorder.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

// A component of the program's own kind whose setter refuses some directories.
class TRefusingComponent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString directory READ directory WRITE setDirectory)

public:
    using QObject::QObject;
    QString directory() const { return directory_; }
    void setDirectory(const QString& directory)
    {
        if (directory.startsWith("/forbidden"))
            throw EMLangInvalid("refused");
        directory_ = directory;
    }

private:
    QString directory_;
};

std::unique_ptr<TCIStr> TextEntry(const std::string& component, const std::string& property, int32_t index,
                                  const std::vector<std::string>& texts)
{
    auto entry = std::make_unique<TCIStr>();
    entry->ComponentName = component;
    entry->PropertyName = property;
    entry->ComponentIndex = index;
    for (size_t slot = 0; slot < texts.size(); ++slot)
        entry->SetValue(texts[slot], static_cast<int>(slot));
    return entry;
}

std::unique_ptr<TInfoList> Translations(std::vector<TLangid> languages)
{
    auto container = std::make_unique<TInfoList>();
    for (TLangid id : languages)
        container->Languages().Add(std::make_unique<TLngId>(id));
    return container;
}

// TTestForm's caption, label, button caption (the same in German) and hint,
// and its combo box's items.
std::unique_ptr<TInfoList> FormTranslations()
{
    auto container = Translations({lgENGLISH, lgGERMAN});
    container->Add(TextEntry("TFormTest", "Caption", -1, {"Test form", "Testformular"}));
    container->Add(TextEntry("LabInfo", "Caption", 0, {"info", "Hinweis"}));
    container->Add(TextEntry("BtnOk", "Caption", 1, {"OK", "OK"}));
    container->Add(TextEntry("BtnOk", "Hint", 1, {"Closes the form", "Schließt das Formular"}));
    auto items = ExecModeEntry();
    items->ComponentName = "CBMode";
    container->Add(std::move(items));
    return container;
}

// A form with a label in an unnamed panel, a button, a combo box and its
// switcher. Its own show handler records the label's text and may then put
// a run-time text there.
class TTestForm : public QWidget {
public:
    TTestForm()
    {
        setObjectName("TFormTest");
        Label = new QLabel(new QWidget(this));
        Label->setObjectName("LabInfo");
        Button = new QPushButton(this);
        Button->setObjectName("BtnOk");
        Combo = new QComboBox(this);
        Combo->setObjectName("CBMode");
        Combo->addItems({"", "", ""});
        MltLang = new TMltLang(this);
    }

    // Reads the translations as a stored form designed in slot 0.
    void Load(const TInfoList& translations)
    {
        const Bytes block = SaveToBlock(translations);
        LoadFormResource(*MltLang, {.MaxLang = translations.Languages().Count(), .Items = block});
    }

    QLabel* Label;
    QPushButton* Button;
    QComboBox* Combo;
    TMltLang* MltLang;
    QStringList LabelAtShow;
    QString RunTimeText;

protected:
    void showEvent(QShowEvent* event) override
    {
        LabelAtShow << Label->text();
        if (!RunTimeText.isEmpty())
            Label->setText(RunTimeText);
        QWidget::showEvent(event);
    }
};

std::unique_ptr<TTestForm> LoadedForm(const TInfoList& translations = *FormTranslations())
{
    auto form = std::make_unique<TTestForm>();
    form->Load(translations);
    return form;
}

// Every test starts with English as the language chosen last.
class Switcher : public ::testing::Test {
protected:
    void SetUp() override { TMltLang(nullptr).SetActiveLang(0); }
};

} // namespace

TEST_F(Switcher, SwitchingShowsTheSlotAndTheBaseWhereItHasNoText)
{
    const auto form = LoadedForm();
    form->MltLang->SetActiveLang(1);
    EXPECT_EQ(form->windowTitle(), "Testformular");
    EXPECT_EQ(form->Label->text(), "Hinweis");
    EXPECT_EQ(form->Button->text(), "OK");
    EXPECT_EQ(form->Button->toolTip(), "Schließt das Formular");
    EXPECT_EQ(form->Combo->itemText(1), "minimiert");
    form->MltLang->SetActiveLang(0);
    EXPECT_EQ(form->windowTitle(), "Test form");
    EXPECT_EQ(form->Button->toolTip(), "Closes the form");
}

TEST_F(Switcher, BetweenTwoTranslationsTheBaseIsAppliedFirst)
{
    auto translations = Translations({lgENGLISH, lgGERMAN, lgFRENCH});
    translations->Add(TextEntry("LabInfo", "Caption", 0, {"base", "Deutsch", ""}));
    translations->Add(TextEntry("BtnOk", "Caption", 1, {"ok", "", "d'accord"}));
    const auto form = LoadedForm(*translations);
    form->MltLang->SetActiveLang(1);
    form->MltLang->SetActiveLang(2);
    EXPECT_EQ(form->Label->text(), "base") << "no French text: the base, not the German";
    EXPECT_EQ(form->Button->text(), "d'accord");
}

TEST_F(Switcher, SwitchingToTheActiveSlotAppliesNothingButReachesTheOthersOnce)
{
    std::vector<std::unique_ptr<TTestForm>> forms;
    for (int i = 0; i < 3; ++i)
        forms.push_back(LoadedForm());
    forms[2]->MltLang->OnBeforeChanging = [](TMltLang&, bool& allowed) { allowed = false; };
    forms[0]->MltLang->SetActiveLang(1);
    EXPECT_EQ(forms[2]->MltLang->ActiveLang(), 0) << "refused";
    forms[2]->MltLang->OnBeforeChanging = nullptr;

    std::vector<int> changes(3, 0);
    for (size_t i = 0; i < forms.size(); ++i)
        forms[i]->MltLang->OnLanguageChanged = [&changes, i](TMltLang&) { ++changes[i]; };
    forms[0]->Label->setText("changed");
    forms[0]->MltLang->SetActiveLang(1);
    EXPECT_EQ(forms[0]->Label->text(), "changed") << "nothing re-applied";
    EXPECT_EQ(changes, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(forms[2]->Label->text(), "Hinweis");
}

TEST_F(Switcher, ImpossibleOrRefusedChangesChangeNothing)
{
    const auto form = LoadedForm();
    int changes = 0;
    form->MltLang->OnLanguageChanged = [&](TMltLang&) { ++changes; };
    form->MltLang->SetActiveLang(2);
    form->MltLang->SetActiveLang(-1);
    form->MltLang->SetActiveLangById(lgFRENCH);
    form->MltLang->OnBeforeChanging = [](TMltLang&, bool& allowed) { allowed = false; };
    form->MltLang->SetActiveLang(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form->Label->text(), "info");
    EXPECT_EQ(LoadedForm()->MltLang->ActiveLang(), 0) << "the language chosen last is still English";
}

TEST_F(Switcher, ChangesByIdTakeTheLastSlotWithTheIdOnEveryForm)
{
    auto twice = Translations({lgENGLISH, lgGERMAN, lgGERMAN});
    twice->Add(TextEntry("LabInfo", "Caption", 0, {"en", "de", "de-2"}));
    auto otherOrder = Translations({lgENGLISH, lgFRENCH, lgGERMAN});
    otherOrder->Add(TextEntry("LabInfo", "Caption", 0, {"en", "fr", "de"}));
    const auto first = LoadedForm(*twice);
    const auto second = LoadedForm(*otherOrder);

    first->MltLang->SetActiveLangById(lgGERMAN);
    EXPECT_EQ(first->Label->text(), "de-2");
    EXPECT_EQ(second->Label->text(), "de");
    EXPECT_EQ(LoadedForm(*otherOrder)->MltLang->ActiveLang(), 2) << "a later form follows the id, not the index";
    first->MltLang->SetActiveLang(1);
    EXPECT_EQ(LoadedForm(*otherOrder)->MltLang->ActiveLang(), 1) << "a change by index ends the change by id";
}

TEST_F(Switcher, WhileReadingTheIndexIsOnlyStored)
{
    const auto other = LoadedForm();
    TTestForm form;
    form.Label->setText("as built");
    form.MltLang->BeginReading();
    form.MltLang->SetActiveLang(1);
    form.MltLang->SetActiveLangById(lgENGLISH);
    EXPECT_EQ(form.MltLang->ActiveLang(), 1);
    EXPECT_EQ(other->MltLang->ActiveLang(), 0);
    EXPECT_EQ(form.Label->text(), "as built");
    form.MltLang->SetActiveLang(5);
    EXPECT_EQ(form.MltLang->LangId(), lgNEUTRAL) << "an active index without a slot";
    EXPECT_THROW(form.MltLang->SetLangId(lgGERMAN), EContainerListError);
}

TEST_F(Switcher, LoadingBindsEntriesDropsThoseWithoutComponentAndKeepsTheOrder)
{
    auto translations = Translations({lgENGLISH, lgGERMAN});
    translations->Add(TextEntry("LabGone", "Caption", 3, {"gone", "weg"}));
    translations->Add(TextEntry("TFormRenamed", "Caption", -1, {"title", "Titel"}));
    translations->Add(TextEntry("LabInfo", "Caption", 99, {"info", "Hinweis"}));
    translations->Add(TextEntry("CBMode", "Hint", 7, {"mode", "Modus"}));
    const auto form = LoadedForm(*translations);
    const TInfoList& items = form->MltLang->Items();
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Get(0)->Component, form.get()) << "the form's own entry survives a new form name";
    EXPECT_EQ(items.Get(1)->Component, form->Label);
    EXPECT_EQ(items.Get(1)->ComponentIndex, 0);
    EXPECT_EQ(items.Get(2)->ComponentIndex, 1) << "after BtnOk among the form's named children";
    form->MltLang->SetActiveLang(1);
    EXPECT_EQ(form->windowTitle(), "Titel");
}

TEST_F(Switcher, ComponentsAreFoundDepthFirstBeforeLaterSiblings)
{
    TTestForm form;
    auto* nested = new QLabel(form.Label->parentWidget());
    nested->setObjectName("Twin");
    (new QLabel(&form))->setObjectName("Twin");
    EXPECT_EQ(FindComponent(form, "Twin"), nested);
    EXPECT_EQ(FindComponent(form, "TFormTest"), &form);
    EXPECT_EQ(FindComponent(form, "twin"), nullptr) << "names are compared exactly";
    EXPECT_EQ(FindComponent(form, ""), nullptr);
    EXPECT_EQ(OwningForm(*nested), &form);
}

TEST_F(Switcher, EveryShowAppliesTheLanguageBeforeTheFormsOwnShowHandler)
{
    const auto form = LoadedForm();
    form->MltLang->SetActiveLang(1);
    form->RunTimeText = "C:\\keys.tvo";
    form->Label->setText("stale");
    form->show();
    form->hide();
    form->show();
    EXPECT_EQ(form->LabelAtShow, (QStringList{"Hinweis", "Hinweis"}));
    EXPECT_EQ(form->Label->text(), "C:\\keys.tvo") << "the form's handler runs after the translations";
}

TEST_F(Switcher, SlotsAndTheirIds)
{
    const auto form = LoadedForm();
    TMltLang& mltLang = *form->MltLang;
    mltLang.SetMaxLang(1);
    mltLang.SetMaxLang(MaxLanguageSlots + 1);
    EXPECT_EQ(mltLang.MaxLang(), 2);
    mltLang.SetMaxLang(3);
    EXPECT_EQ(mltLang.Items().Languages().GetLangId(2), lgFRENCH);
    mltLang.Items().Get(1)->SetValue("info (fr)", 2);
    mltLang.SetActiveLang(2);
    EXPECT_EQ(mltLang.LangId(), lgFRENCH);
    mltLang.SetLangId(lgFRENCH_SWISS);
    EXPECT_EQ(mltLang.Items().Languages().GetLangId(2), lgFRENCH_SWISS);
    mltLang.SetMaxLang(2);
    EXPECT_EQ(mltLang.MaxLang(), 3) << "the active slot would be lost";
    mltLang.SetActiveLang(0);
    mltLang.SetMaxLang(2);
    EXPECT_EQ(mltLang.MaxLang(), 2);
    EXPECT_EQ(mltLang.Items().Get(1)->GetValue(2), "") << "entries drop the removed slots";
    mltLang.SetMaxLang(MaxLanguageSlots);
    EXPECT_EQ(mltLang.Items().Languages().GetLangId(MaxLanguageSlots - 1), lgNEUTRAL);
}

TEST_F(Switcher, SetItemsCopiesTheTranslationsAndAppliesThem)
{
    const auto form = LoadedForm();
    auto source = Translations({lgENGLISH, lgGERMAN});
    source->Add(TextEntry("LabInfo", "Caption", 0, {"one", "eins"}));
    source->Get(0)->Component = form->Label;
    form->MltLang->SetItems(*source);
    EXPECT_EQ(form->Label->text(), "one");
    form->MltLang->SetActiveLang(1);
    EXPECT_EQ(form->Label->text(), "eins");
    EXPECT_EQ(form->Button->toolTip(), "Closes the form") << "the old translations are gone";
}

TEST_F(Switcher, ATranslationThatCannotBeShownIsLoggedAndDoesNotStopTheChange)
{
    TTestForm form;
    auto* browser = new TRefusingComponent(&form);
    browser->setObjectName("FolderBrowser");
    auto translations = Translations({lgENGLISH, lgGERMAN});
    translations->Add(TextEntry("FolderBrowser", "Directory", 0, {"/home", "/forbidden"}));
    translations->Add(TextEntry("LabInfo", "Caption", 1, {"info", "Hinweis"}));
    form.Load(*translations);
    testsupport::TLogRecorder log;
    form.MltLang->SetActiveLang(1);
    EXPECT_EQ(browser->directory(), "/home");
    EXPECT_EQ(form.Label->text(), "Hinweis");
    EXPECT_EQ(
        log.Lines(),
        std::vector<std::string>{"tarvo.lang: the property directory of FolderBrowser refused a translation: refused"});
}

// ---- the property mapping ----

TEST(TranslatedProperties, EachNameReachesTheQtPropertyOfTheWidgetClass)
{
    QWidget window;
    const struct {
        std::function<QObject*()> make;
        const char* name;
        const char* qtProperty;
    } cases[] = {
        {[&] { return new QLabel(&window); }, "Caption", "text"},
        {[&] { return new QPushButton(&window); }, "Caption", "text"},
        {[&] { return new QGroupBox(&window); }, "Caption", "title"},
        {[&] { return new QMenu(&window); }, "Caption", "title"},
        {[&] { return &window; }, "Caption", "windowTitle"},
        {[&] { return new QDialog(&window); }, "Caption", "windowTitle"},
        {[&] { return new QLabel(&window); }, "Hint", "toolTip"},
        {[&] { return new QPlainTextEdit(&window); }, "Text", "plainText"},
        {[&] { return new QComboBox(&window); }, "Text", "currentText"},
        {[&] { return new QFileDialog(&window); }, "Title", "windowTitle"},
        {[&] { return new QFileDialog(&window); }, "DefaultExt", "defaultSuffix"},
        {[&] { return new QObject(&window); }, "InitialDir", "initialDir"},
    };
    for (const auto& c : cases) {
        const QObject* component = c.make();
        EXPECT_EQ(QtPropertyName(*component, c.name), c.qtProperty)
            << c.name << " of " << component->metaObject()->className();
    }
    QLabel label(&window);
    EXPECT_FALSE(WidgetProperties().WriteStringProperty(label, "Enabled", "false")) << "not a string property";
    EXPECT_FALSE(WidgetProperties().WriteStringProperty(label, "Filter", "*.tvo")) << "no such property";
}

TEST(TranslatedProperties, LinesAreReplacedInPlaceKeepingTheirData)
{
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->addItem("a", 10);
    combo->addItem("b", 20);
    combo->setCurrentIndex(1);
    ExecModeEntry()->ApplyTo(*combo, 1, WidgetProperties());
    EXPECT_EQ(combo->count(), 2) << "lines beyond the target's end are skipped";
    EXPECT_EQ(combo->itemText(0), "a") << "slot 1 has no text of its own for line 0";
    EXPECT_EQ(combo->itemText(1), "minimiert");
    EXPECT_EQ(combo->itemData(1), 20);
    EXPECT_EQ(combo->currentIndex(), 1);

    auto* statusBar = new QStatusBar(&window);
    auto* panel = new QLabel;
    statusBar->addWidget(panel);
    ExecModeEntry<TCIStPanels>()->ApplyTo(*statusBar, 0, WidgetProperties());
    EXPECT_EQ(panel->text(), "normal");
    auto* tree = new QTreeWidget(&window);
    tree->setColumnCount(3);
    ExecModeEntry<TCIListClmns>()->ApplyTo(*tree, 1, WidgetProperties());
    EXPECT_EQ(tree->headerItem()->text(2), "maximiert");
    ExecModeEntry<TCIHdCtrl>()->ApplyTo(*tree->header(), 0, WidgetProperties());
    EXPECT_EQ(tree->headerItem()->text(1), "minimized");
}

#include "mltlang_test.moc"
