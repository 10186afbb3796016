#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "support/testsupport.h"

using namespace tarvo::platform;
using tarvo::testsupport::Bytes;
using tarvo::testsupport::ExpectTrueAsUnprivilegedUser;
using tarvo::testsupport::ReadFile;
using tarvo::testsupport::TempDir;
using tarvo::testsupport::WriteFile;
namespace fs = std::filesystem;

namespace {

const Bytes oldContent{1, 2, 3};
const Bytes newContent{'n', 'e', 'u'};

mode_t ModeOf(const fs::path& file)
{
    return static_cast<mode_t>(fs::status(file).permissions());
}

// Everything below the directory, by relative name; links are not followed.
std::set<std::string> TreeOf(const fs::path& directory)
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(directory))
        names.insert(entry.path().lexically_relative(directory).string());
    return names;
}

TEST(ReplaceWholeFile, WritesThroughSymbolicLinksToTheirFinalTarget)
{
    struct TCase {
        std::vector<std::pair<std::string, std::string>> Links; // name, where it points; saved to the first
        std::string Target;
    };
    const TCase cases[] = {
        {{{"link", "real"}}, "real"},
        {{{"link", "sub/second"}, {"sub/second", "../real"}}, "real"}, // each relative to its link
        {{{"link", "sub/new"}}, "sub/new"},                            // a dangling link creates its target
    };
    for (const auto& test : cases) {
        TempDir dir;
        fs::create_directory(dir.Path() / "sub");
        WriteFile(dir.Path() / "real", oldContent);
        for (const auto& [name, pointsTo] : test.Links)
            fs::create_symlink(pointsTo, dir.Path() / name);
        auto expectedTree = TreeOf(dir.Path());
        expectedTree.insert(test.Target);

        EXPECT_TRUE(ReplaceWholeFile(dir.File(test.Links.front().first), newContent)) << test.Target;

        EXPECT_EQ(ReadFile(dir.Path() / test.Target), newContent) << test.Target;
        for (const auto& [name, pointsTo] : test.Links)
            EXPECT_EQ(fs::read_symlink(dir.Path() / name), pointsTo) << name;
        EXPECT_EQ(TreeOf(dir.Path()), expectedTree) << "no temporary file is left";
    }
    TempDir dir;
    fs::create_symlink("loop", dir.Path() / "loop");
    EXPECT_FALSE(ReplaceWholeFile(dir.File("loop"), newContent));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "loop"));
}

TEST(ReplaceWholeFile, KeepsTheModeAndOwnerOfTheFileItReplaces)
{
    const mode_t savedUmask = ::umask(022);
    for (const mode_t mode : {0600, 0640, 0755}) {
        TempDir dir;
        const std::string file = dir.File("doc.dat");
        WriteFile(file, oldContent);
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(file.c_str(), 1234, 5678), 0);
        }
        struct stat before {
        }, after{};
        ::stat(file.c_str(), &before);

        ASSERT_TRUE(ReplaceWholeFile(file, newContent));
        ::stat(file.c_str(), &after);
        EXPECT_EQ(after.st_mode & 07777, mode);
        EXPECT_EQ(std::pair(after.st_uid, after.st_gid), std::pair(before.st_uid, before.st_gid));
    }
    TempDir dir;
    ASSERT_TRUE(ReplaceWholeFile(dir.File("new.dat"), newContent));
    EXPECT_EQ(ModeOf(dir.File("new.dat")), 0644u) << "a new file gets what the umask allows";
    ::umask(savedUmask);
}

// A user may overwrite a file they can write even where they cannot create a
// file beside it, and may replace a file whose owner they cannot restore.
TEST(ReplaceWholeFile, AnOrdinaryUserSavesEveryFileTheyMayWrite)
{
    TempDir dir;
    const fs::path closed = dir.Path() / "closed";
    const fs::path open = dir.Path() / "open";
    struct TCase {
        fs::path File;
        mode_t Mode; // 0: no such file
        bool Saved;
    };
    const TCase cases[] = {
        {closed / "writable.dat", 0666, true},
        {closed / "locked.dat", 0444, false},
        {closed / "new.dat", 0, false},
        {open / "othersfile.dat", 0666, true}, // belongs to root when the tests run as root
    };
    fs::create_directory(closed);
    fs::create_directory(open);
    for (const auto& test : cases)
        if (test.Mode != 0) {
            WriteFile(test.File, oldContent);
            ASSERT_EQ(::chmod(test.File.c_str(), test.Mode), 0);
        }
    ASSERT_EQ(::chmod(closed.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(open.c_str(), 0777), 0);
    const auto treeBefore = TreeOf(dir.Path());

    ExpectTrueAsUnprivilegedUser([&] {
        return std::all_of(std::begin(cases), std::end(cases),
                           [](const TCase& test) {
                               const bool saved = ReplaceWholeFile(test.File.string(), newContent);
                               return saved == test.Saved
                                   && (test.Mode == 0 ? !fs::exists(test.File)
                                                      : ReadFile(test.File) == (saved ? newContent : oldContent)
                                               && ModeOf(test.File) == test.Mode);
                           })
            && TreeOf(dir.Path()) == treeBefore;
    });
    ::chmod(closed.c_str(), 0755); // lets TempDir remove it when the tests do not run as root
}

TEST(ReplaceWholeFile, SavesFilesWhoseNamesReachTheFileSystemsLimit)
{
    TempDir dir;
    for (const size_t length : {250, 255}) {
        const std::string file = dir.File(std::string(length, 'k'));
        EXPECT_TRUE(ReplaceWholeFile(file, oldContent) && ReplaceWholeFile(file, newContent)) << length;
        EXPECT_EQ(ReadFile(file), newContent) << length;
    }
    EXPECT_EQ(dir.Entries().size(), 2u);
}

} // namespace
