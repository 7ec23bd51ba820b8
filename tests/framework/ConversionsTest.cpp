#include "framework/Conversions.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{
TEST(ConversionsTest, StrToFloatReadsTheLeadingNumber)
{
    const struct
    {
        const char* text;
        float expected;
    } cases[] = {
        {"0.125", 0.125f}, {"1.250 ''", 1.25f}, {"  -3.5mm", -3.5f}, {"8.500", 8.5f}, {"7", 7.0f},
        {"", 0.0f},        {"abc", 0.0f},       {"''", 0.0f},        {"inf", 0.0f},  {"nan", 0.0f},
        {"1e40", 0.0f},  // beyond single precision
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToFloat(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ConversionsTest, StrToDoubleReadsTheLeadingNumberExactly)
{
    const struct
    {
        const char* text;
        double expected;
    } cases[] = {
        {"0.700", 0.7}, {"0.700 ''", 0.7}, {"11.999 ''", 11.999}, {"  -3.5mm", -3.5}, {"7", 7.0},
        {"", 0.0},      {"abc", 0.0},      {"''", 0.0},           {"inf", 0.0},      {"nan", 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToDouble(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ConversionsTest, IntToStrIsDecimal)
{
    const struct
    {
        int value;
        const char* expected;
    } cases[] = {{0, "0"}, {-5, "-5"}, {1250, "1250"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
    for (const auto& c : cases)
        EXPECT_EQ(std::string(IntToStr(c.value)), c.expected);
}

TEST(ConversionsTest, ParseLeadingIntStopsAtTheFirstOtherCharacter)
{
    const struct
    {
        const char* text;
        int expected;
    } cases[] = {
        {"12abc", 12},        {" -12abc", -12},        {"abc", 0},           {"", 0},
        {"+7", 7},            {"--7", 0},              {"1,5", 1},           {"007", 7},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN}, {"123456789012345678901234567890", INT_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLeadingInt(c.text), c.expected) << '"' << c.text << '"';
}
}  // namespace
