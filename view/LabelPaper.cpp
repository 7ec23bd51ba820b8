// The label-paper store: loading and saving "labels.ini", and turning an older
// document's paper geometry into templates.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "framework/RegistryKey.h"
#include "framework/SettingsKey.h"
#include "printing/ConvertedLabelPaper.h"
#include "printing/LabelTemplateFile.h"
#include "shell/AppMessageDlg.h"

LabelTemplateList CQuorbel6View::CopyLabelTemplates() const
{
    LabelTemplateList list;
    for (const auto& paper : m_labelTemplates)
        list.templates.push_back(std::make_unique<CLabelDim>(*paper));
    list.discTemplate = m_nDiscTemplate;
    list.jewelTemplate = m_nJewelTemplate;
    return list;
}

void CQuorbel6View::TakeLabelTemplates(LabelTemplateList list)
{
    m_labelTemplates = std::move(list.templates);
    m_nDiscTemplate = list.discTemplate;
    m_nJewelTemplate = list.jewelTemplate;
}

void CQuorbel6View::LoadLabelTemplates()
{
    const LabelTemplateFile file(LabelTemplateFile::DefaultPath());
    LabelTemplateFile::ReadResult read = file.Read();
    switch (read.status)
    {
    case LabelTemplateFile::ReadStatus::Read:
        // Choices of a hand-edited file may name nothing or a paper of the
        // wrong kind; the layout must never see them. The file stays as it is.
        ValidateTemplateChoices(read.list);
        TakeLabelTemplates(std::move(read.list));
        m_bLabelFileDamaged = false;
        return;
    case LabelTemplateFile::ReadStatus::Missing:
        TakeLabelTemplates(LabelTemplateList::BuiltIns());
        m_bLabelFileDamaged = false;
        SaveLabelTemplates();
        return;
    case LabelTemplateFile::ReadStatus::Damaged:
        // Told once; the damaged file is kept in case the user wants to mend
        // it, and is only replaced when the user saves a change.
        ReportError(ErrorReport{557, std::nullopt, false, GetSafeHwnd(), {}});
        TakeLabelTemplates(LabelTemplateList::BuiltIns());
        m_bLabelFileDamaged = true;
        return;
    }
}

BOOL CQuorbel6View::SaveLabelTemplates()
{
    const LabelTemplateFile file(LabelTemplateFile::DefaultPath());
    switch (file.Write(CopyLabelTemplates()))
    {
    case LabelTemplateFile::WriteStatus::Written:
        m_bLabelFileDamaged = false;
        return TRUE;
    case LabelTemplateFile::WriteStatus::CannotCreate:
        CAppMessageDlg::Show("Error creating the template file.", CAppMessageDlg::kIconStop, "OK`");
        return FALSE;
    case LabelTemplateFile::WriteStatus::WriteFailed:
        break;
    }
    ReportError(ErrorReport{558, std::nullopt, false, GetSafeHwnd(), {}});
    return FALSE;
}

void CQuorbel6View::ResetDefaultTemplates()
{
    Guarded(560, ErrorSink::Window(this), [&] {
        CRegistryKey key;
        if (OpenSettingsKeyForWriting(key))
        {
            for (const char* name : kFormerLabelPaperSettings)
                ::RegDeleteValueA(key.Handle(), name);  // a value that isn't there is skipped
            key.Close();
        }

        const CLabelModel& model = Model();
        const PageSheets sheets = ReadPageSheets(model);
        m_labelTemplates.push_back(std::make_unique<CLabelDim>(ConvertedDiscPaper(sheets, model.Placement())));
        m_nDiscTemplate = static_cast<int>(m_labelTemplates.size()) - 1;
        m_labelTemplates.push_back(std::make_unique<CLabelDim>(ConvertedJewelPaper(sheets, model.Placement())));
        m_nJewelTemplate = static_cast<int>(m_labelTemplates.size()) - 1;

        // A damaged file is not replaced behind the user's back; the converted
        // papers reach it with the next change the user saves.
        if (!m_bLabelFileDamaged)
            SaveLabelTemplates();
    });
}
