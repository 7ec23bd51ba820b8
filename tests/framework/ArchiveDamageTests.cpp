// Damaged archives: every fault ends in CArchiveException, never in a crash, an
// out-of-range read, a huge allocation or a leak.

#include "ArchiveTestUtil.h"
#include "TestRecords.h"

#include "framework/Archive.h"
#include "framework/Collections.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Cause = CArchiveException::Cause;

Cause FailureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

Bytes SampleArchive()
{
    CTestRecord a(1, "first");
    CTestDerived b(7);
    b.m_text = CString('s', 300);
    CTestNode node;
    node.m_next = &a;
    CObArray array;
    array.Add(&a);
    array.Add(&b);
    array.Add(nullptr);
    array.Add(&node);
    return StoreToBytes([&](CArchive& ar) {
        array.Serialize(ar);
        ar << CString("tail") << 12345;
    });
}

void ReadSample(CArchive& ar)
{
    CObArray array;
    array.Serialize(ar);
    // On success the objects are ours.
    for (CObject* object : array)
        delete object;
    CString text;
    int number = 0;
    ar >> text >> number;
}

TEST(ArchiveDamage, EveryTruncationThrowsAndFreesWhatWasRead)
{
    const int before = LiveRecords::count;
    const Bytes full = SampleArchive();
    ASSERT_EQ(FailureOf([&] { LoadFromBytes(full, ReadSample); }), CArchiveException::none);
    ASSERT_EQ(LiveRecords::count, before);

    for (std::size_t length = 0; length < full.size(); ++length) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(FailureOf([&] { LoadFromBytes(cut, ReadSample); }), CArchiveException::endOfFile)
            << "cut at " << length;
        EXPECT_EQ(LiveRecords::count, before) << "leak when cut at " << length;
    }
}

TEST(ArchiveDamage, EveryTruncationOfAnOwningArrayKeepsItsOldContents)
{
    const int before = LiveRecords::count;
    CObjectArray<CTestRecord> records;
    records.Emplace(1, "a");
    records.Emplace(2, CString('b', 400));
    const Bytes full = StoreToBytes([&](CArchive& ar) { records.Serialize(ar); });

    for (std::size_t length = 0; length < full.size(); ++length) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        CObjectArray<CTestRecord> target;
        target.Emplace(99, "kept");
        EXPECT_EQ(FailureOf([&] { LoadFromBytes(cut, [&](CArchive& ar) { target.Serialize(ar); }); }),
                  CArchiveException::endOfFile);
        ASSERT_EQ(target.GetSize(), 1);
        EXPECT_EQ(target[0]->m_number, 99);
    }
    EXPECT_EQ(LiveRecords::count, before + 2);  // only the originals
}

Bytes WithClass(const std::string& name, unsigned schema, std::initializer_list<int> after)
{
    Bytes bytes;
    AppendClassRecord(bytes, schema, name);
    for (int value : after)
        bytes.push_back(static_cast<BYTE>(value));
    return bytes;
}

Bytes Words(std::initializer_list<unsigned> words)
{
    Bytes bytes;
    for (unsigned word : words)
        AppendWord(bytes, word);
    return bytes;
}

struct DamageCase {
    const char* name;
    Bytes bytes;
    Cause expected;
};

class ArchiveDamagedReference : public ::testing::TestWithParam<DamageCase> {};

TEST_P(ArchiveDamagedReference, ThrowsTheMatchingCause)
{
    const DamageCase& c = GetParam();
    const int before = LiveRecords::count;
    // Reads up to three references, as an array of records would.
    EXPECT_EQ(FailureOf([&] {
                  LoadFromBytes(c.bytes, [](CArchive& ar) {
                      std::vector<std::unique_ptr<CObject>> read;
                      for (int i = 0; i < 3; ++i)
                          read.push_back(ar.ReadNewObject(nullptr));
                  });
              }),
              c.expected);
    EXPECT_EQ(LiveRecords::count, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveDamagedReference,
    ::testing::Values(
        DamageCase{"UnknownClassName", WithClass("CNoSuchClass", 1, {}), CArchiveException::badClass},
        DamageCase{"ClassThatCannotBeArchived", WithClass("CTestCreatable", 0xFFFF, {}), CArchiveException::badClass},
        DamageCase{"ClassWithoutFactory", WithClass("CTestDynamic", 0xFFFF, {}), CArchiveException::badClass},
        DamageCase{"EmptyClassName", Words({0xFFFF, 1, 0}), CArchiveException::badClass},
        DamageCase{"OverlongClassName", Words({0xFFFF, 1, 300}), CArchiveException::badClass},
        DamageCase{"NameLongerThanTheFile", Words({0xFFFF, 1, 40, 0x4343}), CArchiveException::endOfFile},
        DamageCase{"SchemaOfAFixedClassDiffers", WithClass("CTestFixedSchema", 3, {1, 0}),
                   CArchiveException::badSchema},
        DamageCase{"ClassIndexZero", Words({0x8000}), CArchiveException::badIndex},
        DamageCase{"ClassIndexNotYetSeen", Words({0x8001}), CArchiveException::badIndex},
        DamageCase{"ObjectIndexNotYetSeen", Words({0x0005}), CArchiveException::badIndex},
        DamageCase{"ObjectTagNamingAClass", [] {
                       Bytes b = WithClass("CTestNode", 1, {0, 0});
                       AppendWord(b, 0x0001);  // index 1 is the class, not an object
                       return b;
                   }(),
                   CArchiveException::badIndex},
        DamageCase{"ClassTagNamingAnObject", [] {
                       Bytes b = WithClass("CTestNode", 1, {0, 0});
                       AppendWord(b, 0x8002);  // index 2 is the node, not a class
                       return b;
                   }(),
                   CArchiveException::badIndex},
        DamageCase{"LongClassTagOutOfRange", [] {
                       Bytes b = Words({0x7FFF});
                       AppendDword(b, 0xFFFFFFFFul);
                       return b;
                   }(),
                   CArchiveException::badIndex},
        DamageCase{"LongObjectTagOutOfRange", [] {
                       Bytes b = Words({0x7FFF});
                       AppendDword(b, 0x7FFFFFFFul);
                       return b;
                   }(),
                   CArchiveException::badIndex},
        DamageCase{"TagCutInHalf", Bytes{0xFF}, CArchiveException::endOfFile}),
    [](const ::testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

TEST(ArchiveDamage, TypedReadRefusesAnotherClass)
{
    const int before = LiveRecords::count;
    const Bytes bytes = WithClass("CTestNode", 1, {0, 0});
    EXPECT_EQ(FailureOf([&] {
                  LoadFromBytes(bytes, [](CArchive& ar) {
                      CTestRecord* record = nullptr;
                      ar >> record;
                  });
              }),
              CArchiveException::badClass);
    EXPECT_EQ(LiveRecords::count, before);
}

TEST(ArchiveDamage, OwnersRefuseAReferenceToAnObjectReadBefore)
{
    const int before = LiveRecords::count;
    CTestRecord record(1, "r");
    CObArray shared;
    shared.Add(&record);
    shared.Add(&record);  // the second element is written as a back-reference
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { shared.Serialize(ar); });

    // Handing the same object out twice would make the caller delete it twice.
    CObArray array;
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { array.Serialize(ar); }); }),
              CArchiveException::badIndex);
    EXPECT_TRUE(array.IsEmpty());
    CObjectArray<CTestRecord> owning;
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { owning.Serialize(ar); }); }),
              CArchiveException::badIndex);
    EXPECT_EQ(LiveRecords::count, before + 1);  // only `record`
}

TEST(ArchiveDamage, OwningArrayRefusesNullEntries)
{
    const Bytes bytes = Words({1, 0});
    CObjectArray<CTestRecord> owning;
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { owning.Serialize(ar); }); }),
              CArchiveException::badIndex);
}

TEST(ArchiveDamage, AfterAFailedObjectReadNoFurtherObjectsAreHandedOut)
{
    // An object whose child has an unknown class, then a reference back to the
    // object: it was freed when its read failed and must never be returned.
    Bytes bytes;
    AppendClassRecord(bytes, 4, "CTestVersioned");
    AppendClassRecord(bytes, 1, "CNoSuchClass");
    AppendWord(bytes, 0x0002);
    LoadFromBytes(bytes, [](CArchive& ar) {
        EXPECT_THROW(ar.ReadObject(nullptr), CArchiveException);
        EXPECT_THROW(ar.ReadObject(nullptr), CArchiveException);
    });
}

TEST(ArchiveDamage, FailedSerializeFreesTheObject)
{
    const int before = LiveRecords::count;
    const Bytes bytes = WithClass("CTestRecord", 6, {1, 0});  // the int is cut short
    LoadFromBytes(bytes, [](CArchive& ar) { EXPECT_THROW(ar.ReadObject(nullptr), CArchiveException); });
    EXPECT_EQ(LiveRecords::count, before);
}

TEST(ArchiveDamage, CountsLargerThanTheDataAreRefusedBeforeAllocating)
{
    // 0xFFFFFFFF elements claimed by a file of a few bytes.
    const Bytes hugeCount = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    CObArray objects;
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(hugeCount, [&](CArchive& ar) { objects.Serialize(ar); }); }),
              CArchiveException::endOfFile);
    CStringArray strings;
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(hugeCount, [&](CArchive& ar) { strings.Serialize(ar); }); }),
              CArchiveException::endOfFile);
    // Each element needs at least its tag: three bytes can't hold two references.
    const Bytes twoClaimed = {2, 0, 0, 0, 0};
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(twoClaimed, [&](CArchive& ar) { objects.Serialize(ar); }); }),
              CArchiveException::endOfFile);
}

TEST(ArchiveDamage, StringLongerThanTheDataIsRefusedBeforeAllocating)
{
    const Bytes bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
    CString text("kept");
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { ar >> text; }); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(text, "kept");
    const Bytes wide = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(wide, [&](CArchive& ar) { ar >> text; }); }),
              CArchiveException::endOfFile);
}

TEST(ArchiveDamage, DeeplyNestedObjectsStopBeforeTheStackRunsOut)
{
    const int before = LiveRecords::count;
    // Ten thousand nodes, each holding the next as a new object.
    Bytes bytes;
    AppendClassRecord(bytes, 1, "CTestNode");
    for (int i = 0; i < 10000; ++i)
        AppendWord(bytes, 0x8001);
    AppendWord(bytes, 0);
    EXPECT_EQ(FailureOf([&] { LoadFromBytes(bytes, [](CArchive& ar) { ar.ReadObject(nullptr); }); }),
              CArchiveException::badIndex);
    EXPECT_EQ(LiveRecords::count, before);
}

TEST(ArchiveDamage, ReadingPastTheEndOfEachPrimitive)
{
    const std::function<void(CArchive&)> reads[] = {
        [](CArchive& ar) { BYTE v; ar >> v; },
        [](CArchive& ar) { WORD v; ar >> v; },
        [](CArchive& ar) { int v; ar >> v; },
        [](CArchive& ar) { double v; ar >> v; },
        [](CArchive& ar) { CString v; ar >> v; },
        [](CArchive& ar) { ar.ReadCount(); },
    };
    for (const auto& read : reads) {
        EXPECT_EQ(FailureOf([&] { LoadFromBytes(Bytes{}, read); }), CArchiveException::endOfFile);
    }
}

TEST(ArchiveDamage, WrongDirectionIsRefused)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    int value = 0;
    EXPECT_EQ(FailureOf([&] { storing >> value; }), CArchiveException::writeOnly);

    const Bytes bytes = {1, 2, 3, 4};
    LoadFromBytes(bytes, [](CArchive& ar) {
        EXPECT_EQ(FailureOf([&] { ar << 1; }), CArchiveException::readOnly);
    });
}

TEST(ArchiveDamage, ObjectsThatCannotBeArchivedAreNotWritten)
{
    CTestCreatable creatable;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(FailureOf([&] { ar << &creatable; }), CArchiveException::badClass);
}

}  // namespace
