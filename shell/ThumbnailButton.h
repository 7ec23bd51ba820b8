#pragma once
// CThumbnailButton: one cell of the Images pane, 125 x 147 pixels: the
// thumbnail of one entry of the pane's list with its file name below, a tool
// tip with the picture's dimensions, size and folder. A click makes the
// picture the background of the part being shown; a drag drops it on a
// cover or disc of the label as an image object.

#include "framework/Button.h"
#include "framework/String.h"
#include "imaging/ThumbnailList.h"

#include <memory>

class IImagePaneTarget;

// The tool tip of an entry: name, dimensions, size in KB and the folder.
CString ThumbnailTipText(const CImageListEntry& entry);

class CThumbnailButton : public CButton {
    DECLARE_DYNAMIC(CThumbnailButton)

public:
    static constexpr int kWidth = 125;
    static constexpr int kHeight = 147;
    static constexpr UINT_PTR kPollTimerBase = 1124;
    static constexpr UINT kPollPeriod = 10;  // milliseconds

    CThumbnailButton(std::shared_ptr<CImageFillState> state, IImagePaneTarget* target, CWnd* pane);
    ~CThumbnailButton() override;

    // A hidden child of `parent`.
    BOOL CreateCell(CWnd* parent);
    void SetIndex(int index) { m_index = index; }
    int GetIndex() const { return m_index; }
    // Ends the hover: no tool tip text, no polling for the thumbnail.
    void StopHover();
    bool IsWaiting() const { return m_bWaiting; }
    const CString& TipText() const { return m_strTipText; }
    void SetTarget(IImagePaneTarget* target) { m_target = target; }

    // The picture's place in the cell when its thumbnail has that size.
    static RECT PictureRect(SIZE thumbnail);

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void PreSubclassWindow() override;

    // Asks the user once whether to keep showing the image tips, and stores the answer.
    static void SaveTipShown();

protected:
    void OnTimer(UINT_PTR id) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    void Paint(HDC dc);
    void CreateTip();
    void DestroyTip();
    // Inverts the drag frame at its place on the screen.
    void InvertDragFrame() const;
    // The floating Images pane with its margin (screen pixels); empty while docked.
    RECT FloatingPaneArea() const;
    void ShowOneTimeTip(LPCSTR text);

    std::shared_ptr<CImageFillState> m_state;
    IImagePaneTarget* m_target;
    CWnd* m_pane;  // the Images bar, whose client origin the background tiles line up with
    int m_index = -999;
    bool m_bWaiting = false;
    HWND m_tip = nullptr;
    CString m_strTipText;
    RECT m_dragRect{};  // screen pixels
    POINT m_dragOffset{};  // cursor less the drag rectangle's top-left corner
    POINT m_pressPoint{};
    bool m_bDragging = false;
    bool m_bFrameShown = false;
};
