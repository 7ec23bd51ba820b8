#include "framework/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <unordered_set>

namespace {

TEST(String, ConstructionForms)
{
    EXPECT_EQ(CString().GetLength(), 0);
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_EQ(CString("abc", -1), "");
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_EQ(CString('x', -3), "");
    EXPECT_EQ(CString(std::string("std")), "std");
    // Embedded zeros survive the length form.
    EXPECT_EQ(CString("a\0b", 3).GetLength(), 3);
}

TEST(String, ComparisonsWithLiteralsCompareText)
{
    const CString value("Track");
    std::string copy = "Track";
    EXPECT_TRUE(value == copy.c_str());  // another pointer, same text
    EXPECT_TRUE(copy.c_str() == value);
    EXPECT_TRUE(value != "Tracks");
    EXPECT_TRUE("Tracks" != value);
    EXPECT_TRUE(value < "Tracks");
    EXPECT_TRUE("Apple" < value);
    EXPECT_TRUE(value > CString("Apple"));
    EXPECT_EQ(value.Compare("Track"), 0);
    EXPECT_LT(value.Compare("Trz"), 0);
    EXPECT_EQ(value.CompareNoCase("tRACK"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
}

TEST(String, UsableAsKeys)
{
    std::map<CString, int> ordered{{"b", 2}, {"a", 1}};
    EXPECT_EQ(ordered.begin()->first, "a");
    std::unordered_set<CString> hashed{"x", "y", "x"};
    EXPECT_EQ(hashed.size(), 2u);
}

TEST(String, Concatenation)
{
    CString text("a");
    text += "b";
    text += 'c';
    text += CString("d");
    EXPECT_EQ(text, "abcd");
    EXPECT_EQ("<" + text + '>', "<abcd>");
    EXPECT_EQ('[' + text + CString("]"), "[abcd]");
    EXPECT_EQ(text + static_cast<const char*>(nullptr), "abcd");
}

struct SubstringCase {
    const char* what;
    CString result;
    const char* expected;
};

TEST(String, SubstringsClampTheirArguments)
{
    const CString s("abcdef");
    const SubstringCase cases[] = {
        {"Mid(2)", s.Mid(2), "cdef"},
        {"Mid(-5)", s.Mid(-5), "abcdef"},
        {"Mid(99)", s.Mid(99), ""},
        {"Mid(1,2)", s.Mid(1, 2), "bc"},
        {"Mid(4,99)", s.Mid(4, 99), "ef"},
        {"Mid(-1,2)", s.Mid(-1, 2), "ab"},
        {"Mid(2,-1)", s.Mid(2, -1), ""},
        {"Mid(6,1)", s.Mid(6, 1), ""},
        {"Left(2)", s.Left(2), "ab"},
        {"Left(-1)", s.Left(-1), ""},
        {"Left(99)", s.Left(99), "abcdef"},
        {"Right(2)", s.Right(2), "ef"},
        {"Right(-1)", s.Right(-1), ""},
        {"Right(99)", s.Right(99), "abcdef"},
    };
    for (const SubstringCase& c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(String, ElementAccessOutOfRangeIsHarmless)
{
    CString s("ab");
    EXPECT_EQ(s[1], 'b');
    EXPECT_EQ(s.GetAt(2), '\0');
    EXPECT_EQ(s.GetAt(-1), '\0');
    s.SetAt(5, 'x');
    s.SetAt(-1, 'x');
    s.SetAt(0, 'z');
    EXPECT_EQ(s, "zb");
}

TEST(String, Searching)
{
    const CString s("a`b`c`");
    EXPECT_EQ(s.Find('`'), 1);
    EXPECT_EQ(s.Find('`', 2), 3);
    EXPECT_EQ(s.Find('`', 99), -1);
    EXPECT_EQ(s.Find('`', -4), 1);
    EXPECT_EQ(s.Find("b`"), 2);
    EXPECT_EQ(s.Find("b`", 3), -1);
    EXPECT_EQ(s.Find("", 6), 6);
    EXPECT_EQ(s.Find("x", 7), -1);
    EXPECT_EQ(s.ReverseFind('`'), 5);
    EXPECT_EQ(s.ReverseFind('q'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(s.FindOneOf(""), -1);
}

TEST(String, ReplaceRemoveInsertDelete)
{
    CString s("aaa");
    EXPECT_EQ(s.Replace("a", "aa"), 3);  // the replacement is not searched again
    EXPECT_EQ(s, "aaaaaa");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('a', 'b'), 6);
    EXPECT_EQ(s, "bbbbbb");
    EXPECT_EQ(s.Replace("bb", ""), 3);
    EXPECT_TRUE(s.IsEmpty());

    CString t("a-b-c");
    EXPECT_EQ(t.Remove('-'), 2);
    EXPECT_EQ(t, "abc");
    EXPECT_EQ(t.Insert(1, "XY"), 5);
    EXPECT_EQ(t, "aXYbc");
    EXPECT_EQ(t.Insert(99, '!'), 6);
    EXPECT_EQ(t.Insert(-3, '^'), 7);
    EXPECT_EQ(t, "^aXYbc!");
    EXPECT_EQ(t.Delete(1, 3), 4);
    EXPECT_EQ(t, "^bc!");
    EXPECT_EQ(t.Delete(3, 99), 3);
    EXPECT_EQ(t.Delete(99), 3);
    EXPECT_EQ(t.Delete(0, -1), 3);
    EXPECT_EQ(t, "^bc");
}

TEST(String, CaseAndTrimming)
{
    CString s(" \tMixed Case 1\r\n");
    s.Trim();
    EXPECT_EQ(s, "Mixed Case 1");
    EXPECT_EQ(CString(s).MakeUpper(), "MIXED CASE 1");
    EXPECT_EQ(CString(s).MakeLower(), "mixed case 1");
    EXPECT_EQ(CString("abc").MakeReverse(), "cba");
    EXPECT_EQ(CString("xxaxx").TrimLeft('x'), "axx");
    EXPECT_EQ(CString("xxaxx").TrimRight('x'), "xxa");
    EXPECT_EQ(CString("  ").Trim(), "");
    EXPECT_EQ(CString("'' 1.000 ''").Trim(" '"), "1.000");
}

TEST(String, TokenizeSkipsEmptyFields)
{
    const CString list("7`Track 1`0:01``last`");
    int position = 0;
    std::string joined;
    for (CString token = list.Tokenize("`", position); position >= 0; token = list.Tokenize("`", position))
        joined += std::string(token) + "|";
    EXPECT_EQ(joined, "7|Track 1|0:01|last|");
    int beyond = 99;
    EXPECT_TRUE(list.Tokenize("`", beyond).IsEmpty());
    EXPECT_EQ(beyond, -1);
}

TEST(String, FormatOfAnyLength)
{
    CString s;
    s.Format("%.3f ''", 1.5);
    EXPECT_EQ(s, "1.500 ''");
    s.Format("%d,%d,%d", 255, 0, 12);
    EXPECT_EQ(s, "255,0,12");
    const std::string longText(100000, 'q');
    s.Format("<%s>", longText.c_str());
    EXPECT_EQ(s.GetLength(), 100002);
    EXPECT_EQ(s.Right(2), "q>");
    s.AppendFormat("%03d", 7);
    EXPECT_EQ(s.Right(3), "007");
}

TEST(String, BufferAccess)
{
    CString s("abc");
    char* buffer = s.GetBuffer(10);
    std::strcpy(buffer, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "0123456789");

    buffer = s.GetBuffer(0);
    buffer[4] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "0123");

    s.GetBuffer(8);
    s.ReleaseBuffer(99);  // clamped to the buffer
    EXPECT_EQ(s.GetLength(), 8);
    s.ReleaseBuffer(2);
    EXPECT_EQ(s, "01");

    char* fixed = s.GetBufferSetLength(3);
    fixed[2] = 'z';
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, std::string("01z", 3).c_str());
}

TEST(String, LoadStringFromTheProgramsResources)
{
    CString text("stale");
    EXPECT_TRUE(text.LoadString(64001));
    EXPECT_EQ(text, "Framework test string");

    // Longer than LoadString's first buffer.
    EXPECT_TRUE(text.LoadString(64002));
    EXPECT_EQ(text.GetLength(), 300);
    EXPECT_EQ(text.Right(3), "end");

    EXPECT_FALSE(text.LoadString(64003));
    EXPECT_TRUE(text.IsEmpty());
}

}  // namespace
