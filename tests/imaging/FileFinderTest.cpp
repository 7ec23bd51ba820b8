// The file finder on real folder trees made by each test.
#include "imaging/FileFinder.h"
#include "imaging/ScratchTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ResultPaths(const CFileFinder& finder)
{
    std::vector<std::string> paths;
    for (const CFoundFile& found : finder.Results())
        paths.push_back(found.path.str());
    return paths;
}

std::vector<std::string> Folders(const CFileFinder& finder)
{
    std::vector<std::string> folders;
    for (const CString& folder : finder.FolderList())
        folders.push_back(folder.str());
    return folders;
}

std::vector<std::string> Sorted(std::vector<std::string> items)
{
    std::sort(items.begin(), items.end());
    return items;
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& items, const std::string& item)
{
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : it - items.begin();
}

class RecordingFeed : public IFoundFileFeed {
public:
    struct Entry {
        std::string name;
        std::string path;
        DWORD size;
    };
    void FileFound(const CString& name, const CString& path, DWORD sizeLow) override
    {
        entries.push_back({name.str(), path.str(), sizeLow});
        if (stopAfter > 0 && static_cast<int>(entries.size()) >= stopAfter && stop)
            stop->store(true);
    }
    std::vector<Entry> entries;
    int stopAfter = 0;
    std::atomic<bool>* stop = nullptr;
};

// root: a.jpg (100 bytes), b.png (7), c.txt, s1\b1.jpg, s1\s11\c11.jpg, s2\d2.png
void MakeSampleTree(ScratchTree& tree)
{
    tree.File("a.jpg", 100);
    tree.File("b.png", 7);
    tree.File("c.txt");
    tree.Folder("s1");
    tree.File("s1\\b1.jpg");
    tree.Folder("s1\\s11");
    tree.File("s1\\s11\\c11.jpg");
    tree.Folder("s2");
    tree.File("s2\\d2.png");
}

}  // namespace

TEST(FileFinder, TrimsTrailingSeparators)
{
    const struct {
        const char* folder;
        const char* trimmed;
    } cases[] = {
        {"C:\\a\\", "C:\\a"},       {"C:\\a\\\\\\", "C:\\a"}, {"C:\\a", "C:\\a"},   {"C:\\a\\  ", "C:\\a"},
        {"a/b/", "a/b"},            {"a/b//", "a/b"},         {"C:\\a/", "C:\\a/"}, {"", ""},
        {"\\", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFileFinder::TrimFolder(c.folder).str(), c.trimmed) << c.folder;
}

TEST(FileFinder, SplitsPatternListKeepingEmptyParts)
{
    const struct {
        const char* list;
        std::vector<std::string> parts;
    } cases[] = {
        {"*.jpg", {"*.jpg"}},
        {"*.jpg;*.png", {"*.jpg", "*.png"}},
        {"*.jpg;", {"*.jpg", ""}},
        {";*.png", {"", "*.png"}},
        {"", {""}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> parts;
        for (const CString& part : CFileFinder::SplitPatterns(c.list))
            parts.push_back(part.str());
        EXPECT_EQ(parts, c.parts) << c.list;
    }
}

TEST(FileFinder, FlatSearchFindsMatchesPatternByPatternWithSizesAndTimes)
{
    ScratchTree tree("flat");
    MakeSampleTree(tree);
    CFileFinder finder;
    ASSERT_TRUE(finder.Search(tree.Root().c_str(), "*.png;*.jpg"));

    // Every match of the first pattern comes before those of the second.
    EXPECT_EQ(ResultPaths(finder), (std::vector<std::string>{tree.Path("b.png"), tree.Path("a.jpg")}));
    EXPECT_EQ(finder.Results()[0].size, 7u);
    EXPECT_EQ(finder.Results()[1].size, 100u);
    const FILETIME& written = finder.Results()[1].writeTime;
    EXPECT_NE(written.dwHighDateTime | written.dwLowDateTime, 0u);
    EXPECT_EQ(Folders(finder), std::vector<std::string>{tree.Root()});
    EXPECT_EQ(finder.Patterns().size(), 2u);
}

TEST(FileFinder, TrailingSeparatorOfTheFolderDoesNotDoubleInPaths)
{
    ScratchTree tree("slash");
    MakeSampleTree(tree);
    CFileFinder finder;
    ASSERT_TRUE(finder.Search((tree.Root() + "\\\\").c_str(), "*.png"));
    EXPECT_EQ(ResultPaths(finder), std::vector<std::string>{tree.Path("b.png")});
    EXPECT_EQ(finder.Folder().str(), tree.Root() + "\\\\");  // the folder asked for, as given
}

TEST(FileFinder, RecursiveSearchListsEachFolderAfterItsOwnSubFolders)
{
    ScratchTree tree("recursive");
    MakeSampleTree(tree);
    CFileFinder finder;
    finder.SetRecursive(true);
    ASSERT_TRUE(finder.Search(tree.Root().c_str(), "*.jpg;*.png"));

    const std::vector<std::string> folders = Folders(finder);
    ASSERT_EQ(Sorted(folders), Sorted({tree.Root(), tree.Path("s1"), tree.Path("s1\\s11"), tree.Path("s2")}));
    EXPECT_EQ(folders.back(), tree.Root());
    EXPECT_LT(IndexOf(folders, tree.Path("s1\\s11")), IndexOf(folders, tree.Path("s1")));

    const std::vector<std::string> paths = ResultPaths(finder);
    EXPECT_EQ(Sorted(paths), Sorted({tree.Path("a.jpg"), tree.Path("b.png"), tree.Path("s1\\b1.jpg"),
                                     tree.Path("s1\\s11\\c11.jpg"), tree.Path("s2\\d2.png")}));
    // The start folder's own files first, by pattern; then the tree.
    EXPECT_EQ(paths[0], tree.Path("a.jpg"));
    EXPECT_EQ(paths[1], tree.Path("b.png"));
    // A sub-folder's files come before those of its own sub-folders.
    EXPECT_LT(IndexOf(paths, tree.Path("s1\\b1.jpg")), IndexOf(paths, tree.Path("s1\\s11\\c11.jpg")));
}

TEST(FileFinder, FolderTreeFirstThenFoldersSearchedInListOrder)
{
    // The album search's way: collect the tree with no patterns, then search it.
    ScratchTree tree("twostep");
    MakeSampleTree(tree);
    CFileFinder finder;
    finder.SetRecursive(true);
    ASSERT_TRUE(finder.ClearFolders());
    ASSERT_TRUE(finder.Search(tree.Root().c_str(), ""));
    EXPECT_TRUE(finder.Results().empty());
    ASSERT_EQ(finder.FolderList().size(), 4u);

    ASSERT_TRUE(finder.SearchFolders("*.jpg"));
    const std::vector<std::string> folders = Folders(finder);
    const std::vector<std::string> paths = ResultPaths(finder);
    ASSERT_EQ(Sorted(paths), Sorted({tree.Path("a.jpg"), tree.Path("s1\\b1.jpg"), tree.Path("s1\\s11\\c11.jpg")}));
    EXPECT_EQ(paths.back(), tree.Path("a.jpg"));  // the start folder is the last in the list
    EXPECT_LT(IndexOf(paths, tree.Path("s1\\s11\\c11.jpg")), IndexOf(paths, tree.Path("s1\\b1.jpg")));
    EXPECT_TRUE(finder.Patterns().empty());  // searching the list leaves the finder's patterns alone

    EXPECT_TRUE(finder.ClearResults());
    EXPECT_TRUE(finder.ClearFolders());
    EXPECT_TRUE(finder.Results().empty());
    EXPECT_TRUE(finder.FolderList().empty());
}

TEST(FileFinder, MissingFolderFindsNothingAndSucceeds)
{
    ScratchTree tree("missing");
    CFileFinder finder;
    finder.SetRecursive(true);
    EXPECT_TRUE(finder.Search(tree.Path("not-there").c_str(), "*.jpg"));
    EXPECT_TRUE(finder.Results().empty());
}

TEST(FileFinder, FeedGetsEveryFileAsFound)
{
    ScratchTree tree("feed");
    MakeSampleTree(tree);
    RecordingFeed feed;
    CFileFinder finder;
    finder.SetRecursive(true);
    finder.SetFeed(&feed);
    ASSERT_TRUE(finder.Search(tree.Root().c_str(), "*.jpg;*.png"));
    ASSERT_EQ(feed.entries.size(), finder.Results().size());
    for (std::size_t i = 0; i < feed.entries.size(); ++i) {
        EXPECT_EQ(feed.entries[i].path, finder.Results()[i].path.str());
        const std::string& path = feed.entries[i].path;
        EXPECT_EQ(path.substr(path.rfind('\\') + 1), feed.entries[i].name);
        EXPECT_EQ(feed.entries[i].size, finder.Results()[i].size);
    }
}

TEST(FileFinder, StopFlagEndsTheSearch)
{
    ScratchTree tree("stop");
    MakeSampleTree(tree);
    std::atomic<bool> stop{true};
    {
        CFileFinder finder;
        finder.SetRecursive(true);
        finder.SetStopFlag(&stop);
        EXPECT_FALSE(finder.Search(tree.Root().c_str(), "*.jpg;*.png"));
        EXPECT_TRUE(finder.Results().empty());
    }
    // Raised by the feed after the first file: that file was fed, none kept,
    // and nothing further is looked at.
    stop = false;
    RecordingFeed feed;
    feed.stop = &stop;
    feed.stopAfter = 1;
    CFileFinder finder;
    finder.SetRecursive(true);
    finder.SetStopFlag(&stop);
    finder.SetFeed(&feed);
    EXPECT_FALSE(finder.Search(tree.Root().c_str(), "*.jpg;*.png"));
    EXPECT_EQ(feed.entries.size(), 1u);
    EXPECT_TRUE(finder.Results().empty());
}

TEST(FileFinder, BrowserCacheFoldersAreSkippedOnlyWhileFeeding)
{
    ScratchTree tree("cache");
    tree.File("a.jpg");
    tree.Folder("Temporary Internet Files");
    tree.File("Temporary Internet Files\\cached.jpg");
    const std::string cached = tree.Path("Temporary Internet Files\\cached.jpg");

    RecordingFeed feed;
    CFileFinder feeding;
    feeding.SetRecursive(true);
    feeding.SetFeed(&feed);
    ASSERT_TRUE(feeding.Search(tree.Root().c_str(), "*.jpg"));
    EXPECT_EQ(IndexOf(ResultPaths(feeding), cached), -1);

    CFileFinder plain;
    plain.SetRecursive(true);
    ASSERT_TRUE(plain.Search(tree.Root().c_str(), "*.jpg"));
    EXPECT_NE(IndexOf(ResultPaths(plain), cached), -1);

    // A search that starts inside the cache searches it.
    CFileFinder inside;
    inside.SetRecursive(true);
    inside.SetFeed(&feed);
    ASSERT_TRUE(inside.Search(tree.Path("Temporary Internet Files").c_str(), "*.jpg"));
    EXPECT_TRUE(inside.StartedInCache());
    EXPECT_EQ(ResultPaths(inside), std::vector<std::string>{cached});
}

TEST(FileFinder, LinkBackToAParentFolderEndsAndFindsEachFileOnce)
{
    ScratchTree tree("loop");
    MakeSampleTree(tree);
    if (!tree.FolderLink("s1\\s11\\up", ""))
        GTEST_SKIP() << "the system made no folder link";
    CFileFinder finder;
    finder.SetRecursive(true);
    ASSERT_TRUE(finder.Search(tree.Root().c_str(), "*.jpg;*.png"));
    const std::vector<std::string> paths = ResultPaths(finder);
    std::map<std::string, int> seenByName;
    for (const std::string& path : paths)
        ++seenByName[path.substr(path.rfind('\\') + 1)];
    for (const auto& [name, count] : seenByName)
        EXPECT_EQ(count, 1) << name;
    EXPECT_EQ(seenByName.size(), 5u);
}

TEST(FileFinder, PathsBeyondTheSystemLimitAreSkippedNotCut)
{
    ScratchTree tree("long");
    tree.File("short.jpg");
    // A chain of folders deeper than the system's path limit, made through
    // the long form; a picture at every level.
    std::wstring folder = L"\\\\?\\" + ScratchTree::Wide(tree.Root());
    std::string ansiFolder = tree.Root();
    const std::string part(40, 'd');
    int made = 0;
    while (ansiFolder.size() < MAX_PATH + 60) {
        folder += L"\\" + ScratchTree::Wide(part);
        ansiFolder += "\\" + part;
        if (!::CreateDirectoryW(folder.c_str(), nullptr))
            break;
        HANDLE file = ::CreateFileW((folder + L"\\p.jpg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                    nullptr);
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
        ++made;
    }
    if (ansiFolder.size() < MAX_PATH)
        GTEST_SKIP() << "the system made no folder beyond its path limit";

    CFileFinder finder;
    finder.SetRecursive(true);
    ASSERT_TRUE(finder.Search(tree.Root().c_str(), "*.jpg"));
    ASSERT_GE(finder.Results().size(), 2u);  // the short one and the first levels
    EXPECT_LT(finder.Results().size(), static_cast<std::size_t>(made) + 1);
    for (const CFoundFile& found : finder.Results()) {
        EXPECT_LT(found.path.GetLength(), MAX_PATH);
        // Every path names the file itself, not a cut-off prefix of a longer one.
        EXPECT_NE(::GetFileAttributesA(found.path), INVALID_FILE_ATTRIBUTES) << found.path.str();
        EXPECT_TRUE(found.path.Right(6) == "\\p.jpg" || found.path.Right(10) == "\\short.jpg") << found.path.str();
    }
    for (const CString& listed : finder.FolderList())
        EXPECT_LT(listed.GetLength(), MAX_PATH);
}
