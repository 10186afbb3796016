#include <gtest/gtest.h>

#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

#include "lang/messagelist.h"
#include "platform/fake/fakeservices.h"
#include "platform/registry.h"
#include "settings/appsettings.h"
#include "support/streamsupport.h"
#include "support/testsupport.h"

namespace tarvo::platform {
// Boxes in failure messages.
void PrintTo(const TShownMessageBox& box, std::ostream* out)
{
    *out << "{\"" << box.Text << "\", \"" << box.Caption << "\", " << box.Style << "}";
}
} // namespace tarvo::platform

using namespace tarvo;
using platform::TShownMessageBox;
using TBoxes = std::vector<TShownMessageBox>;

namespace {

struct TMessageSpec {
    int32_t id;
    std::string name;
    std::string text = "text";
    int32_t style = 0;
};

void WriteMessages(const std::string& fileName, const std::vector<TMessageSpec>& specs)
{
    TIDList messages;
    for (const TMessageSpec& spec : specs) {
        auto message = std::make_unique<TAppMessage>();
        message->ID = spec.id;
        message->Name = spec.name;
        message->Caption = spec.name + " caption";
        message->Text = spec.text;
        message->Style = spec.style;
        messages.TSortedObjectList::Add(std::move(message));
    }
    WriteMessageFile(messages, fileName);
}

TShownMessageBox Notice(const std::string& text, const std::string& caption = "Meldung")
{
    return {text, caption, 48};
}

// The program in a directory (a scratch one by default) with fake
// services; the shared settings are loaded anew for each test.
class MessageTablesTest : public testing::Test {
protected:
    explicit MessageTablesTest(const std::string& programDirectory = {})
        : fakes((programDirectory.empty() ? dir.Path().string() : programDirectory) + "/tarvo")
    {
        ResetAppSettingsForTesting();
    }
    ~MessageTablesTest() override
    {
        FreeMessages();
        ResetAppSettingsForTesting();
    }

    // The boxes shown so far; they are forgotten.
    TBoxes TakeShown() { return std::exchange(fakes.MessageBox.Shown, {}); }

    testsupport::TempDir dir;
    platform::TScopedFakeServices fakes;
};

// Reads the files the build writes beside the program.
class ShippedMessageFilesTest : public MessageTablesTest {
protected:
    ShippedMessageFilesTest() : MessageTablesTest(TARVO_MESSAGE_DIR) { }
};

} // namespace

TEST_F(ShippedMessageFilesTest, LoadInBothLanguagesWithEveryMessageTheProgramShows)
{
    std::vector<std::string> englishTexts;
    for (int32_t language : {0, 1}) {
        SelectMessageLanguage(language);
        EXPECT_EQ(TakeShown(), TBoxes{}) << "no missing file, no duplicate";
        const TIDList& messages = CurrentMessages()->Messages;
        ASSERT_EQ(messages.Count(), 9);
        for (int i = 0; i < messages.Count(); ++i) {
            const auto& message = *messages.AtAs<TAppMessage>(i);
            EXPECT_EQ(message.ID, (std::vector{0, 1, 2, 3, 7, 8, 9, 10, 27}[static_cast<size_t>(i)]));
            EXPECT_FALSE(message.Caption.empty() || message.Text.empty() || message.Name.empty()) << message.ID;
            if (language == 0)
                englishTexts.push_back(message.Text);
            else
                EXPECT_NE(message.Text, englishTexts[static_cast<size_t>(i)]) << message.ID << " is translated";
        }
        // The answers the callers rely on; the fake presses each box's default button.
        EXPECT_EQ(ShowMessageNo(0), platform::IdYes);
        EXPECT_EQ(ShowMessageNo(9), platform::IdNo) << "deleting is not the default";
        EXPECT_EQ(ShowMessageNoFmt(1, {"k.tvo"}), platform::IdNo) << "keeping the changes is the default";
        EXPECT_EQ(ShowMessageNoFmt(2, {"k.tvo"}), platform::IdNo) << "overwriting is not the default";
        EXPECT_EQ(ShowMessageNoFmt(27, {"Alpha"}), platform::IdOk);
        const TBoxes shown = TakeShown();
        EXPECT_EQ(shown.at(0).Style & 0xF, platform::MbYesNoCancel);
        EXPECT_EQ(shown.at(1).Style & 0xF, platform::MbYesNo);
        for (size_t formatted : {2, 3})
            EXPECT_NE(shown.at(formatted).Text.find("k.tvo"), std::string::npos) << shown[formatted].Text;
        EXPECT_NE(shown.at(4).Text.find("Alpha"), std::string::npos) << shown[4].Text;
        EXPECT_EQ(shown.at(4).Text.find('%'), std::string::npos) << shown[4].Text;
    }
    EXPECT_EQ(englishTexts.at(0), "The hotkeys have been changed. Do you want to save the changes?");
    EXPECT_EQ(CurrentMessages()->Messages.AtAs<TAppMessage>(0)->Text,
              "Die Tastenkombinationen wurden geändert. Möchten Sie die Änderungen speichern?");
}

TEST_F(ShippedMessageFilesTest, GermanTextsAreStoredInTheAnsiCodePageAndShowStoredNames)
{
    const std::string german = testsupport::ReadTextFile(TARVO_MESSAGE_DIR "/stdmess1.mes");
    EXPECT_NE(german.find("Der Name \x84%s\x93 ist bereits vergeben. Bitte w\xE4hlen"), std::string::npos);
    // A name as a file written on Windows stores it.
    auto stored = testsupport::StreamOf(testsupport::ByteBuilder()
                                            .String("M\xF6"
                                                    "bel")
                                            .Get());
    SelectMessageLanguage(1);
    ShowMessageNoFmt(27, {stored.GetString()});
    EXPECT_EQ(TakeShown().at(0).Text, "Der Name „Möbel“ ist bereits vergeben. Bitte wählen Sie einen anderen Namen.");
}

TEST_F(MessageTablesTest, WithoutFilesOrListEveryMessageIsNotFound)
{
    SelectMessageLanguage(1);
    EXPECT_EQ(TakeShown(),
              (TBoxes{
                  Notice("Messagefile " + dir.File("stdmess1.mes") + " not found!", "Datei nicht gefunden"),
                  Notice("Messagefile " + dir.File("tvmess1.mes") + " not found!", "Datei nicht gefunden"),
              }));
    fakes.MessageBox.Answers = {platform::IdYes, platform::IdYes, platform::IdYes};
    EXPECT_EQ(ShowMessageNo(0), 0) << "neither Yes nor No, whatever the notice answered";
    EXPECT_EQ(ShowMessageNoFmt(9, {"x"}), 0);
    FreeMessages();
    EXPECT_EQ(ShowMessageNo(7), 0);
    EXPECT_EQ(TakeShown(),
              (TBoxes{Notice("Meldung 0 nicht gefunden."), Notice("Meldung 9 nicht gefunden."),
                      Notice("Meldung 7 nicht gefunden.")}));
}

TEST_F(MessageTablesTest, TheBoxesStandardButtonsFollowTheMessageLanguage)
{
    const QString germanQt = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
    ASSERT_TRUE(QFile::exists(germanQt)) << germanQt.toStdString()
                                         << " is missing; scripts/setup installs it (qt6-translations-l10n)";
    const std::pair<int32_t, const char*> cases[] = {{1, "&Ja"}, {0, "&Yes"}};
    for (const auto& [language, yes] : cases) {
        SelectMessageLanguage(language);
        QMessageBox box;
        EXPECT_EQ(box.addButton(QMessageBox::Yes)->text().toStdString(), yes) << language;
    }
}

TEST_F(MessageTablesTest, StandardMessagesComeFromTheCommonFilesDirectory)
{
    testsupport::TempDir common;
    ASSERT_TRUE(fakes.Registry.CreateKey(platform::TRootKey::LocalMachine, "Software\\Quenbar")
                    ->SetValue("CommonFiles", platform::StringValue(common.Path().string())));
    WriteMessages(common.File("stdmess0.mes"), {{7, "Standard"}});
    WriteMessages(dir.File("stdmess0.mes"), {{8, "Misplaced"}});
    WriteMessages(dir.File("tvmess0.mes"), {{0, "Own"}});
    SelectMessageLanguage(0);
    EXPECT_EQ(TakeShown(), TBoxes{});
    TIDList& messages = CurrentMessages()->Messages;
    EXPECT_TRUE(messages.IDExists(7) && messages.IDExists(0));
    EXPECT_FALSE(messages.IDExists(8));
}

TEST_F(MessageTablesTest, ANumberTakenFirstKeepsItsMessage)
{
    WriteMessages(dir.File("stdmess0.mes"), {{9, "Löschen", "standard"}});
    WriteMessages(dir.File("tvmess0.mes"), {{0, "Save"}, {9, "TvLöschen"}});
    WriteMessages(dir.File("more.mes"), {{9, "MoreDelete"}, {-1, "Odd"}});
    ASSERT_NE(testsupport::ReadTextFile(dir.File("stdmess0.mes")).find("L\xF6schen"), std::string::npos)
        << "names are stored in the ANSI code page";
    SelectMessageLanguage(0);
    LoadMessageFile(*CurrentMessages(), dir.File("more.mes"));
    EXPECT_EQ(
        TakeShown(),
        (TBoxes{
            Notice("Mess-ID 9 wird von Meldung TvLöschen angefordert und bereits von Meldung Löschen verwendet."),
            Notice("Mess-ID 9 wird von Meldung MoreDelete angefordert und bereits von Meldung Löschen verwendet."),
        }));
    ShowMessageNo(9);
    EXPECT_EQ(TakeShown().at(0).Text, "standard");
    const TIDList& messages = CurrentMessages()->Messages;
    ASSERT_EQ(messages.Count(), 3);
    EXPECT_EQ(messages.AtAs<TAppMessage>(0)->Name, "Odd") << "-1 is not renumbered";
    EXPECT_EQ(messages.AtAs<TAppMessage>(1)->Name, "Save");
}

TEST_F(MessageTablesTest, SwitchingTheLanguageReplacesEveryMessage)
{
    WriteMessages(dir.File("stdmess0.mes"), {{7, "Number", "english"}, {8, "Select"}});
    WriteMessages(dir.File("stdmess1.mes"), {{7, "Number", "deutsch"}});
    WriteMessages(dir.File("tvmess0.mes"), {});
    WriteMessages(dir.File("tvmess1.mes"), {});
    SelectMessageLanguage(0);
    SelectMessageLanguage(1);
    ShowMessageNo(7);
    ShowMessageNo(8);
    EXPECT_EQ(TakeShown(), (TBoxes{{"deutsch", "Number caption", 0}, Notice("Meldung 8 nicht gefunden.")}));
}

TEST_F(MessageTablesTest, MessagesShowTheirTextsAndPassTheAnswerOn)
{
    WriteMessages(dir.File("tvmess0.mes"), {{0, "Save", "Grüße %s", 0x7FFF0023}});
    LoadStandardMessages(std::make_unique<TMessageList>(), -1);
    EXPECT_EQ(TakeShown(), TBoxes{}) << "no standard file for language -1";
    LoadMessageFile(*CurrentMessages(), dir.File("tvmess0.mes"));
    fakes.MessageBox.Answers = {platform::IdCancel, platform::IdNo};
    EXPECT_EQ(ShowMessageNo(0), platform::IdCancel);
    EXPECT_EQ(ShowMessageNoFmt(0, {int64_t{5}}), platform::IdNo);
    EXPECT_EQ(TakeShown(), (TBoxes{{"Grüße %s", "Save caption", 0x0023}, {"Grüße 5", "Save caption", 0x0023}}))
        << "the unformatted text keeps its directive; only the low 16 bits of the style are used";
}
