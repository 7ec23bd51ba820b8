// The CD reader's ASPI way against a stand-in layer that answers the real
// request blocks, with the drive letters in registry keys the tests write
// (the Windows 9x layout, under a key of this test in HKEY_CURRENT_USER).

#include "AlbumDialogDriver.h"

#include "cdsource/CdSourceFixtures.h"

#include "album/AspiCdDevice.h"
#include "album/AspiRequest.h"
#include "album/CdDriveLetters.h"
#include "album/CdReader.h"
#include "app/Quorbel6App.h"
#include "framework/ErrorReport.h"
#include "framework/RegistryKey.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

using namespace album_test;

namespace {

// One SCSI device behind the stand-in layer.
struct StandInDevice
{
    BYTE adapter = 0;
    BYTE target = 0;
    BYTE lun = 0;
    BYTE type = aspi::kDeviceTypeCdRom;
    std::string inquiry;      // vendor (8) and product (16) identification
    bool answers = true;      // false: every request stays pending
    bool inquiryFails = false;
    std::vector<BYTE> toc;
};

struct SentRequest
{
    BYTE target;
    BYTE lun;
    BYTE operation;
};

// The ASPI layer as the tests script it. One at a time: the entry points are
// plain functions.
class StandInAspiLayer
{
public:
    StandInAspiLayer() { s_current = this; }
    ~StandInAspiLayer() { s_current = nullptr; }
    StandInAspiLayer(const StandInAspiLayer&) = delete;
    StandInAspiLayer& operator=(const StandInAspiLayer&) = delete;

    aspi::EntryPoints EntryPoints() const
    {
        aspi::EntryPoints points;
        points.getSupportInfo = &GetSupportInfo;
        points.sendCommand = &SendCommand;
        return points;
    }

    int adapters = 1;
    std::vector<StandInDevice> devices;
    bool honoursAbort = true;
    std::vector<SentRequest> sent;
    std::vector<void*> abortsAsked;
    aspi::ExecuteBlock* pending = nullptr;

private:
    StandInDevice* Find(BYTE adapter, BYTE target, BYTE lun)
    {
        for (StandInDevice& device : devices)
            if (device.adapter == adapter && device.target == target && device.lun == lun)
                return &device;
        return nullptr;
    }

    static DWORD __cdecl GetSupportInfo() { return static_cast<DWORD>(aspi::kStatusComplete) << 8 | s_current->adapters; }

    static DWORD __cdecl SendCommand(void* block) { return s_current->Answer(block); }

    DWORD Answer(void* block)
    {
        switch (static_cast<BYTE*>(block)[0]) {
        case aspi::kCommandAdapterInquiry: {
            auto* inquiry = static_cast<aspi::AdapterInquiryBlock*>(block);
            inquiry->status = inquiry->adapter < adapters ? aspi::kStatusComplete : 0x81;
            inquiry->adapterCount = static_cast<BYTE>(adapters);
            return inquiry->status;
        }
        case aspi::kCommandGetDeviceType: {
            auto* query = static_cast<aspi::DeviceTypeBlock*>(block);
            const StandInDevice* device = Find(query->adapter, query->target, query->lun);
            query->status = device ? aspi::kStatusComplete : 0x82;
            query->deviceType = device ? device->type : 0x1F;
            return query->status;
        }
        case aspi::kCommandExecute:
            return Execute(*static_cast<aspi::ExecuteBlock*>(block));
        case aspi::kCommandAbort: {
            auto* abort = static_cast<aspi::AbortBlock*>(block);
            abortsAsked.push_back(abort->toAbort);
            abort->status = aspi::kStatusComplete;
            if (honoursAbort && pending && abort->toAbort == pending) {
                pending->status = aspi::kStatusAborted;
                ::SetEvent(pending->completion);
                pending = nullptr;
            }
            return aspi::kStatusComplete;
        }
        default:
            return 0x80;
        }
    }

    DWORD Execute(aspi::ExecuteBlock& block)
    {
        EXPECT_EQ(block.flags, aspi::kFlagDataIn | aspi::kFlagEventNotify);
        EXPECT_EQ(block.senseLength, aspi::kSenseLength);
        sent.push_back({block.target, block.lun, block.cdb[0]});
        StandInDevice* device = Find(block.adapter, block.target, block.lun);
        if (device && !device->answers) {
            pending = &block;
            return aspi::kStatusPending;
        }
        bool good = device != nullptr;
        if (good && block.cdb[0] == 0x12) {
            EXPECT_EQ(block.cdbLength, 6);
            good = !device->inquiryFails;
            if (good) {
                std::memset(block.buffer, ' ', 36);
                std::memcpy(block.buffer + 8, device->inquiry.data(), std::min<size_t>(device->inquiry.size(), 24));
                std::memcpy(block.buffer + 32, "1.00", 4);
            }
        } else if (good && block.cdb[0] == 0x43) {
            good = (block.cdb[2] & 0x0F) == 0 && !device->toc.empty();
            if (good)
                std::memcpy(block.buffer, device->toc.data(), std::min<size_t>(device->toc.size(), block.bufferLength));
        }
        // Completed requests are said by the event, as the layer does.
        block.status = good ? aspi::kStatusComplete : 4;
        ::SetEvent(block.completion);
        return aspi::kStatusPending;
    }

    static inline StandInAspiLayer* s_current = nullptr;
};

// A Windows 9x registry in miniature: devices present under "Dyn\Config
// Manager\Enum", their hardware keys under "Machine\Enum".
class Win9xRegistry
{
public:
    Win9xRegistry()
        : m_root("Software\\SleevoryTests\\Aspi_" + std::to_string(::GetCurrentProcessId()) + "_" +
                 std::to_string(++s_made))
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_root.c_str());
    }
    ~Win9xRegistry() { ::RegDeleteTreeA(HKEY_CURRENT_USER, m_root.c_str()); }
    Win9xRegistry(const Win9xRegistry&) = delete;
    Win9xRegistry& operator=(const Win9xRegistry&) = delete;

    CdRegistryPlaces Places() const
    {
        return CdRegistryPlaces{HKEY_CURRENT_USER, (m_root + "\\Dyn\\Config Manager\\Enum").c_str(),
                                HKEY_CURRENT_USER, (m_root + "\\Machine\\Enum").c_str()};
    }

    // The list of present devices, empty.
    void CreateEnumeration() const { CreateKey("\\Dyn\\Config Manager\\Enum"); }

    // A present device whose hardware key is `hardwareKey`; `type` as Windows
    // 9x keeps it (one binary byte); an empty letter leaves the value out.
    void AddDevice(const std::string& hardwareKey, BYTE type, const char* letter, const char* target, const char* lun,
                   const char* description) const
    {
        // Numbered so that the keys enumerate in the order they were added.
        char name[16];
        std::snprintf(name, sizeof name, "C%03d", ++m_devices);
        const std::string present = std::string("\\Dyn\\Config Manager\\Enum\\") + name;
        CRegistryKey listed = CreateKey(present);
        listed.WriteString("HardWareKey", hardwareKey.c_str());
        CRegistryKey hardware = CreateKey("\\Machine\\Enum\\" + hardwareKey);
        hardware.WriteBinary("DeviceType", &type, 1);
        if (*letter)
            hardware.WriteString("CurrentDriveLetterAssignment", letter);
        hardware.WriteString("SCSITargetID", target);
        hardware.WriteString("SCSILUN", lun);
        hardware.WriteString("DeviceDesc", description);
    }

private:
    CRegistryKey CreateKey(const std::string& path) const
    {
        CRegistryKey key;
        EXPECT_TRUE(key.Create(HKEY_CURRENT_USER, (m_root + path).c_str(), KEY_ALL_ACCESS)) << path;
        return key;
    }

    static inline int s_made = 0;
    std::string m_root;
    mutable int m_devices = 0;
};

StandInDevice CdDrive(BYTE target, BYTE lun, const char* inquiry, BYTE adapter = 0)
{
    StandInDevice device;
    device.adapter = adapter;
    device.target = target;
    device.lun = lun;
    device.inquiry = inquiry;
    return device;
}

std::vector<CString> Letters(std::initializer_list<const char*> letters)
{
    return std::vector<CString>(letters.begin(), letters.end());
}

AspiDriveSources SourcesWith(const Win9xRegistry& registry, std::vector<CString> cdRomLetters,
                             DWORD timeoutMs = kAspiRequestTimeoutMs)
{
    AspiDriveSources sources;
    sources.registry = registry.Places();
    sources.cdRomLetters = [cdRomLetters] { return cdRomLetters; };
    sources.requestTimeoutMs = timeoutMs;
    return sources;
}

// "letter=adapter/target/lun" for each drive in the order the reader numbers them.
std::string DriveList(const std::vector<CdDriveRecord>& drives)
{
    std::string list;
    for (const CdDriveRecord& drive : drives) {
        if (!list.empty())
            list += ' ';
        list += std::string(drive.m_strLetter.c_str()) + "=" + std::to_string(drive.m_nAdapter) + "/" +
                std::to_string(drive.m_nTarget) + "/" + std::to_string(drive.m_nLun);
    }
    return list;
}

class AspiDrivesTest : public ::testing::Test
{
protected:
    ScopedErrorReportHook m_noReports{[](const ErrorReport& report) { ADD_FAILURE() << report.Text(); }};
    // Holds what the program's message box shows.
    CQuorbel6App m_app;
    StandInAspiLayer m_layer;
    Win9xRegistry m_registry;
};

}  // namespace

// Each case: the drives behind the layer, the registry's devices, the letters
// the system calls CD drives, and the drives the reader ends with.
TEST_F(AspiDrivesTest, DrivesGetTheirLettersFromTheRegistryThenFromTheCdLetters)
{
    struct RegistryDevice
    {
        const char* letter;
        const char* target;
        const char* lun;
        const char* description;
        BYTE type = aspi::kDeviceTypeCdRom;
        const char* hardwareKey = "SCSI\\CDROM";
    };
    struct Case
    {
        const char* what;
        std::vector<StandInDevice> drives;
        std::vector<RegistryDevice> registry;
        std::vector<CString> cdRomLetters;
        const char* expected;
    };
    const Case cases[] = {
        {"by name and address, the name found inside the description",
         {CdDrive(2, 0, "TOSHIBA CD-ROM XM-6102B "), CdDrive(4, 0, "PLEXTOR CD-R   PX-W4012A")},
         {{"F", "4", "0", "PLEXTOR CD-R PX-W4012A"}, {"E", "2", "0", "TOSHIBA CD-ROM XM-6102B SCSI CdRom Device"}},
         Letters({"E:", "F:"}),
         "E:=0/2/0 F:=0/4/0"},
        {"the name match wins over an earlier entry at the same address",
         {CdDrive(3, 0, "NEC     CD-ROM DRIVE:466")},
         {{"G", "3", "0", "Some Other Drive"}, {"H", "3", "0", "NEC CD-ROM DRIVE:466"}},
         Letters({"G:", "H:"}),
         "H:=0/3/0"},
        {"a description held inside the name matches too, and case counts",
         {CdDrive(1, 0, "SONY    CD-ROM CDU-76S  "), CdDrive(5, 0, "sony    cd-rom cdu-76s  ")},
         {{"L", "5", "0", "Unknown device"}, {"K", "5", "0", "SONYCD-ROM"}, {"J", "1", "0", "SONYCD-ROM"}},
         Letters({}),
         "J:=0/1/0 L:=0/5/0"},
        {"by address alone, each entry once",
         {CdDrive(2, 0, "TEAC    CD-532S         "), CdDrive(2, 0, "TEAC    CD-532S         ", 1)},
         {{"E", "2", "0", "Unnamed device"}},
         Letters({"D:", "E:"}),
         "D:=1/2/0 E:=0/2/0"},
        {"the CD letters in order, less those already held; sorted by letter",
         {CdDrive(6, 1, "MATSHITA CR-585         "), CdDrive(0, 0, "HITACHI CDR-8435        "),
          CdDrive(4, 0, "PIONEER DVD-ROM DVD-303 ")},
         {{"E", "4", "0", "PIONEER DVD-ROM DVD-303"}},
         Letters({"D:", "E:", "Z:"}),
         "D:=0/0/0 E:=0/4/0 Z:=0/6/1"},
        {"only CD-ROM devices with SCSI hardware keys count",
         {CdDrive(2, 0, "TOSHIBA CD-ROM XM-6102B "), CdDrive(3, 0, "TOSHIBA CD-ROM XM-6102B ")},
         {{"Q", "2", "0", "TOSHIBA CD-ROM XM-6102B", 1}, {"R", "3", "0", "TOSHIBA CD-ROM XM-6102B", 5, "ESDI\\CD"}},
         Letters({"D:", "E:"}),
         "D:=0/2/0 E:=0/3/0"},
        {"a device without a letter in the registry gives none",
         {CdDrive(2, 0, "TOSHIBA CD-ROM XM-6102B ")},
         {{"", "2", "0", "TOSHIBA CD-ROM XM-6102B"}},
         Letters({"M:"}),
         "M:=0/2/0"},
        // Two passes of the blank replacement leave two of five blanks.
        {"too few letters: every drive shows its name, double blanks made single twice",
         {CdDrive(2, 0, "TOSHIBA  CD-ROM   XM6102"), CdDrive(3, 0, "NEC     CD-ROM DRIVE:466")},
         {{"E", "2", "0", "TOSHIBA CD-ROM XM6102"}},
         Letters({"E:"}),
         "NEC  CD-ROM DRIVE:466=0/3/0 TOSHIBA CD-ROM XM6102=0/2/0"},
    };
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Win9xRegistry registry;
        registry.CreateEnumeration();
        for (const RegistryDevice& device : c.registry)
            registry.AddDevice(std::string(device.hardwareKey) + "\\R" + std::to_string(++round), device.type,
                               device.letter, device.target, device.lun, device.description);
        m_layer.devices = c.drives;
        m_layer.adapters = 2;
        CAspiCdProvider provider(m_layer.EntryPoints(), SourcesWith(registry, c.cdRomLetters));
        const std::vector<CString> names = provider.ListDrives();
        EXPECT_EQ(DriveList(provider.Drives()), c.expected);
        ASSERT_EQ(names.size(), provider.Drives().size());
        for (size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(names[i], provider.Drives()[i].m_strLetter);
    }
}

TEST_F(AspiDrivesTest, TheNameIsTheInquiryTextAndAFailedInquiryGivesOneByte)
{
    m_registry.CreateEnumeration();
    StandInDevice failing = CdDrive(1, 0, "");
    failing.inquiryFails = true;
    StandInDevice tape = CdDrive(0, 0, "HP      C1533A          ");
    tape.type = 1;
    m_layer.devices = {CdDrive(2, 0, "TOSHIBA CD-ROM XM-6102B "), failing, tape};
    CAspiCdProvider provider(m_layer.EntryPoints(), SourcesWith(m_registry, Letters({"D:", "E:"})));
    provider.ListDrives();
    ASSERT_EQ(provider.Drives().size(), 2u) << "the tape drive is no CD drive";
    // Found in address order, so the failing one (target 1) took D:.
    EXPECT_EQ(DriveList(provider.Drives()), "D:=0/1/0 E:=0/2/0");
    EXPECT_EQ(provider.Drives()[0].m_strName, CString(static_cast<char>(0xFF), 1));
    EXPECT_EQ(provider.Drives()[1].m_strName, "TOSHIBA CD-ROM XM-6102B ");
    EXPECT_EQ(provider.Drives()[1].m_strCompactName, "TOSHIBACD-ROMXM-6102B");
    // INQUIRY with the LUN in the second byte, to every CD drive and only to them.
    int inquiries = 0;
    for (const SentRequest& request : m_layer.sent)
        inquiries += request.operation == 0x12 ? 1 : 0;
    EXPECT_EQ(inquiries, 2);
}

// The whole way: the reader on the ASPI layer reads the TOC of the drive the
// registry calls E:, even though the layer found it second.
TEST_F(AspiDrivesTest, TheReaderReadsTheDiscOfTheDriveByItsLetter)
{
    m_registry.CreateEnumeration();
    m_registry.AddDevice("SCSI\\CDROM\\E", aspi::kDeviceTypeCdRom, "E", "5", "0", "PLEXTOR CD-ROM PX-40TS");
    m_registry.AddDevice("SCSI\\CDROM\\F", aspi::kDeviceTypeCdRom, "F", "1", "0", "NEC CD-ROM DRIVE:466");
    StandInDevice plextor = CdDrive(5, 0, "PLEXTOR CD-ROM PX-40TS  ");
    plextor.toc = MakeTocReply(1, {150}, 210 * 75 + 15);
    m_layer.devices = {CdDrive(1, 0, "NEC     CD-ROM DRIVE:466"), plextor};

    CCdReader reader(std::make_unique<CAspiCdProvider>(m_layer.EntryPoints(), SourcesWith(m_registry, {})));
    ASSERT_TRUE(reader.Init());
    ASSERT_EQ(reader.GetDriveCount(), 2);
    EXPECT_EQ(reader.GetDriveName(0), "E:");
    EXPECT_EQ(reader.GetDriveName(1), "F:");
    m_layer.sent.clear();
    std::array<BYTE, kTocBufferSize> toc{};
    ASSERT_EQ(reader.ReadDisc(0, toc.data(), false, nullptr), 1);
    EXPECT_EQ(std::string(reader.GetCddbQuery(toc.data()).c_str()), "cddb+query+0200d001+1+150+210");
    ASSERT_FALSE(m_layer.sent.empty());
    for (const SentRequest& request : m_layer.sent)
        EXPECT_EQ(request.target, 5) << "every request goes to the drive called E:";
    EXPECT_EQ(m_layer.sent.front().operation, 0x4B) << "audio play is paused first";
}

// No list of present devices: the user is told in the program's message box
// and presses its OK; the drives then take the CD letters in order, or show
// their names when there are too few.
TEST_F(AspiDrivesTest, AMissingRegistryKeyIsSaidAndTheCdLettersAreUsed)
{
    m_layer.devices = {CdDrive(3, 0, "TEAC    CD-532S         "), CdDrive(1, 0, "NEC     CD-ROM DRIVE:466")};
    const struct
    {
        std::vector<CString> cdRomLetters;
        const char* expected;
    } cases[] = {{Letters({"D:", "G:"}), "D:=0/1/0 G:=0/3/0"},
                 {Letters({"D:"}), "NEC  CD-ROM DRIVE:466=0/1/0 TEAC CD-532S=0/3/0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        std::string said;
        CAspiCdProvider provider(m_layer.EntryPoints(), SourcesWith(m_registry, c.cdRomLetters));
        {
            ModalScript script({{"press OK on the message",
                                 [] { return FindDialogWith(IDC_MESSAGE_TEXT) != nullptr; },
                                 [&said] {
                                     HWND box = FindDialogWith(IDC_MESSAGE_TEXT);
                                     said = WindowText(::GetDlgItem(box, IDC_MESSAGE_TEXT));
                                     ::SendMessageA(::GetDlgItem(box, IDC_MESSAGE_BUTTON1), BM_CLICK, 0, 0);
                                 }}},
                               std::chrono::seconds(30));
            provider.ListDrives();
        }
        EXPECT_EQ(said, "Error getting drive letters, the registry may be corrupt.");
        EXPECT_EQ(m_app.m_nMessageIcon, 1);
        EXPECT_EQ(std::string(m_app.m_strMessageButtons.c_str()), "OK`");
        EXPECT_EQ(DriveList(provider.Drives()), c.expected);
    }
}

// A drive that never answers: after the time limit the request is aborted.
// A layer that completes the abort lets the request go; one that does not
// may still write into it later, so the request is kept, and the caller's
// buffer is never written.
TEST_F(AspiDrivesTest, ARequestNotAnsweredInTimeIsAbortedAndNeverFreedUnderTheLayer)
{
    for (const bool honoursAbort : {true, false}) {
        SCOPED_TRACE(honoursAbort ? "the layer aborts it" : "the layer ignores the abort");
        m_layer.honoursAbort = honoursAbort;
        m_layer.pending = nullptr;
        m_layer.abortsAsked.clear();
        StandInDevice hung = CdDrive(2, 0, "TOSHIBA CD-ROM XM-6102B ");
        hung.answers = false;
        m_layer.devices = {hung};
        const size_t keptBefore = AspiRequestsKeptForTheLayer();

        const BYTE readToc[10] = {0x43, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x24, 0x00};
        std::array<BYTE, kTocBufferSize> toc;
        toc.fill(0x5A);
        EXPECT_FALSE(ExecuteAspiCommand(m_layer.EntryPoints(), AspiAddress{0, 2, 0}, readToc, sizeof readToc,
                                        toc.data(), static_cast<DWORD>(toc.size()), 100));
        ASSERT_EQ(m_layer.abortsAsked.size(), 1u);
        EXPECT_EQ(toc[0], 0x5A) << "a request that failed leaves the buffer alone";

        if (honoursAbort) {
            EXPECT_EQ(AspiRequestsKeptForTheLayer(), keptBefore);
            continue;
        }
        EXPECT_EQ(AspiRequestsKeptForTheLayer(), keptBefore + 1);
        // The layer finishes late: the block, its data area and its event
        // are still the request's own.
        aspi::ExecuteBlock* late = m_layer.pending;
        ASSERT_EQ(static_cast<void*>(late), m_layer.abortsAsked[0]);
        EXPECT_EQ(late->command, aspi::kCommandExecute);
        EXPECT_EQ(late->bufferLength, kTocBufferSize);
        std::memset(late->buffer, 0x11, late->bufferLength);
        late->status = aspi::kStatusComplete;
        EXPECT_TRUE(::SetEvent(late->completion)) << "the completion event is still open";
        EXPECT_EQ(toc[0], 0x5A);
    }
}

// Through the reader: the hung drive's read fails and says so by -1.
TEST_F(AspiDrivesTest, TheReaderReportsAHungDriveAsNotRead)
{
    m_registry.CreateEnumeration();
    StandInDevice hung = CdDrive(2, 0, "TOSHIBA CD-ROM XM-6102B ");
    m_layer.devices = {hung};
    CCdReader reader(std::make_unique<CAspiCdProvider>(m_layer.EntryPoints(),
                                                       SourcesWith(m_registry, Letters({"E:"}), 100)));
    ASSERT_TRUE(reader.Init());
    m_layer.devices[0].answers = false;
    std::array<BYTE, kTocBufferSize> toc{};
    EXPECT_EQ(reader.ReadDisc(0, toc.data(), true, nullptr), -1);
    EXPECT_EQ(toc[2], 0) << "no disc";
    EXPECT_GE(m_layer.abortsAsked.size(), 1u);
}

TEST(CdDriveNames, CompactNamesLoseEveryBlank)
{
    EXPECT_EQ(CompactName("  TOSHIBA CD-ROM  XM-6102B  "), "TOSHIBACD-ROMXM-6102B");
    EXPECT_EQ(CompactName("\tNEC\t"), "NEC");
    EXPECT_TRUE(CompactName("   ").IsEmpty());
}

TEST(CdDriveSorting, ByTheFirstCharacterOfTheLetterKeepingTheOrderOfEquals)
{
    std::vector<CdDriveRecord> drives(4);
    const char* letters[] = {"F:", "D:", "F:", "E:"};
    for (size_t i = 0; i < drives.size(); ++i) {
        drives[i].m_strLetter = letters[i];
        drives[i].m_nTarget = static_cast<BYTE>(i);
    }
    SortDrives(drives);
    EXPECT_EQ(DriveList(drives), "D:=0/1/0 E:=0/3/0 F:=0/0/0 F:=0/2/0");
}
