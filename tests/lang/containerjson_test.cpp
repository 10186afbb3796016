#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "lang/containertestsupport.h"
#include "support/toolsupport.h"
#include "tools/containerjson.h"

using namespace tarvo;
using namespace tarvo::testsupport;

namespace {

QJsonObject Parsed(const std::string& json)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

} // namespace

TEST(ContainerJson, ShowsEntriesWithTextsOrListsAndTheSlotIds)
{
    const QJsonObject root = Parsed(ContainerToJson(*SampleContainer()));
    const QJsonArray entries = root["entries"].toArray();
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[0].toObject(),
              Parsed(R"({"class":"TCIStr","property":"Caption","component":"Label3","componentIndex":4,)"
                     R"("lineCount":1,"texts":["current file:","aktuelle Datei:"]})"));
    EXPECT_EQ(entries[2].toObject(),
              Parsed(R"({"class":"TCIStPanels","property":"Items","component":"CBExecMode","componentIndex":2,)"
                     R"("lineCount":3,"lists":[["normal","minimized","maximized"],["","minimiert","maximiert"]]})"));
    EXPECT_EQ(root["languages"].toArray(), (QJsonArray{7, 10}));
}

TEST(ContainerJson, TvoToolPrintsAStoredContainer)
{
    TempDir dir;
    WriteFile(dir.File("main.lng"), SaveToBlock(*SampleContainer()));
    const TToolRun run = RunTool({"container", dir.File("main.lng")}, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty());
    EXPECT_EQ(run.out, ContainerToJson(*SampleContainer()));

    const TToolRun help = RunTool({"--help"}, dir);
    EXPECT_NE(help.out.find("tvotool container FILE"), std::string::npos);
}

TEST(ContainerJson, TvoToolReportsUnusableFilesOnOneLine)
{
    TempDir dir;
    const Bytes block = SaveToBlock(*SampleContainer());
    WriteFile(dir.File("short.lng"), Prefix(block, block.size() - 3));
    WriteFile(dir.File("long.lng"), Join({block, {0}}));
    WriteFile(dir.File("alien.lng"), Join({{1, 1, 0, 4}, Ascii("TFoo")}));
    const struct {
        std::string file;
        const char* problem;
    } cases[] = {
        {dir.File("missing.lng"), "no such file"},
        {dir.File("short.lng"), "Container data damaged at byte"},
        {dir.File("long.lng"), "1 bytes after the end of the TInfoList"},
        {dir.File("alien.lng"), "Class <TFoo> not registered"},
    };
    for (const auto& c : cases) {
        const TToolRun run = RunTool({"container", c.file}, dir);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("tvotool: " + c.file + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    }
}
