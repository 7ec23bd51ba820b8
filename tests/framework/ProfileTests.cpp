// The application's profile in HKEY_CURRENT_USER and the recent-file list
// kept in it. Every test works under a scratch key that it removes.
#include "framework/RecentFileList.h"
#include "framework/WinApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kRegistryKey[] = "SleevoryFrameworkTests";
constexpr char kAppName[] = "ProfileTest";
constexpr char kProfilePath[] = "Software\\SleevoryFrameworkTests\\ProfileTest";

void RemoveScratchKey()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SleevoryFrameworkTests");
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SleevoryFrameworkTests");
}

bool ReadRegistryString(const char* section, const char* entry, std::string& value)
{
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    const std::string path = std::string(kProfilePath) + "\\" + section;
    if (::RegGetValueA(HKEY_CURRENT_USER, path.c_str(), entry, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return false;
    value = buffer;
    return true;
}

class Profile : public ::testing::Test {
protected:
    Profile() : m_app(kAppName)
    {
        RemoveScratchKey();
        m_app.SetRegistryKey(kRegistryKey);
    }
    ~Profile() override { RemoveScratchKey(); }

    CWinApp m_app;
};

TEST_F(Profile, KeyIsSoftwareRegistryKeyApplication)
{
    EXPECT_STREQ(m_app.GetProfileKeyPath(), kProfilePath);
    CWinApp unnamed("Other");
    EXPECT_TRUE(unnamed.GetProfileKeyPath().IsEmpty()) << "no key before SetRegistryKey";
    EXPECT_FALSE(unnamed.WriteProfileInt("Section", "Entry", 1));
    EXPECT_EQ(unnamed.GetProfileInt("Section", "Entry", 5), 5u);
}

TEST_F(Profile, ValuesRoundTripAndMissingOnesGiveTheDefault)
{
    EXPECT_STREQ(m_app.GetProfileString("Settings", "Name", "fallback"), "fallback");
    EXPECT_EQ(m_app.GetProfileInt("Settings", "Count", -3), static_cast<UINT>(-3));
    std::vector<BYTE> data{1, 2, 3};
    EXPECT_FALSE(m_app.GetProfileBinary("Settings", "Blob", data));
    EXPECT_TRUE(data.empty());

    ASSERT_TRUE(m_app.WriteProfileString("Settings", "Name", "Jewel case"));
    ASSERT_TRUE(m_app.WriteProfileString("Settings", "Empty", ""));
    ASSERT_TRUE(m_app.WriteProfileInt("Settings", "Count", 1234));
    ASSERT_TRUE(m_app.WriteProfileInt("Settings", "Negative", -7));
    const std::vector<BYTE> blob{0, 255, 7, 0, 42};
    ASSERT_TRUE(m_app.WriteProfileBinary("Settings", "Blob", blob.data(), static_cast<UINT>(blob.size())));
    const std::string longText(3000, 'x');
    ASSERT_TRUE(m_app.WriteProfileString("Settings", "Long", longText.c_str()));

    // Read back through a second application object, as the next start would.
    CWinApp next(kAppName);
    next.SetRegistryKey(kRegistryKey);
    EXPECT_STREQ(next.GetProfileString("Settings", "Name"), "Jewel case");
    EXPECT_STREQ(next.GetProfileString("Settings", "Empty", "fallback"), "");
    EXPECT_EQ(next.GetProfileInt("Settings", "Count", 0), 1234u);
    EXPECT_EQ(static_cast<int>(next.GetProfileInt("Settings", "Negative", 0)), -7);
    EXPECT_TRUE(next.GetProfileBinary("Settings", "Blob", data));
    EXPECT_EQ(data, blob);
    EXPECT_EQ(next.GetProfileString("Settings", "Long").str(), longText);

    // Another type under the name is not taken for the asked one.
    EXPECT_EQ(next.GetProfileInt("Settings", "Name", 9), 9u);
    EXPECT_STREQ(next.GetProfileString("Settings", "Count", "none"), "none");
}

TEST_F(Profile, NullValueDeletesAnEntryAndNullEntryTheSection)
{
    ASSERT_TRUE(m_app.WriteProfileString("Bars", "A", "1"));
    ASSERT_TRUE(m_app.WriteProfileString("Bars", "B", "2"));
    ASSERT_TRUE(m_app.WriteProfileString("Bars", "A", nullptr));
    EXPECT_STREQ(m_app.GetProfileString("Bars", "A", "gone"), "gone");
    EXPECT_STREQ(m_app.GetProfileString("Bars", "B"), "2");
    ASSERT_TRUE(m_app.WriteProfileString("Bars", nullptr, nullptr));
    EXPECT_STREQ(m_app.GetProfileString("Bars", "B", "gone"), "gone");
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kProfilePath) + "\\Bars").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    // Deleting what is not there is no failure.
    EXPECT_TRUE(m_app.WriteProfileString("Bars", nullptr, nullptr));
    EXPECT_TRUE(m_app.WriteProfileString("Nowhere", "X", nullptr));
}

TEST_F(Profile, RecentFilesKeepTheNewestFourWithoutDuplicates)
{
    m_app.LoadStdProfileSettings(4);
    CRecentFileList* list = m_app.GetRecentFileList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 0);

    for (const char* path : {"C:\\a\\one.slv", "C:\\a\\two.slv", "C:\\a\\three.slv", "C:\\a\\four.slv",
                             "C:\\a\\five.slv", "c:\\A\\TWO.SLV"})
        m_app.AddToRecentFileList(path);
    ASSERT_EQ(list->GetCount(), 4);
    EXPECT_STREQ((*list)[0], "c:\\A\\TWO.SLV");
    EXPECT_STREQ((*list)[1], "C:\\a\\five.slv");
    EXPECT_STREQ((*list)[2], "C:\\a\\four.slv");
    EXPECT_STREQ((*list)[3], "C:\\a\\three.slv");
    EXPECT_STREQ((*list)[4], "");

    // Saved under "Recent File List" as File1..File4, and read back by the next start.
    EXPECT_EQ(m_app.ExitInstance(), 0);
    std::string value;
    ASSERT_TRUE(ReadRegistryString("Recent File List", "File1", value));
    EXPECT_EQ(value, "c:\\A\\TWO.SLV");
    ASSERT_TRUE(ReadRegistryString("Recent File List", "File4", value));
    EXPECT_EQ(value, "C:\\a\\three.slv");
    EXPECT_FALSE(ReadRegistryString("Recent File List", "File5", value));

    CWinApp next(kAppName);
    next.SetRegistryKey(kRegistryKey);
    next.LoadStdProfileSettings(4);
    ASSERT_EQ(next.GetRecentFileList()->GetCount(), 4);
    EXPECT_STREQ((*next.GetRecentFileList())[3], "C:\\a\\three.slv");

    // A shorter list leaves no stale entries behind.
    next.GetRecentFileList()->Remove(0);
    next.GetRecentFileList()->Remove("C:\\A\\FOUR.SLV");
    next.SaveStdProfileSettings();
    EXPECT_TRUE(ReadRegistryString("Recent File List", "File2", value));
    EXPECT_EQ(value, "C:\\a\\three.slv");
    EXPECT_FALSE(ReadRegistryString("Recent File List", "File3", value));
}

TEST(RecentFileMenuText, LongPathsKeepRootAndFileName)
{
    CRecentFileList list(57616, "Recent File List", "File%d", 4, 30);
    list.Add("C:\\Short.slv");
    list.Add("C:\\Documents and Settings\\Someone\\My Labels\\Rock & Roll.slv");
    EXPECT_STREQ(list.GetMenuText(1), "&2 C:\\Short.slv");
    const CString text = list.GetMenuText(0);
    EXPECT_EQ(text.Left(3), "&1 ");
    EXPECT_EQ(text.Find("C:\\...\\"), 3);
    EXPECT_NE(text.Find("Rock && Roll.slv"), -1) << "ampersands stay visible in a menu";
    EXPECT_LE(text.GetLength(), 3 + 30 + 1);
}

}  // namespace
