#include "view/Quorbel6View.h"

#include "framework/Conversions.h"
#include "framework/ProgramFolder.h"
#include "framework/Archive.h"
#include "framework/ErrorReport.h"
#include "framework/File.h"

#include <stdexcept>

namespace
{
// A template record takes at least its class tag, the 164 bytes of its numbers
// and the length byte of its name.
constexpr UINT kMinTemplateBytes = 2 + 164 + 1;

CString LabelTemplateFilePath()
{
    return ProgramFolder() + "labels.ini";
}

// The first template of that kind in the list, or -1.
int FirstTemplateOfKind(const std::vector<std::unique_ptr<CLabelDim>>& list, int kind)
{
    for (size_t i = 0; i < list.size(); ++i)
    {
        if (list[i]->m_nType == kind)
            return static_cast<int>(i);
    }
    return -1;
}

// Keeps a choice that names a template of its kind; otherwise the first
// template of that kind, adding the built-in paper when the list has none.
int ValidTemplateChoice(std::vector<std::unique_ptr<CLabelDim>>& list, int choice, int kind)
{
    if (choice >= 0 && choice < static_cast<int>(list.size()) && list[static_cast<size_t>(choice)]->m_nType == kind)
        return choice;
    const int first = FirstTemplateOfKind(list, kind);
    if (first >= 0)
        return first;
    list.push_back(std::make_unique<CLabelDim>(kind == CLabelDim::kDiscLabels ? CLabelDim::GenericDiscLabels()
                                                                              : CLabelDim::PlainPaper()));
    return static_cast<int>(list.size()) - 1;
}
}  // namespace

void CQuorbel6View::LoadLabelTemplates()
{
    if (!ReadLabelTemplateFile())
    {
        m_labelTemplates.clear();
        m_labelTemplates.push_back(std::make_unique<CLabelDim>(CLabelDim::GenericDiscLabels()));
        m_labelTemplates.push_back(std::make_unique<CLabelDim>(CLabelDim::PlainPaper()));
        m_nDiscTemplate = 0;
        m_nJewelTemplate = 1;
    }
}

bool CQuorbel6View::ReadLabelTemplateFile()
{
    CFile file;
    if (!file.Open(LabelTemplateFilePath(), CFile::modeRead | CFile::shareDenyWrite))
        return false;

    return Guarded(557, ErrorSink::Window(this), false, [&] {
        std::vector<std::unique_ptr<CLabelDim>> list;
        CString choices;
        {
            CArchive ar(&file, CArchive::load);
            const ULONGLONG count = ar.ReadCount(kMinTemplateBytes);
            for (ULONGLONG i = 0; i < count; ++i)
            {
                std::unique_ptr<CObject> object = ar.ReadNewObject(RUNTIME_CLASS(CLabelDim));
                auto* paper = dynamic_cast<CLabelDim*>(object.get());
                if (paper == nullptr)
                    throw std::runtime_error("empty entry in the label-paper list");
                list.emplace_back(paper);
                object.release();
            }
            // The choices are plain text after the list; a file without them
            // chooses the first template of each kind.
            ar.ReadString(choices);
            ar.Close();
        }

        // "disc,jewel"; a part without digits reads as 0.
        const int comma = choices.Find(',');
        const int disc = ParseLeadingInt(comma < 0 ? choices : choices.Left(comma));
        const int jewel = comma < 0 ? 0 : ParseLeadingInt(choices.Mid(comma + 1));

        // The rest of the program needs both choices to name a paper of their kind.
        const int discChoice = ValidTemplateChoice(list, disc, CLabelDim::kDiscLabels);
        const int jewelChoice = ValidTemplateChoice(list, jewel, CLabelDim::kJewelCase);

        m_labelTemplates = std::move(list);
        m_nDiscTemplate = discChoice;
        m_nJewelTemplate = jewelChoice;
        return true;
    });
}
