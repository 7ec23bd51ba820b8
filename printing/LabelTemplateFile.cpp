#include "printing/LabelTemplateFile.h"

#include "framework/Archive.h"
#include "framework/Conversions.h"
#include "framework/ProgramFolder.h"

#include <exception>
#include <stdexcept>

namespace
{
// A record takes at least its class tag, the 164 bytes of its numbers and the
// length byte of its name; a count needing more than the file holds is damage.
constexpr UINT kMinTemplateBytes = 2 + 164 + 1;

// Far beyond any real template file; a larger one is not read into memory.
constexpr ULONGLONG kMaxFileBytes = 64ull * 1024 * 1024;

LabelTemplateFile::ReadResult Damaged(std::string problem)
{
    LabelTemplateFile::ReadResult result;
    result.status = LabelTemplateFile::ReadStatus::Damaged;
    result.problem = std::move(problem);
    return result;
}
}  // namespace

LabelTemplateList LabelTemplateList::Clone() const
{
    LabelTemplateList copy;
    copy.templates.reserve(templates.size());
    for (const auto& paper : templates)
        copy.templates.push_back(std::make_unique<CLabelDim>(*paper));
    copy.discTemplate = discTemplate;
    copy.jewelTemplate = jewelTemplate;
    return copy;
}

LabelTemplateList LabelTemplateList::BuiltIns()
{
    LabelTemplateList list;
    list.templates.push_back(std::make_unique<CLabelDim>(CLabelDim::GenericDiscLabels()));
    list.templates.push_back(std::make_unique<CLabelDim>(CLabelDim::PlainPaper()));
    list.discTemplate = 0;
    list.jewelTemplate = 1;
    return list;
}

int FirstTemplateOfKind(const std::vector<std::unique_ptr<CLabelDim>>& templates, int kind)
{
    for (size_t i = 0; i < templates.size(); ++i)
    {
        if (templates[i]->m_nType == kind)
            return static_cast<int>(i);
    }
    return -1;
}

namespace
{
bool ValidateChoice(std::vector<std::unique_ptr<CLabelDim>>& templates, int& choice, int kind)
{
    if (choice >= 0 && choice < static_cast<int>(templates.size()) &&
        templates[static_cast<size_t>(choice)]->m_nType == kind)
        return false;
    choice = FirstTemplateOfKind(templates, kind);
    if (choice < 0)
    {
        templates.push_back(std::make_unique<CLabelDim>(kind == CLabelDim::kDiscLabels ? CLabelDim::GenericDiscLabels()
                                                                                       : CLabelDim::PlainPaper()));
        choice = static_cast<int>(templates.size()) - 1;
    }
    return true;
}
}  // namespace

bool ValidateTemplateChoices(LabelTemplateList& list)
{
    const bool discChanged = ValidateChoice(list.templates, list.discTemplate, CLabelDim::kDiscLabels);
    const bool jewelChanged = ValidateChoice(list.templates, list.jewelTemplate, CLabelDim::kJewelCase);
    return discChanged || jewelChanged;
}

CString LabelTemplateFile::DefaultPath()
{
    return ProgramFolder() + "labels.ini";
}

std::vector<BYTE> LabelTemplateFile::ToBytes(const LabelTemplateList& list)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(list.templates.size());
        for (const auto& paper : list.templates)
            ar.WriteObject(paper.get());
        const CString choices = IntToStr(list.discTemplate) + "," + IntToStr(list.jewelTemplate);
        ar.WriteString(choices);
        ar.Close();
    }
    return file.Detach();
}

LabelTemplateFile::ReadResult LabelTemplateFile::FromBytes(const BYTE* data, size_t size)
{
    try
    {
        CMemFile file(data, size);
        ReadResult result;
        CString choices;
        {
            CArchive ar(&file, CArchive::load);
            const ULONGLONG count = ar.ReadCount(kMinTemplateBytes);
            for (ULONGLONG i = 0; i < count; ++i)
            {
                std::unique_ptr<CObject> object = ar.ReadNewObject(RUNTIME_CLASS(CLabelDim));
                auto* paper = dynamic_cast<CLabelDim*>(object.get());
                if (paper == nullptr)
                    return Damaged("an empty entry in the list");
                object.release();
                result.list.templates.emplace_back(paper);
            }
            // The choices run to the end of the file; without them both read as 0.
            ar.ReadString(choices);
            ar.Close();
        }
        const int comma = choices.Find(',');
        result.list.discTemplate = ParseLeadingInt(comma < 0 ? choices : choices.Left(comma));
        result.list.jewelTemplate = comma < 0 ? 0 : ParseLeadingInt(choices.Mid(comma + 1));
        result.status = ReadStatus::Read;
        return result;
    }
    catch (const std::exception& e)
    {
        return Damaged(e.what());
    }
}

LabelTemplateFile::ReadResult LabelTemplateFile::Read() const
{
    CFile file;
    if (!file.Open(m_path, CFile::modeRead | CFile::shareDenyWrite))
        return ReadResult{};
    try
    {
        const ULONGLONG length = file.GetLength();
        if (length > kMaxFileBytes)
            return Damaged("the file is too large");
        std::vector<BYTE> bytes(static_cast<size_t>(length));
        UINT got = 0;
        while (got < bytes.size())
        {
            const UINT n = file.Read(bytes.data() + got, static_cast<UINT>(bytes.size() - got));
            if (n == 0)
                break;
            got += n;
        }
        bytes.resize(got);
        return FromBytes(bytes.data(), bytes.size());
    }
    catch (const std::exception& e)
    {
        return Damaged(e.what());
    }
}

LabelTemplateFile::WriteStatus LabelTemplateFile::Write(const LabelTemplateList& list) const
{
    // The bytes are made first, so a failure while making them leaves the file as it was.
    std::vector<BYTE> bytes;
    try
    {
        bytes = ToBytes(list);
    }
    catch (const std::exception&)
    {
        return WriteStatus::WriteFailed;
    }
    CFile file;
    if (!file.Open(m_path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return WriteStatus::CannotCreate;
    try
    {
        if (!bytes.empty())
            file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Flush();
        file.Close();
        return WriteStatus::Written;
    }
    catch (const std::exception&)
    {
        return WriteStatus::WriteFailed;
    }
}
