// Documents opened by the running program: the one named on its command line.
#include "app/Quorbel6App.h"
#include "document/Quorbel6Doc.h"
#include "view/Quorbel6View.h"

#include "RunningApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A scratch folder for the test's documents, removed with what it holds.
class ScratchFolder
{
public:
    explicit ScratchFolder(const char* name)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + name + "_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((m_path + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileA((m_path + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string PathOf(const char* name) const { return m_path + name; }

private:
    std::string m_path;
};

CQuorbel6Doc* DocumentOf(CQuorbel6View& view)
{
    return dynamic_cast<CQuorbel6Doc*>(view.GetDocument());
}

// Saves the running program's label under a path of its own.
bool SaveLabel(CQuorbel6View& view, const std::string& path)
{
    CQuorbel6Doc* doc = DocumentOf(view);
    if (!doc)
        return false;
    doc->SetPathName(path.c_str(), FALSE);
    return doc->SaveDocumentFile() != FALSE;
}

}  // namespace

TEST(OpenedDocument, CommandLineDocumentKeepsItsStoredZoomAndSurface)
{
    ScratchFolder folder("SleevoryCommandLine");
    const std::string path = folder.PathOf("stored view.slv");
    int fittedZoom = 0;
    int storedZoom = 0;
    {
        // A label saved showing its back cover at a zoom fitting would not choose.
        RunningApp program;
        CQuorbel6View* view = program.RunToLabel();
        ASSERT_NE(view, nullptr);
        view->OnViewBackCover();
        fittedZoom = view->m_nZoom;
        storedZoom = fittedZoom > 10 ? fittedZoom - 4 : fittedZoom + 4;
        view->m_nZoom = storedZoom;
        ASSERT_TRUE(SaveLabel(*view, path));
    }

    RunningApp program(("\"" + path + "\"").c_str());
    CQuorbel6View* view = program.RunToLabel();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(DocumentOf(*view)->GetTitle(), "stored view.slv") << "the command line's document was opened";
    EXPECT_EQ(view->m_nZoom, storedZoom);
    EXPECT_EQ(view->m_strSurface, "Back Cover");
    EXPECT_EQ(view->m_strPage, "3");
    EXPECT_TRUE(view->m_bGeometryReady);
    EXPECT_EQ(view->m_sizePaperScreen.cx, view->DocToScreenLength(view->m_sizePaper.cx)) << "scaled for that zoom";

    // The stored surface is in view: its centre lies in the client area.
    const BackCoverGeometry& back = view->m_geometry.back;
    POINT centre = view->DocToScreenPoint(POINT{back.left + back.width / 2, back.top + back.height / 2});
    ScreenToClient(view->m_hWnd, &centre);
    RECT client{};
    GetClientRect(view->m_hWnd, &client);
    EXPECT_TRUE(PtInRect(&client, centre)) << centre.x << "," << centre.y;

    // Fitting would have chosen another zoom: the test shows a kept one.
    view->FitZoomToSurface();
    EXPECT_EQ(view->m_nZoom, fittedZoom);
    EXPECT_NE(view->m_nZoom, storedZoom);
}
