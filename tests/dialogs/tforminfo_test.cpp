#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <string>

#include "dialogs/programicon.h"
#include "dialogs/tforminfo.h"
#include "hotkeys/hotkeyfile.h"
#include "tarvo/version.h"

using namespace tarvo;

namespace {

TEST(FormInfo, EachShowingIsInTheDocumentsLanguageWithThisVersionAndDate)
{
    // The date as the build defines it, YYYY-MM-DD, in each language's order.
    const std::string iso = version::ReleaseDate;
    const std::string english = "Date: " + iso.substr(0, 4) + "/" + iso.substr(5, 2) + "/" + iso.substr(8, 2);
    const std::string german = "Datum: " + iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4);
    const std::string versionLine = "Version " + std::string(version::Text) + "\r\n";
    const struct {
        int32_t language;
        const char* caption;
        const char* close;
        std::string version;
    } showings[] = {{LanguageGerman, "Über Tarvo", "&Schließen", versionLine + german},
                    {LanguageEnglish, "About Tarvo", "Close", versionLine + english}};
    TFormInfo form;
    for (const auto& showing : showings) {
        CurrentHotKeyFile().Language = showing.language;
        form.show();
        EXPECT_EQ(form.windowTitle().toStdString(), showing.caption);
        EXPECT_EQ(form.BtnClose->text().toStdString(), showing.close);
        EXPECT_EQ(form.Label1->text().toStdString(), showing.version);
        EXPECT_EQ(form.Label6->text(), "Tarvo");
        form.hide();
    }
}

TEST(FormInfo, IsCentredOnTheScreenWhenFirstShownAndStaysWhereTheUserPutsIt)
{
    QWidget owner; // whose placement rule the centring overrides
    owner.setGeometry(100, 100, 300, 200);
    TFormInfo form(&owner);
    form.show();
    EXPECT_EQ(form.frameGeometry().center(), form.screen()->availableGeometry().center());
    form.hide();
    form.move(10, 10);
    form.show();
    EXPECT_EQ(form.pos(), QPoint(10, 10));
}

TEST(FormInfo, CloseAndEscapeBothCloseWithOk)
{
    TFormInfo form;
    const std::function<void()> closings[] = {[&] { form.BtnClose->click(); },
                                              [&] { QTest::keyClick(&form, Qt::Key_Escape); }};
    for (const auto& close : closings) {
        form.SetModalResult(mrNone);
        form.show();
        close();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.ModalResult(), mrOk);
    }
}

TEST(FormInfo, ShowsTheProgramIconAndTheNameInArialOrItsMetricTwin)
{
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    for (int size : {16, 22, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    const TFormInfo form;
    EXPECT_FALSE(form.Image1->pixmap().isNull());
    const QString family = QFontInfo(form.Label6->font()).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans")
        << family.toStdString() << ": scripts/setup installs fonts-liberation";
}

} // namespace
