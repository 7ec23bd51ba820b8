// The settings key of a user who may not write the machine's key: settings are
// written to the user's key instead and read from it first, and what only the
// machine's key holds is still read. The machine's key refuses writing for
// real (its access list), not through a stand-in.
#include "framework/SettingsKey.h"

#include "support/RefusedMachineSettings.h"

#include <gtest/gtest.h>

using test_support::RefusedMachineSettings;

TEST(SettingsKeyFallback, TheKeyIsMadeForTheUserWhenTheMachinesRefusesWriting)
{
    RefusedMachineSettings keys;
    ASSERT_TRUE(keys.Lock());
    ASSERT_FALSE(keys.UserKeyExists());

    // A write never makes a key, not even the user's.
    EXPECT_FALSE(StoreSettingValue("Number", "SnapToGrid", "1"));
    EXPECT_FALSE(keys.UserKeyExists());

    CRegistryKey created;
    ASSERT_TRUE(CreateSettingsKey(created));
    EXPECT_TRUE(keys.UserKeyExists());
    EXPECT_TRUE(created.WriteNumber("Template", 3));
    EXPECT_EQ(keys.UserNumber("Template"), std::optional<DWORD>(3));
    EXPECT_EQ(keys.MachineNumber("Template"), std::nullopt);
}

TEST(SettingsKeyFallback, WritesGoToTheUsersKeyAndReadsPreferItOverTheMachines)
{
    RefusedMachineSettings keys;
    keys.PutMachineString("Units", "Millimeters");
    keys.PutMachineNumber("ShowGrid", 1);
    keys.PutMachineString("GridSize", "200,200");
    keys.PutUserString("GridSize", "300,300");
    keys.PutMachineString("CDPlayerPath", "C:\\Player");
    keys.PutUserNumber("CDPlayerPath", 5);  // the user's value, of the wrong kind, still hides the machine's
    ASSERT_TRUE(keys.Lock());

    EXPECT_TRUE(StoreSettingValue("Number", "SnapToGrid", "1"));
    EXPECT_TRUE(StoreSettingValue("String", "Units", "Inches"));
    EXPECT_EQ(keys.UserNumber("SnapToGrid"), std::optional<DWORD>(1));
    EXPECT_EQ(keys.UserString("Units"), std::optional<std::string>("Inches"));
    // The machine's key is as it was.
    EXPECT_EQ(keys.MachineNumber("SnapToGrid"), std::nullopt);
    EXPECT_EQ(keys.MachineString("Units"), std::optional<std::string>("Millimeters"));

    const CSettingsReader reader;
    const struct {
        const char* name;
        std::optional<std::string> text;
    } strings[] = {
        {"Units", "Inches"},        // written by the user, over the machine's
        {"GridSize", "300,300"},    // in both: the user's
        {"CDPlayerPath", std::nullopt},
        {"Missing", std::nullopt},
    };
    for (const auto& c : strings) {
        CString value;
        const bool read = reader.ReadString(c.name, value);
        EXPECT_EQ(read, c.text.has_value()) << c.name;
        if (read && c.text) {
            EXPECT_EQ(std::string(value.c_str()), *c.text) << c.name;
        }
    }
    const struct {
        const char* name;
        std::optional<DWORD> number;
    } numbers[] = {
        {"ShowGrid", 1},    // only the machine's
        {"SnapToGrid", 1},  // only the user's
        {"Units", std::nullopt},
    };
    for (const auto& c : numbers) {
        DWORD value = 0;
        const bool read = reader.ReadNumber(c.name, value);
        EXPECT_EQ(read, c.number.has_value()) << c.name;
        if (read && c.number) {
            EXPECT_EQ(value, *c.number) << c.name;
        }
    }
    for (const char* name : {"ShowGrid", "SnapToGrid", "GridSize"})
        EXPECT_TRUE(reader.ValueExists(name)) << name;
    EXPECT_FALSE(reader.ValueExists("Missing"));
}
