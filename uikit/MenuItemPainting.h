#pragma once
// Pieces shared by the menu draw modes: item text, fonts, glyphs of the
// "Marlett" font, frames, the gradient, and the images XP-style items take
// from the application's lists.

#include "framework/Gdi.h"
#include "framework/String.h"
#include "uikit/NewMenu.h"

#include <windows.h>

#include <commctrl.h>

// The two parts of an item's text: split at the last tab.
struct MenuItemText {
    CString label;
    CString accelerator;
};
MenuItemText SplitMenuText(const CString& text);

// The "Marlett" glyph of a caption command (close "r", minimise "0", maximise
// "1", restore "2"), or 0 for any other command.
char SystemCommandGlyph(UINT_PTR commandId);
// Ids 0xF000-0xF150 once the low four bits are masked.
bool IsSystemCommand(UINT_PTR commandId);

// The system's menu font; bold (700) when asked.
CFont CreateMenuFont(bool bold);
// A "Marlett" font of that height.
CFont CreateMarlettFont(int height, bool bold);

// One glyph centred in `box`, single line, transparent.
void DrawMenuGlyph(HDC dc, const RECT& box, char glyph, COLORREF colour, bool bold);
// Label left-aligned (or centred) and the accelerator right-aligned, single
// line, vertically centred, transparent.
void DrawMenuItemText(HDC dc, const RECT& area, const MenuItemText& text, COLORREF colour, bool centred);

void FillMenuRect(HDC dc, const RECT& rect, COLORREF colour);
// A 1-pixel frame: topLeft on the top and left edges, bottomRight on the others.
void DrawMenuFrame3d(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

// Start colour of every menu gradient.
constexpr COLORREF kMenuGradientStart = RGB(163, 199, 237);
// From kMenuGradientStart to `end`, left to right or top to bottom. Without
// the image library's GradientFill: bands 4 pixels wide.
void FillGradient(HDC dc, const RECT& rect, COLORREF end, bool horizontal);

// Fills with the label view's panel background; false when there is none.
bool PaintMenuPanel(HDC dc, const RECT& rect);
// The application's hot list and the main frame's disabled tool-bar list (may be null).
HIMAGELIST MenuHotImages();
HIMAGELIST MenuDisabledImages();
// The index of a command's own image in those lists, or -1.
int MenuCommandImage(UINT_PTR commandId);
// Image of the check mark in those lists.
constexpr int kMenuCheckMarkImage = 12;

// Whether the item has a checked-state bitmap of its own.
bool HasCheckedBitmap(HMENU menu, UINT_PTR commandId);
