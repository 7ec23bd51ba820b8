#pragma once
// Random use of the running program from a seed: real commands, clicks,
// drags and keys, chosen by a seeded generator so that a run that finds a
// fault can be run again step for step. The monkey checks as it goes: the
// program stays up, no message box it did not expect comes up, a saved label
// opens again as it was, and undoing every step since a label was opened
// gives back that label's rows, texts and pictures byte for byte.
#include "DocumentParts.h"
#include "ProgramDriving.h"

#include "support/TestDataPath.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

class Monkey
{
public:
    struct Figures
    {
        int steps = 0;
        int saves = 0;
        int undoRounds = 0;
        std::vector<std::string> faults;  // what went wrong, with the step and its action
    };

    // `checkUndo`: each round also undoes every step and redoes them, and
    // checks that they give back the label they started from.
    Monkey(RunningApp& program, CQuorbel6View& view, CMainFrame& frame, const ScratchFolder& folder,
           std::uint32_t seed, bool checkUndo)
        : m_program(program), m_view(view), m_frame(frame), m_folder(folder), m_random(seed), m_checkUndo(checkUndo)
    {
    }

    // Runs `steps` steps; every `roundLength` steps the round ends with the
    // undo check and a save and reopen.
    Figures Run(int steps, int roundLength)
    {
        StartRound();
        for (int step = 0; step < steps && m_figures.faults.size() < 10; ++step) {
            ++m_figures.steps;
            const Action& action = m_actions[Pick(static_cast<int>(m_actions.size()))];
            m_lastAction = action.name;
            std::vector<std::string> texts;
            {
                // The dialogs a step opens are answered as the step chose
                // (one answerer at a time: they share one hook); the
                // program's message boxes are noted and answered with OK.
                DialogAnswers answers([this](HWND dialog) {
                    if (m_dialogAnswer)
                        m_dialogAnswer(dialog);
                    else
                        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                });
                action.run(*this);
                m_dialogAnswer = {};
                texts = answers.MessageTexts();
            }
            for (const std::string& text : texts)
                Fault("a message box: " + text);
            CheckStillUp();
            if ((step + 1) % roundLength == 0)
                EndRound();
        }
        EndRound();
        return m_figures;
    }

private:
    struct Action
    {
        const char* name;
        std::function<void(Monkey&)> run;
    };

    int Pick(int count) { return static_cast<int>(m_random() % static_cast<std::uint32_t>(count)); }
    int Between(int low, int high) { return low + Pick(high - low + 1); }

    void Fault(const std::string& what)
    {
        std::ostringstream out;
        out << "step " << m_figures.steps << " (" << m_lastAction << "): " << what;
        m_figures.faults.push_back(out.str());
    }

    void CheckStillUp()
    {
        if (!::IsWindow(m_program.MainWindow()) || m_program.View() != &m_view)
            Fault("the program's window is gone");
        // A dialog still open after its step is one nobody will answer.
        HWND open = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM found) -> BOOL {
                char name[32] = {};
                ::GetClassNameA(window, name, sizeof name);
                if (::IsWindowVisible(window) && std::string(name) == "#32770") {
                    *reinterpret_cast<HWND*>(found) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&open));
        if (open) {
            char caption[256] = {};
            ::GetWindowTextA(open, caption, sizeof caption);
            Fault(std::string("a dialog left open: ") + caption);
            ::PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
            m_program.RunQueued();
        }
    }

    void Command(UINT id)
    {
        SendCommand(m_program, id);
        m_program.RunQueued(500);
    }

    // The first rows of the objects a user can pick (the surfaces and pages left out).
    std::vector<CString> Objects() const
    {
        std::vector<CString> names;
        for (const CString& name : ObjectNames(m_view.Model())) {
            const CString type = m_view.GetPropertyValue(name, "Item Type");
            if (type == "Text" || type == "Track" || type == "Image")
                names.push_back(name);
        }
        return names;
    }

    bool SelectSomeObject()
    {
        const std::vector<CString> names = Objects();
        if (names.empty())
            return false;
        const CString name = names[static_cast<size_t>(Pick(static_cast<int>(names.size())))];
        // Its surface first, then a click on the middle of its box, as the user picks it.
        m_view.SelectObject(name);
        m_program.RunQueued();
        const POINT middle = MiddleOf(name);
        m_program.Click(m_view.m_hWnd, middle);
        return true;
    }

    RECT BoxOnScreen(const CString& name) const
    {
        const int left = LabelRows::ReadLength(m_view.GetPropertyValue(name, "Left"));
        const int top = LabelRows::ReadLength(m_view.GetPropertyValue(name, "Top"));
        const int right = left + LabelRows::ReadLength(m_view.GetPropertyValue(name, "Width"));
        const int bottom = top + LabelRows::ReadLength(m_view.GetPropertyValue(name, "Height"));
        RECT box = m_view.DocToScreenRect(RECT{left, top, right, bottom});
        ::MapWindowPoints(nullptr, m_view.m_hWnd, reinterpret_cast<POINT*>(&box), 2);
        return box;
    }
    POINT MiddleOf(const CString& name) const
    {
        const RECT box = BoxOnScreen(name);
        return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    POINT SomewhereInView()
    {
        RECT client{};
        ::GetClientRect(m_view.m_hWnd, &client);
        return POINT{Between(0, std::max<int>(1, client.right - 1)), Between(0, std::max<int>(1, client.bottom - 1))};
    }

    void PressKeys(UINT key, int times, bool withShift)
    {
        ::SetFocus(m_view.m_hWnd);
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        const BYTE shift = keys[VK_SHIFT];
        keys[VK_SHIFT] = withShift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        for (int i = 0; i < times; ++i)
            m_program.PressKey(key);
        keys[VK_SHIFT] = shift;
        ::SetKeyboardState(keys);
    }

    // One item of one list row of the Properties pane, picked with the mouse
    // and keys: the list opens on the current value, a few Downs or Ups, Enter.
    void PickSomeListItem()
    {
        if (!SelectSomeObject())
            return;
        ShowPanes(m_program, m_frame);
        CPropertyGrid& grid = m_frame.PropertiesPane().Grid();
        std::vector<std::string> lists;
        for (const GridRow& row : grid.Rows())
            if (row.kind == "COMBO")
                lists.emplace_back(row.caption.c_str());
        if (lists.empty())
            return;
        const std::string caption = lists[static_cast<size_t>(Pick(static_cast<int>(lists.size())))];
        if (!ClickGridValue(grid, caption.c_str()) || !grid.DropDown().IsWindowVisible())
            return;
        const UINT key = Pick(2) ? VK_DOWN : VK_UP;
        for (int i = Between(1, 3); i > 0; --i)
            PressKeyIn(m_frame.m_hWnd, grid.DropDown().m_hWnd, key);
        PressKeyIn(m_frame.m_hWnd, grid.DropDown().m_hWnd, VK_RETURN);
        m_program.RunQueued();
    }

    void Insert(UINT command)
    {
        // An insert on a disc label of a double layout asks which disc; it
        // lands where it is seen.
        m_dialogAnswer = ChooseDisc(Between(1, 2));
        Command(command);
    }

    void InsertImage()
    {
        const char* const pictures[] = {"images/bmp24.bmp", "images/png-rgb8.png", "images/jpeg-baseline.jpg"};
        m_dialogAnswer = ChooseFile(TestDataPath(pictures[Pick(3)]));
        StartFolderKept kept;
        Command(ID_INSERT_IMAGE);
    }

    // ---- rounds: undo everything, save and open again ------------------------
    // The rows, texts and pictures of a saved file, byte for byte (the view
    // state it keeps, which undo does not touch, and the line layouts left out).
    static std::string RecordBytes(const std::string& path)
    {
        DocumentParts parts;
        if (!parts.Read(path))
            return "(unreadable)";
        parts.variables = CVariables();
        // Line layouts are made again at each drawing (and dropped by the reader).
        for (const auto& row : parts.properties)
            if (row->m_strKey == "Vector Data")
                row->m_strValue.Empty();
        const std::string temporary = path + ".records";
        parts.Write(temporary);
        std::string bytes = FileBytes(temporary);
        ::DeleteFileA(temporary.c_str());
        return bytes;
    }

    std::string SaveTo(const std::string& name)
    {
        const std::string path = m_folder.PathOf(name);
        for (const std::string& text : SaveAsFromFileMenu(m_program, path))
            Fault("saving: " + text);
        return path;
    }

    // The round starts from a saved label opened again.
    void StartRound()
    {
        const std::string path = SaveTo("round" + std::to_string(m_round) + ".slv");
        const std::string before = LabelContents(m_view.Model());
        for (const std::string& text : OpenFromFileMenu(m_program, path))
            Fault("opening a saved label: " + text);
        if (LabelContents(m_view.Model()) != before)
            Fault("a saved label opened differently: " + FirstDifference(before, LabelContents(m_view.Model())));
        ++m_figures.saves;
        m_roundStart = RecordBytes(path);
        m_roundStartContents = LabelContents(m_view.Model());
    }

    void EndRound()
    {
        if (!m_checkUndo) {
            ++m_round;
            StartRound();
            return;
        }
        m_lastAction = "undo everything";
        // Redo needs the steps kept: undo them all, compare, redo them all.
        const std::string now = LabelContents(m_view.Model());
        int undone = 0;
        while (m_view.UndoHistory().CanUndo() && undone < 1000) {
            Command(ID_EDIT_UNDO);
            ++undone;
        }
        const std::string undonePath = SaveTo("undone" + std::to_string(m_round) + ".slv");
        if (undone < kMaxUndoSteps && RecordBytes(undonePath) != m_roundStart)
            Fault("undoing every step did not give back the label the round started with: " +
                  FirstDifference(m_roundStartContents, LabelContents(m_view.Model())));
        ++m_figures.undoRounds;
        m_lastAction = "redo everything";
        while (m_view.UndoHistory().CanRedo() && undone-- > 0)
            Command(ID_EDIT_REDO);
        if (LabelContents(m_view.Model()) != now)
            Fault("redoing every step did not give back the label: " +
                  FirstDifference(now, LabelContents(m_view.Model())));
        ++m_round;
        StartRound();
    }

    RunningApp& m_program;
    CQuorbel6View& m_view;
    CMainFrame& m_frame;
    const ScratchFolder& m_folder;
    std::mt19937 m_random;
    Figures m_figures;
    std::string m_lastAction;
    std::string m_roundStart;
    std::string m_roundStartContents;
    int m_round = 0;
    bool m_checkUndo = true;
    DialogAnswers::Answer m_dialogAnswer;

    const std::vector<Action> m_actions = {
        {"insert a text", [](Monkey& m) { m.Insert(ID_INSERT_TEXT); }},
        {"insert the artist", [](Monkey& m) { m.Insert(ID_INSERT_ARTIST); }},
        {"insert the title", [](Monkey& m) { m.Insert(ID_INSERT_TITLE); }},
        {"insert the year", [](Monkey& m) { m.Insert(ID_INSERT_YEAR); }},
        {"insert the time", [](Monkey& m) { m.Insert(ID_INSERT_TIME); }},
        {"insert the genre", [](Monkey& m) { m.Insert(ID_INSERT_GENRE); }},
        {"insert a track list", [](Monkey& m) { m.Insert(ID_INSERT_TRACK_LIST); }},
        {"insert a picture", [](Monkey& m) { m.InsertImage(); }},
        {"click somewhere", [](Monkey& m) { m.m_program.Click(m.m_view.m_hWnd, m.SomewhereInView()); }},
        {"select an object", [](Monkey& m) { m.SelectSomeObject(); }},
        {"drag an object",
         [](Monkey& m) {
             if (!m.SelectSomeObject())
                 return;
             const POINT from = m.MiddleOf(m.m_view.m_strSelectedObject);
             m.m_program.Drag(m.m_view.m_hWnd, from, POINT{from.x + m.Between(-60, 60), from.y + m.Between(-60, 60)});
         }},
        {"resize an object by its corner",
         [](Monkey& m) {
             if (!m.SelectSomeObject())
                 return;
             const RECT box = m.BoxOnScreen(m.m_view.m_strSelectedObject);
             const POINT corner{box.right - 1, box.bottom - 1};
             m.m_program.Drag(m.m_view.m_hWnd, corner,
                              POINT{corner.x + m.Between(-40, 40), corner.y + m.Between(-40, 40)});
         }},
        {"nudge with the arrows",
         [](Monkey& m) {
             if (m.SelectSomeObject())
                 m.PressKeys(VK_LEFT + static_cast<UINT>(m.Pick(4)), m.Between(1, 5), false);
         }},
        {"resize with shift and the arrows",
         [](Monkey& m) {
             if (m.SelectSomeObject())
                 m.PressKeys(VK_LEFT + static_cast<UINT>(m.Pick(4)), m.Between(1, 5), true);
         }},
        {"delete", [](Monkey& m) { if (m.SelectSomeObject()) m.Command(ID_EDIT_DELETE); }},
        {"cut", [](Monkey& m) { if (m.SelectSomeObject()) m.Command(ID_EDIT_CUT); }},
        {"copy", [](Monkey& m) { if (m.SelectSomeObject()) m.Command(ID_EDIT_COPY); }},
        {"paste", [](Monkey& m) { m.Command(ID_EDIT_PASTE); }},
        {"pick a list item in the Properties pane", [](Monkey& m) { m.PickSomeListItem(); }},
        {"show the front cover", [](Monkey& m) { m.Command(ID_VIEW_FRONT_COVER); }},
        {"show the back cover", [](Monkey& m) { m.Command(ID_VIEW_BACK_COVER); }},
        {"show the disc label", [](Monkey& m) { m.Command(ID_VIEW_DISC_LABEL); }},
        {"zoom in", [](Monkey& m) { m.Command(ID_VIEW_ZOOM_IN); }},
        {"zoom out", [](Monkey& m) { m.Command(ID_VIEW_ZOOM_OUT); }},
        {"center horizontally", [](Monkey& m) { if (m.SelectSomeObject()) m.Command(ID_LAYOUT_CENTER_HORIZONTALLY); }},
        {"center vertically", [](Monkey& m) { if (m.SelectSomeObject()) m.Command(ID_LAYOUT_CENTER_VERTICALLY); }},
        {"bring to front", [](Monkey& m) { if (m.SelectSomeObject()) m.Command(ID_LAYOUT_BRING_TO_FRONT); }},
        {"undo", [](Monkey& m) { m.Command(ID_EDIT_UNDO); }},
        {"redo", [](Monkey& m) { m.Command(ID_EDIT_REDO); }},
    };
};
