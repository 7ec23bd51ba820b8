#pragma once
// A label-paper sheet drawn small: the sheet in white, scaled to fit a box
// with a margin, and the parts the template puts on it (discs with their
// holes, or the covers with their fold and spine lines).

#include "label/LabelDim.h"

#include <windows.h>

#include <functional>

struct SheetPreviewPlacement
{
    RECT sheet = {};     // where the sheet lies in the box, pixels
    double scale = 0.0;  // screen pixels of the sheet per pixel in the box
    bool landscape = false;
};

// The sheet `sheetNumber` (1 or 2) of the paper, `dpi` screen pixels per inch
// on each axis, placed in a box of `box` pixels with `margin` on its long
// side. Nothing to place (an empty rectangle) for a sheet without a size or a
// box smaller than its margins.
SheetPreviewPlacement PlaceSheetPreview(const CLabelDim& paper, int sheetNumber, SIZE box, SIZE dpi, int margin);

// Every length of the paper (apart from the fold style) in the box's pixels,
// relative to the sheet's corner.
CLabelDim ScaledTemplate(const CLabelDim& paper, SIZE dpi, double scale);

// Draws the sheet and its parts into `dc`; the box is first filled by
// `paintBox` (background and edge). The back cover is drawn on sheet 2, or on
// sheet 1 when both covers share it.
void DrawSheetPreview(HDC dc, const CLabelDim& paper, int sheetNumber, SIZE box, SIZE dpi, int margin,
                      const std::function<void(HDC, const RECT&)>& paintBox);

// The sunken edge of a preview box.
void DrawSunkenBox(HDC dc, const RECT& box);
