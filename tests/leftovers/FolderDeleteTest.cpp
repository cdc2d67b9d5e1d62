#include "LeftoverFixture.h"

#include "platform/FolderDelete.h"
#include "platform/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace leftovertest;
using platform::DeleteFolder;
using testsupport::FreshFolder;
using testsupport::WriteFile;

namespace {

bool Contains(const std::vector<std::wstring>& list, const std::wstring& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

TEST(FolderDelete, DeepTreeWithReadOnlyHiddenAndSystemEntries) {
    const TCanaryDirectory cwd(L"fd_cwd_deep");
    const std::wstring root = FreshFolder(L"fd_deep");
    std::wstring path = root;
    for (int level = 0; level < 30; ++level) {
        path += L"\\level_" + std::to_wstring(level) + L"_name";
        MakeFolder(path);
        WriteFile(path + L"\\file.bin", 10);
    }
    ASSERT_GT(path.size(), 400u);
    SetAttributes(path + L"\\file.bin", FILE_ATTRIBUTE_READONLY);
    SetAttributes(root + L"\\level_0_name\\file.bin",
                  FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetAttributes(root + L"\\level_0_name\\level_1_name", FILE_ATTRIBUTE_READONLY);
    WriteFile(root + L"\\.dotfile", 3);

    EXPECT_TRUE(DeleteFolder(root + L"\\").empty());
    EXPECT_FALSE(Exists(root));
}

TEST(FolderDelete, LinksAreRemovedAsLinksAndNeverFollowed) {
    const TCanaryDirectory cwd(L"fd_cwd_links");
    const std::wstring links = LinkFixture(L"links");
    const std::wstring outside = LinkFixture(L"outside");
    ASSERT_TRUE(Exists(links + L"\\dirlink")) << "make-links.sh has not built the fixture";
    WriteFile(links + L"\\own.txt", 5);
    WriteFile(links + L"\\sub\\inner.txt", 5);

    const std::vector<std::wstring> failed = DeleteFolder(links);

    EXPECT_TRUE(Exists(outside + L"\\canary.txt"));
    EXPECT_TRUE(Exists(outside + L"\\sub\\deep.txt"));
    EXPECT_FALSE(Exists(links + L"\\own.txt"));
    EXPECT_FALSE(Exists(links + L"\\sub\\inner.txt"));
    // Windows removes the links themselves; Wine cannot remove a Unix link through these calls, so there they
    // stay, reported, with the folders that hold them. Nothing else may stay.
    const std::wstring mayStay[] = {links + L"\\dirlink", links + L"\\filelink", links + L"\\sub\\loop",
                                    links + L"\\sub", links};
    for (const std::wstring& path : mayStay)
        EXPECT_EQ(Exists(path), Contains(failed, path)) << path;
    for (const std::wstring& path : failed)
        EXPECT_TRUE(std::find(std::begin(mayStay), std::end(mayStay), path) != std::end(mayStay)) << path;
    // A child is reported before the folder that holds it.
    if (Contains(failed, links)) {
        EXPECT_EQ(failed.back(), links);
    }
}

TEST(FolderDelete, PathThatIsALinkOrAFile) {
    const TCanaryDirectory cwd(L"fd_cwd_single");
    const std::wstring rootLink = LinkFixture(L"rootlink");
    ASSERT_TRUE(Exists(rootLink)) << "make-links.sh has not built the fixture";
    const std::vector<std::wstring> failed = DeleteFolder(rootLink);
    EXPECT_TRUE(Exists(LinkFixture(L"outside\\canary.txt")));
    EXPECT_EQ(Exists(rootLink), failed == std::vector<std::wstring>{rootLink});

    const std::wstring file = FreshFolder(L"fd_file") + L"\\plain.txt";
    WriteFile(file, 4);
    SetAttributes(file, FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(DeleteFolder(file).empty());
    EXPECT_FALSE(Exists(file));
}

TEST(FolderDelete, RefusesRootsAndRelativePaths) {
    const TCanaryDirectory cwd(L"fd_cwd_refuse");
    const struct {
        const wchar_t* path;
        const wchar_t* reported;
    } cases[] = {
        {L"sub", L"sub"},
        {L".", L"."},
        {L"", L""},
        {L"C:\\", L"C:"},
        {L"C:", L"C:"},
        {L"\\sub", L"\\sub"},
        {L"\\\\server\\share\\", L"\\\\server\\share"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeleteFolder(c.path), std::vector<std::wstring>{c.reported}) << c.path;
    EXPECT_TRUE(DeleteFolder(L"C:\\VarnookTests\\no such folder").empty()) << "nothing there, nothing left";
}

TEST(FolderDelete, ReportsWhatCannotBeRemoved) {
    const TCanaryDirectory cwd(L"fd_cwd_locked");
    const std::wstring root = FreshFolder(L"fd_locked");
    MakeFolder(root + L"\\a");
    MakeFolder(root + L"\\b");
    WriteFile(root + L"\\a\\locked.txt", 3);
    WriteFile(root + L"\\a\\free.txt", 3);
    WriteFile(root + L"\\b\\other.txt", 3);
    {
        const platform::TFileHandle locked(CreateFileW((root + L"\\a\\locked.txt").c_str(), GENERIC_READ,
                                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked);
        EXPECT_EQ(DeleteFolder(root), (std::vector<std::wstring>{root + L"\\a\\locked.txt", root + L"\\a", root}));
    }
    EXPECT_FALSE(Exists(root + L"\\a\\free.txt"));
    EXPECT_FALSE(Exists(root + L"\\b"));
    EXPECT_TRUE(DeleteFolder(root).empty());
}

TEST(FolderDelete, SingleFile) {
    const TCanaryDirectory cwd(L"fd_cwd_file");
    const std::wstring folder = FreshFolder(L"fd_single");
    WriteFile(folder + L"\\readonly.txt", 2);
    SetAttributes(folder + L"\\readonly.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(platform::DeleteSingleFile(folder + L"\\readonly.txt"));
    EXPECT_FALSE(Exists(folder + L"\\readonly.txt"));
    EXPECT_TRUE(platform::DeleteSingleFile(folder + L"\\missing.txt"));

    MakeFolder(folder + L"\\sub");
    EXPECT_FALSE(platform::DeleteSingleFile(folder + L"\\sub"));
    EXPECT_TRUE(Exists(folder + L"\\sub"));
    EXPECT_FALSE(platform::DeleteSingleFile(L"relative.txt"));

    // Wine shows a Unix link to a file as a plain file, and deleting it would delete its target.
    const std::wstring link = LinkFixture(L"single\\filelink");
    ASSERT_TRUE(Exists(link)) << "make-links.sh has not built the fixture";
    EXPECT_EQ(platform::DeleteSingleFile(link), !Exists(link));
    EXPECT_TRUE(Exists(LinkFixture(L"outside\\canary.txt")));
}

TEST(FolderDelete, ResolvedPathFollowsLinks) {
    const std::wstring folder = FreshFolder(L"fd_resolved");
    EXPECT_EQ(CompareStringOrdinal(platform::ResolvedPath(folder + L"\\").c_str(), -1, folder.c_str(), -1, TRUE),
              CSTR_EQUAL);
    ASSERT_TRUE(Exists(LinkFixture(L"rootlink"))) << "make-links.sh has not built the fixture";
    EXPECT_EQ(CompareStringOrdinal(platform::ResolvedPath(LinkFixture(L"rootlink")).c_str(), -1,
                                   LinkFixture(L"outside").c_str(), -1, TRUE),
              CSTR_EQUAL);
    EXPECT_EQ(platform::ResolvedPath(folder + L"\\missing"), L"");
}
