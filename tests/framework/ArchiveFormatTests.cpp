// The archive's byte form: golden bytes for each form and round trips.

#include "ArchiveTestUtil.h"
#include "TestRecords.h"

#include "framework/Archive.h"
#include "framework/Collections.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

Bytes Hex(std::initializer_list<int> values)
{
    Bytes out;
    for (int value : values)
        out.push_back(static_cast<BYTE>(value));
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

TEST(ArchiveFormat, PrimitivesAreLittleEndianAndRoundTrip)
{
    const Bytes bytes = StoreToBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << -2 << static_cast<LONG>(0x01020304)
           << static_cast<DWORD>(0xDEADBEEF) << 1.5f << 2.0 << static_cast<LONGLONG>(-1) << 'z'
           << static_cast<short>(-3) << static_cast<UINT>(7);
    });
    const Bytes expected = Hex({0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xEF, 0xBE, 0xAD,
                                0xDE, 0x00, 0x00, 0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                0xFF, 0xFF, 0xFF, 'z', 0xFD, 0xFF, 7, 0, 0, 0});
    EXPECT_EQ(bytes, expected);

    LoadFromBytes(bytes, [](CArchive& ar) {
        BYTE b = 0;
        WORD w = 0;
        int i = 0;
        LONG l = 0;
        DWORD d = 0;
        float f = 0;
        double g = 0;
        LONGLONG ll = 0;
        char c = 0;
        short s = 0;
        UINT u = 0;
        ar >> b >> w >> i >> l >> d >> f >> g >> ll >> c >> s >> u;
        EXPECT_EQ(b, 0xAB);
        EXPECT_EQ(w, 0x1234);
        EXPECT_EQ(i, -2);
        EXPECT_EQ(l, 0x01020304);
        EXPECT_EQ(d, 0xDEADBEEFu);
        EXPECT_EQ(f, 1.5f);
        EXPECT_EQ(g, 2.0);
        EXPECT_EQ(ll, -1);
        EXPECT_EQ(c, 'z');
        EXPECT_EQ(s, -3);
        EXPECT_EQ(u, 7u);
        EXPECT_EQ(ar.GetBytesRemaining(), 0u);
    });
}

TEST(ArchiveFormat, RectanglesAreFourInts)
{
    const RECT rect{1, -2, 3, 4};
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar << rect; });
    EXPECT_EQ(bytes, Hex({1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 4, 0, 0, 0}));
    LoadFromBytes(bytes, [&](CArchive& ar) {
        RECT read{};
        ar >> read;
        EXPECT_TRUE(::EqualRect(&read, &rect));
    });
}

struct StringLengthCase {
    std::size_t length;
    Bytes prefix;
};

class ArchiveStringLength : public ::testing::TestWithParam<StringLengthCase> {};

TEST_P(ArchiveStringLength, PrefixFormAndRoundTrip)
{
    const StringLengthCase& c = GetParam();
    std::string text(c.length, '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + i % 26);
    const CString value(text);

    const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar << value << 0x11223344; });
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length + 4);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(c.prefix.size())), c.prefix);
    EXPECT_TRUE(std::equal(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.prefix.size())));

    LoadFromBytes(bytes, [&](CArchive& ar) {
        CString read("previous");
        int after = 0;
        ar >> read >> after;
        EXPECT_EQ(read.str(), text);
        EXPECT_EQ(after, 0x11223344);
    });
}

INSTANTIATE_TEST_SUITE_P(
    EachLengthClass, ArchiveStringLength,
    ::testing::Values(StringLengthCase{0, Hex({0x00})}, StringLengthCase{254, Hex({0xFE})},
                      StringLengthCase{255, Hex({0xFF, 0xFF, 0x00})},
                      StringLengthCase{0xFFFD, Hex({0xFF, 0xFD, 0xFF})},
                      StringLengthCase{0xFFFE, Hex({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
                      StringLengthCase{70000, Hex({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})}));

TEST(ArchiveFormat, WideStringIsReadIntoTheAnsiCodePage)
{
    // Marker 0xFF 0xFFFE, then a length in characters and UTF-16 text.
    const Bytes bytes = Hex({0xFF, 0xFE, 0xFF, 0x02, 'h', 0, 'i', 0});
    LoadFromBytes(bytes, [](CArchive& ar) {
        CString read;
        ar >> read;
        EXPECT_EQ(read, "hi");
    });
}

struct CountCase {
    ULONGLONG count;
    Bytes bytes;
};

class ArchiveCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(ArchiveCount, ShortAndLongForms)
{
    const CountCase& c = GetParam();
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar.WriteCount(c.count); });
    EXPECT_EQ(bytes, c.bytes);
    LoadFromBytes(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(0), c.count); });
}

INSTANTIATE_TEST_SUITE_P(Boundaries, ArchiveCount,
                         ::testing::Values(CountCase{0, Hex({0, 0})}, CountCase{1, Hex({1, 0})},
                                           CountCase{0xFFFE, Hex({0xFE, 0xFF})},
                                           CountCase{0xFFFF, Hex({0xFF, 0xFF, 0xFF, 0xFF, 0, 0})},
                                           CountCase{0x10000, Hex({0xFF, 0xFF, 0, 0, 1, 0})},
                                           CountCase{70000, Hex({0xFF, 0xFF, 0x70, 0x11, 1, 0})}));

TEST(ArchiveFormat, SmallArrayOfRecords)
{
    CObjectArray<CTestRecord> records;
    records.Emplace(7, "ab");
    records.Emplace(-1, "");
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { records.Serialize(ar); });

    Bytes expected = Hex({2, 0});
    AppendClassRecord(expected, 6, "CTestRecord");
    expected = Concat({expected, Hex({7, 0, 0, 0, 2, 'a', 'b'}),  // first record: class 1, object 2
                       Hex({0x01, 0x80}), Hex({0xFF, 0xFF, 0xFF, 0xFF, 0})});
    EXPECT_EQ(bytes, expected);

    CObjectArray<CTestRecord> read;
    LoadFromBytes(bytes, [&](CArchive& ar) { read.Serialize(ar); });
    ASSERT_EQ(read.GetSize(), 2);
    EXPECT_EQ(read[0]->m_number, 7);
    EXPECT_EQ(read[0]->m_text, "ab");
    EXPECT_EQ(read[1]->m_number, -1);
    EXPECT_TRUE(read[1]->m_text.IsEmpty());
}

TEST(ArchiveFormat, ClassesAndObjectsShareOneIndexSequence)
{
    CTestRecord first(1, "x");
    CTestDerived second(9);
    CTestRecord third(3, "");
    CTestDerived fourth(4);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        ar << &first << &second << &third << &fourth << &first << static_cast<const CObject*>(nullptr);
    });

    Bytes expected;
    AppendClassRecord(expected, 6, "CTestRecord");  // class 1
    expected = Concat({expected, Hex({1, 0, 0, 0, 1, 'x'})});  // object 2
    AppendClassRecord(expected, 6, "CTestDerived");  // class 3
    expected = Concat({expected, Hex({0, 0, 0, 0, 0, 9}),       // object 4
                       Hex({0x01, 0x80, 3, 0, 0, 0, 0}),        // class 1, object 5
                       Hex({0x03, 0x80, 0, 0, 0, 0, 0, 4}),     // class 3, object 6
                       Hex({0x02, 0x00}),                       // object 2 again
                       Hex({0x00, 0x00})});                     // null
    EXPECT_EQ(bytes, expected);

    LoadFromBytes(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> a(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> b(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> c(ar.ReadObject(RUNTIME_CLASS(CTestRecord)));
        std::unique_ptr<CObject> d(ar.ReadObject(RUNTIME_CLASS(CTestDerived)));
        CObject* again = ar.ReadObject(nullptr);
        CObject* null = ar.ReadObject(nullptr);
        EXPECT_EQ(a->GetRuntimeClass(), RUNTIME_CLASS(CTestRecord));
        EXPECT_EQ(b->GetRuntimeClass(), RUNTIME_CLASS(CTestDerived));
        EXPECT_EQ(c->GetRuntimeClass(), RUNTIME_CLASS(CTestRecord));
        EXPECT_EQ(static_cast<CTestDerived*>(d.get())->m_flag, 4);
        EXPECT_EQ(again, a.get());
        EXPECT_EQ(null, nullptr);
    });
}

TEST(ArchiveFormat, ObjectReferringToItself)
{
    CTestNode node;
    node.m_next = &node;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar << &node; });
    Bytes expected;
    AppendClassRecord(expected, 1, "CTestNode");
    AppendWord(expected, 2);  // the node is object 2 before its fields are written
    EXPECT_EQ(bytes, expected);

    LoadFromBytes(bytes, [](CArchive& ar) {
        CTestNode* read = nullptr;
        ar >> read;
        std::unique_ptr<CTestNode> owner(read);
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->m_next, read);
    });
}

TEST(ArchiveFormat, ArrayOfExactly0xFFFFElementsUsesTheLongCount)
{
    CObjectArray<CTestNode> nodes;
    for (int i = 0; i < 0xFFFF; ++i)
        nodes.Emplace();
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { nodes.Serialize(ar); });

    Bytes expected = Hex({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00});
    AppendClassRecord(expected, 1, "CTestNode");
    AppendWord(expected, 0);  // the first node's null link
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(bytes.size(), expected.size() + (0xFFFF - 1) * 4u);
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), Hex({0x01, 0x80, 0, 0}));

    CObjectArray<CTestNode> read;
    LoadFromBytes(bytes, [&](CArchive& ar) { read.Serialize(ar); });
    EXPECT_EQ(read.GetSize(), 0xFFFF);
}

TEST(ArchiveFormat, ArrayOfMoreThan0xFFFFNullElements)
{
    CObArray pointers;
    pointers.SetSize(0x10001);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { pointers.Serialize(ar); });
    ASSERT_EQ(bytes.size(), 6u + 2u * 0x10001);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), Hex({0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00}));

    CObArray read;
    LoadFromBytes(bytes, [&](CArchive& ar) { read.Serialize(ar); });
    ASSERT_EQ(read.GetSize(), 0x10001);
    EXPECT_EQ(read[0x10000], nullptr);
}

TEST(ArchiveFormat, StringArray)
{
    CStringArray strings;
    strings.Add("one");
    strings.Add("");
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { strings.Serialize(ar); });
    EXPECT_EQ(bytes, Hex({2, 0, 3, 'o', 'n', 'e', 0}));

    CStringArray read;
    read.Add("stale");
    LoadFromBytes(bytes, [&](CArchive& ar) { read.Serialize(ar); });
    ASSERT_EQ(read.GetSize(), 2);
    EXPECT_EQ(read[0], "one");
    EXPECT_EQ(read[1], "");
}

// Past 0x7FFE indices every tag takes the long form: 0x7FFF, then a DWORD that
// carries 0x80000000 for a class and the plain index for an object.
TEST(ArchiveFormat, BigIndicesUseTheLongForm)
{
    const int nodeCount = 0x7FFF;  // class 1, nodes 2 .. 0x8000
    std::vector<std::unique_ptr<CTestNode>> nodes;
    for (int i = 0; i < nodeCount; ++i)
        nodes.push_back(std::make_unique<CTestNode>());
    CTestRecord late1(1, "p");  // class 0x8001, object 0x8002
    CTestRecord late2(2, "q");  // object 0x8003

    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        for (const auto& node : nodes)
            ar << node.get();
        ar << nodes[0x7FFC].get() << nodes[0x7FFD].get() << nodes[nodeCount - 1].get();
        ar << &late1 << &late2 << &late2;
    });

    Bytes tail = Hex({0xFE, 0x7F});                       // object 0x7FFE: short form
    tail = Concat({tail, Hex({0xFF, 0x7F, 0xFF, 0x7F, 0, 0}),  // object 0x7FFF: long form
                   Hex({0xFF, 0x7F, 0x00, 0x80, 0, 0})});       // object 0x8000
    AppendClassRecord(tail, 6, "CTestRecord");
    tail = Concat({tail, Hex({1, 0, 0, 0, 1, 'p'}),
                   Hex({0xFF, 0x7F, 0x01, 0x80, 0x00, 0x80}),  // class 0x8001
                   Hex({2, 0, 0, 0, 1, 'q'}),
                   Hex({0xFF, 0x7F, 0x03, 0x80, 0x00, 0x00})});  // object 0x8003
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(Bytes(bytes.end() - static_cast<std::ptrdiff_t>(tail.size()), bytes.end()), tail);

    LoadFromBytes(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CObject>> read;
        for (int i = 0; i < nodeCount; ++i)
            read.push_back(ar.ReadNewObject(RUNTIME_CLASS(CTestNode)));
        EXPECT_EQ(ar.ReadObject(nullptr), read[0x7FFC].get());
        EXPECT_EQ(ar.ReadObject(nullptr), read[0x7FFD].get());
        EXPECT_EQ(ar.ReadObject(nullptr), read[nodeCount - 1].get());
        std::unique_ptr<CObject> p(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> q(ar.ReadObject(nullptr));
        EXPECT_EQ(ar.ReadObject(nullptr), q.get());
        ASSERT_TRUE(q->IsKindOf(RUNTIME_CLASS(CTestRecord)));
        EXPECT_EQ(static_cast<CTestRecord*>(q.get())->m_text, "q");
        EXPECT_EQ(static_cast<CTestRecord*>(p.get())->m_number, 1);
    });
}

TEST(ArchiveFormat, ObjectIsCreatedFromItsClassRecord)
{
    Bytes bytes;
    AppendClassRecord(bytes, 6, "CTestDerived");
    bytes = Concat({bytes, Hex({0x2A, 0, 0, 0, 3, 'a', 'b', 'c', 0x05})});

    LoadFromBytes(bytes, [](CArchive& ar) {
        CTestRecord* record = nullptr;
        ar >> record;  // a derived class satisfies the typed read
        std::unique_ptr<CTestRecord> owner(record);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->GetRuntimeClass(), RUNTIME_CLASS(CTestDerived));
        EXPECT_EQ(record->m_number, 42);
        EXPECT_EQ(record->m_text, "abc");
        EXPECT_EQ(static_cast<CTestDerived*>(record)->m_flag, 5);
    });
}

TEST(ArchiveFormat, SerializeSeesTheSchemaOfItsClassRecord)
{
    // Written by this program: the class's own schema, 4.
    CTestVersioned outer;
    outer.m_child = std::make_unique<CTestRecord>(1, "c");  // schema 6 inside
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { ar << &outer; });
    Bytes header;
    AppendClassRecord(header, 4, "CTestVersioned");
    ASSERT_GE(bytes.size(), header.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(header.size())), header);

    LoadFromBytes(bytes, [](CArchive& ar) {
        EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
        std::unique_ptr<CObject> read = ar.ReadNewObject(RUNTIME_CLASS(CTestVersioned));
        auto* versioned = static_cast<CTestVersioned*>(read.get());
        EXPECT_EQ(versioned->m_schemaSeen, 4u);
        EXPECT_EQ(versioned->m_schemaAfterChild, 4u);  // the child's schema 6 does not leak out
        EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
    });

    // An older file with schema 3: both objects, the second by class tag, see 3.
    Bytes old;
    AppendClassRecord(old, 3, "CTestVersioned");
    AppendWord(old, 0);       // no child
    AppendWord(old, 0x8001);  // second object of class 1
    AppendWord(old, 0);
    LoadFromBytes(old, [](CArchive& ar) {
        std::unique_ptr<CObject> first = ar.ReadNewObject(nullptr);
        std::unique_ptr<CObject> second = ar.ReadNewObject(nullptr);
        EXPECT_EQ(static_cast<CTestVersioned*>(first.get())->m_schemaSeen, 3u);
        EXPECT_EQ(static_cast<CTestVersioned*>(second.get())->m_schemaSeen, 3u);
    });
}

TEST(ArchiveFormat, ReadStringSplitsLines)
{
    const Bytes bytes = Text("12\n345\r\n\nlast");
    LoadFromBytes(bytes, [](CArchive& ar) {
        CString line;
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "12");
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "345");
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "");
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_EQ(line, "last");
        EXPECT_FALSE(ar.ReadString(line));
    });
}

TEST(ArchiveFormat, MixesBinaryFieldsWithTextLinesAndRawBlocks)
{
    // Image blocks are written as "code\nlength\n" and raw bytes after the records.
    std::string block(5000, 'x');  // larger than the buffer
    block[4999] = 'y';
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        ar << CString("rec");
        ar.WriteString("2\n5000\n");
        ar.Write(block.data(), static_cast<UINT>(block.size()));
        ar << 99;
    });
    LoadFromBytes(bytes, [&](CArchive& ar) {
        CString name, code, length;
        ar >> name;
        ASSERT_TRUE(ar.ReadString(code));
        ASSERT_TRUE(ar.ReadString(length));
        EXPECT_EQ(code, "2");
        EXPECT_EQ(length, "5000");
        std::string read(5000, '\0');
        ar.ReadAll(read.data(), 5000);
        EXPECT_EQ(read, block);
        int tail = 0;
        ar >> tail;
        EXPECT_EQ(tail, 99);
    });
}

TEST(ArchiveFormat, ClosingALoadingArchiveLeavesTheStreamAtTheNextUnreadByte)
{
    const Bytes bytes = Hex({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    CMemFile file(bytes.data(), bytes.size());
    {
        CArchive ar(&file, CArchive::load);
        WORD first = 0;
        BYTE third = 0;
        ar >> first >> third;
        ar.Close();
    }
    EXPECT_EQ(file.GetPosition(), 3u);
}

TEST(ArchiveFormat, DiskFileHoldsTheSameBytesAsMemory)
{
    char folder[MAX_PATH];
    char path[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, folder), 0u);
    ASSERT_NE(::GetTempFileNameA(folder, "arc", 0, path), 0u);

    CObjectArray<CTestRecord> records;
    records.Emplace(1, CString('k', 300));
    records.Emplace(2, "two");
    auto write = [&](CArchive& ar) {
        records.Serialize(ar);
        ar.WriteString("0,1");
    };
    const Bytes inMemory = StoreToBytes(write);
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    {
        CFile file(path, CFile::modeRead);
        ASSERT_EQ(file.GetLength(), inMemory.size());
        Bytes onDisk(inMemory.size());
        ASSERT_EQ(file.Read(onDisk.data(), static_cast<UINT>(onDisk.size())), onDisk.size());
        EXPECT_EQ(onDisk, inMemory);

        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CObjectArray<CTestRecord> read;
        read.Serialize(ar);
        CString choices;
        EXPECT_TRUE(ar.ReadString(choices));
        ASSERT_EQ(read.GetSize(), 2);
        EXPECT_EQ(read[0]->m_text.GetLength(), 300);
        EXPECT_EQ(choices, "0,1");
    }
    EXPECT_TRUE(::DeleteFileA(path));
}

}  // namespace
