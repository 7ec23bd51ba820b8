// Fuzzes the document reader: the bytes of a label file through the archive
// into records and a label model, then every walk the program makes over a
// model it has read: the rows of each object, its typed values, its text and
// track list, its image blocks written back and read again, the layout
// geometry at every zoom and the hit test over the sheet. A file the program
// would refuse may throw; a file it accepts must give a model whose walks stay
// inside it (the sanitizers see every overrun).
#include "document/DocumentFileReader.h"
#include "framework/Archive.h"
#include "framework/File.h"
#include "imaging/BmpImage.h"
#include "imaging/ImageCodecs.h"
#include "label/HitTest.h"
#include "label/LabelGeometry.h"
#include "label/LabelModel.h"
#include "label/TextFields.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// The zooms the view offers run from 6 to 100 tenths; the walk takes a few.
constexpr int kZooms[] = {6, 12, 22, 50, 100};
constexpr int kScreenDpi = 96;
const char* const kPages[] = {"1", "2", "3"};
const char* const kLengthKeys[] = {"Left", "Top", "Width", "Height"};

void WalkObject(const CLabelModel& label, int first, int end)
{
    const CString& name = label.Row(first).m_strObjectName;
    Check(label.FindObjectRow(name) >= 0, "an object's first row is found by its name");
    for (int row = first; row < end; ++row) {
        const PropertyEntry& entry = label.Row(row);
        const int found = label.FindPropertyRow(name, entry.m_strKey);
        Check(found >= -1 && found < label.RowCount(), "a property row lies in the rows");
        (void)label.GetPropertyValue(name, entry.m_strKey);
        (void)LabelRows::ReadLength(entry.m_strValue);
        (void)LabelRows::ReadImageNumber(entry.m_strValue);
    }
    (void)label.SurfaceOf(name);
    (void)label.IsYes(name, "Visible");
    for (const char* key : kLengthKeys) {
        const int length = label.LengthOf(name, key);
        for (const int zoom : kZooms)
            (void)LabelGeometry::PixelsToLength(LabelGeometry::LengthToPixels(length, kScreenDpi, zoom), kScreenDpi,
                                                zoom);
    }
    const CString itemType = label.GetPropertyValue(name, "Item Type");
    if (itemType == "Text" || itemType == "Track") {
        const ObjectStyle& style = label.StyleOf(name);
        Check(style.font.lfFaceName[LF_FACESIZE - 1] == '\0', "a face name ends in the font");
        if (const TextEntry* text = label.FindTextOfObject(name)) {
            (void)TextLayout::SplitTextLines(text->m_strValue);
            (void)TextLayout::ParseTrackList(text->m_strValue);
        }
        (void)TextLayout::CacheLines(label.GetPropertyValue(name, "Vector Data"));
        (void)TextLayout::ReadCacheLines(label.GetPropertyValue(name, "Vector Data"));
    }
    (void)label.UniqueObjectName(name);
}

void WalkRows(const CLabelModel& label)
{
    int objects = 0;
    for (int first = 0; first < label.RowCount(); ++objects) {
        const int next = label.NextObjectRow(first);
        Check(next > first && next <= label.RowCount(), "the walk over objects moves forward inside the rows");
        WalkObject(label, first, next);
        first = next;
    }
    Check(objects <= label.RowCount(), "no more objects than rows");
}

void WalkTexts(const CLabelModel& label)
{
    for (const TextEntry& text : label.Texts()) {
        Check(text.m_strValue.Find('`') < 0 || text.m_strItemType == "Track", "only a track list keeps backticks");
        Check(label.FindTextRow(text.m_strName) >= 0, "a text row is found by its name");
        (void)TextLayout::SplitTextLines(text.m_strValue);
        const std::vector<TextLayout::Track> tracks = TextLayout::ParseTrackList(text.m_strValue);
        if (text.m_strItemType == "Track")
            Check(TextLayout::BuildTrackList(tracks) == text.m_strValue, "a track list reads back as stored");
    }
    (void)label.UniqueTextName("Text");
}

// Writes every image block and reads the blocks back: the images must come
// back as many as they went.
void WalkImages(const CLabelModel& label)
{
    CLabelModel copy;
    for (int i = 0; i < label.ImageCount(); ++i) {
        (void)label.Image(i);
        (void)label.RefersToImage(i);
    }
    CMemFile file;
    try {
        CArchive out(&file, CArchive::store);
        for (int i = 0; i < label.ImageCount(); ++i)
            const_cast<CLabelModel&>(label).SerializeImageData(out, i);
        out.Close();
    } catch (const std::exception&) {
        // A picture that can be written neither way fails the save; the
        // program reports it and keeps the label.
        return;
    }
    file.SeekToBegin();
    CArchive in(&file, CArchive::load);
    for (int i = 0; i < label.ImageCount(); ++i)
        copy.SerializeImageData(in, i);
    Check(copy.ImageCount() == label.ImageCount(), "every image block reads back");
}

void WalkGeometry(const CLabelModel& label)
{
    for (const int zoom : kZooms)
        (void)LabelGeometry::ScaleGeometry(label.Geometry(), kScreenDpi, zoom);
    for (const char* page : kPages) {
        for (const int row : LabelGeometry::ImageDrawOrder(label.Rows(), page))
            Check(row >= 0 && row < label.RowCount(), "a drawn image is a row of the label");
        (void)label.Placement().PageOf(SurfaceFromName(label.Shown().surface));
    }
    // A press at a few points of the sheet, on each page.
    const SurfaceGeometry& geometry = label.Geometry();
    const DiscGeometry* discs[] = {&geometry.disc1, &geometry.disc2};
    std::vector<HitTest::DiscRing> rings;
    for (int i = 0; i < 2; ++i) {
        HitTest::DiscRing ring;
        ring.name = i == 0 ? "Disc 1" : "Disc 2";
        ring.onPage = true;
        const int left = discs[i]->left, top = discs[i]->top, outer = discs[i]->outerDiameter;
        ring.outer = RECT{left / 10, top / 10, (left + outer) / 10, (top + outer) / 10};
        ring.inner = RECT{left / 10, top / 10, left / 10 + 1, top / 10 + 1};
        ring.outerDiameter = outer;
        rings.push_back(ring);
    }
    for (const char* page : kPages)
        for (int y = 0; y <= 11000; y += 5500)
            for (int x = 0; x <= 8500; x += 4250) {
                HitTest::Probe probe;
                probe.screen = POINT{x / 10, y / 10};
                probe.label = POINT{x, y};
                probe.paper = SIZE{8500, 11000};
                probe.page = page;
                const HitTest::Hit hit = HitTest::BestHit(label.Rows(), rings, probe, {});
                // The hit test looks at every row; an object hidden from the
                // walk by a damaged rows-after count can still be hit.
                Check(hit.name.IsEmpty() || hit.name.Left(4) == "Disc" || hit.name.Left(4) == "Page" ||
                          std::any_of(label.Rows().begin(), label.Rows().end(),
                                      [&](const PropertyEntry& row) { return row.m_strObjectName == hit.name; }),
                      "a hit names an object of the label");
                (void)HitTest::AllHits(label.Rows(), rings, probe);
            }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Pictures in BMP form decode (and are encoded again on writing); the
    // other formats are kept as their bytes, as blocks that don't decode are.
    SetImageCodec(kImageFormatBmp, ImageCodec{CBmpImage::Decode, CBmpImage::Encode});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CObjectArray<CProperty> properties;
    CObjectArray<CText> texts;
    CVariables variables;
    const DocumentRecords records{properties, texts, variables};
    CLabelModel images;
    int version = 0;
    try {
        CMemFile file(data, size);
        CArchive ar(&file, CArchive::load);
        version = DocumentFileReader::ReadRecords(ar, records, images);
    } catch (...) {
        // A file the reader refuses: "Error opening file." and the label kept.
        return 0;
    }
    if (version > CText::kCurrentVersion)
        return 0;

    CLabelModel label;
    label.SetUndoRecording(false);
    try {
        DocumentFileReader::FillLabel(label, records, version, images);
    } catch (...) {
        // The program gives an empty layout instead.
        return 0;
    }
    Check(label.Shown().zoom >= 6 && label.Shown().zoom <= 100, "a zoom the view offers");
    Check(label.Shown().page == "1" || label.Shown().page == "2" || label.Shown().page == "3", "a page shown");
    WalkRows(label);
    WalkTexts(label);
    WalkImages(label);
    WalkGeometry(label);
    return 0;
}
