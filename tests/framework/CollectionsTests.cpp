#include "TestRecords.h"

#include "framework/Collections.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ObArray, EditingKeepsOrderAndRejectsBadIndices)
{
    CTestRecord a, b, c;
    CObArray array;
    EXPECT_EQ(array.Add(&a), 0);
    EXPECT_EQ(array.Add(&c), 1);
    array.InsertAt(1, &b);
    array.InsertAt(99, &c, 2);  // clamped to the end
    ASSERT_EQ(array.GetSize(), 5);
    EXPECT_EQ(array[1], &b);
    EXPECT_EQ(array.GetUpperBound(), 4);
    array.RemoveAt(3, 99);
    EXPECT_EQ(array.GetSize(), 3);
    array.SetAt(0, &c);
    EXPECT_EQ(array.GetAt(0), &c);
    EXPECT_THROW(array.GetAt(3), std::out_of_range);
    EXPECT_THROW(array.GetAt(-1), std::out_of_range);
    EXPECT_THROW(array.RemoveAt(3), std::out_of_range);
    array.SetSize(5);
    EXPECT_EQ(array[4], nullptr);
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
}

TEST(ObjectArray, OwnsItsElements)
{
    const int before = LiveRecords::count;
    {
        CObjectArray<CTestRecord> array;
        array.Emplace(1, "one");
        array.Add(std::make_unique<CTestRecord>(3, "three"));
        array.InsertAt(1, std::make_unique<CTestRecord>(2, "two"));
        EXPECT_EQ(LiveRecords::count, before + 3);
        EXPECT_EQ(array[1]->m_number, 2);
        EXPECT_THROW(array.Add(nullptr), std::invalid_argument);

        std::unique_ptr<CTestRecord> taken = array.Detach(0);
        EXPECT_EQ(taken->m_number, 1);
        EXPECT_EQ(array.GetSize(), 2);
        array.RemoveAt(0);
        EXPECT_EQ(LiveRecords::count, before + 2);
        EXPECT_THROW(array.GetAt(1), std::out_of_range);
        int sum = 0;
        for (const auto& record : array)
            sum += record->m_number;
        EXPECT_EQ(sum, 3);
    }
    EXPECT_EQ(LiveRecords::count, before);
}

TEST(ObjectArray, LoadingReplacesTheContents)
{
    CObjectArray<CTestRecord> source;
    source.Emplace(5, "five");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        source.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CObjectArray<CTestRecord> target;
    target.Emplace(1, "old");
    target.Emplace(2, "old");
    CArchive ar(&file, CArchive::load);
    target.Serialize(ar);
    ASSERT_EQ(target.GetSize(), 1);
    EXPECT_EQ(target[0]->m_text, "five");
}

TEST(StringArray, Editing)
{
    CStringArray array;
    array.Add("b");
    array.InsertAt(0, "a");
    array.InsertAt(5, "z", 2);
    ASSERT_EQ(array.GetSize(), 4);
    EXPECT_EQ(array[0], "a");
    EXPECT_EQ(array[3], "z");
    array[3] = "y";
    EXPECT_EQ(array.GetAt(3), "y");
    array.RemoveAt(1, 2);
    EXPECT_EQ(array.GetSize(), 2);
    EXPECT_THROW(array.SetAt(2, "x"), std::out_of_range);
    array.SetSize(0);
    EXPECT_TRUE(array.IsEmpty());
}

}  // namespace
