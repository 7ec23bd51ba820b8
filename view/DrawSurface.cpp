// Drawing the surfaces of the page shown into the view's surface bitmaps,
// through the label renderer.
#include "view/Quorbel6View.h"

#include "framework/ErrorReport.h"
#include "uikit/UiResources.h"

#include <cstdlib>

namespace
{
constexpr COLORREF kShadeColor = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
// The filled area of a bitmap reaches this far past its surface.
constexpr int kClearOverhang = 20;
// The second disc's placeholder is captioned in the user-interface face.
CString PlaceholderFace()
{
    LOGFONTA font{};
    if (const CUiResources* resources = UiResources(); resources && resources->UiFont(false) &&
                                                         ::GetObjectA(resources->UiFont(false), sizeof font, &font) &&
                                                         font.lfFaceName[0])
        return font.lfFaceName;
    return "Arial";
}
}  // namespace

void CQuorbel6View::DrawSurface(int mode)
{
    Guarded(24, ErrorSink::Window(this), [&] {
        if (!m_surfaceBitmaps.IsValid())
            return;
        CLabelModel& model = Model();
        m_renderer.SetModel(model);
        if (m_renderer.Zoom() != model.Shown().zoom || m_renderer.Dpi() != m_nScreenDpi)
            m_renderer.SetScale(m_nScreenDpi, model.Shown().zoom);
        const SurfacePlacement& placement = model.Placement();
        const CString& page = model.Shown().page;

        if (mode == kDrawShade || mode == kDrawClear) {
            for (int index = 0; index < kSurfaceCount; ++index) {
                const Surface surface = static_cast<Surface>(index);
                if (placement.PageOf(surface) != page)
                    continue;
                const SIZE size = m_renderer.SurfaceSize(surface);
                m_surfaceBitmaps.Fill(index, SIZE{size.cx + kClearOverhang, size.cy + kClearOverhang},
                                      mode == kDrawShade ? kShadeColor : kWhite);
            }
            return;
        }
        if ((mode != kDrawFull && mode != kDrawPlain) || !m_bGeometryReady)
            return;
        m_renderer.Options().placeholderFace = PlaceholderFace();
        m_renderer.Options().objectGuides = m_bShowGuides != 0;
        m_renderer.Options().discGuides = m_bShowDiscGuides != 0;
        m_renderer.SetLayoutFitPending(IsLayoutFitPending());
        m_renderer.TrimFonts();
        const auto drawMode = mode == kDrawFull ? CLabelRenderer::DrawMode::Full : CLabelRenderer::DrawMode::Plain;
        for (int index = 0; index < kSurfaceCount; ++index) {
            const Surface surface = static_cast<Surface>(index);
            if (placement.PageOf(surface) == page)
                m_renderer.DrawSurfaceGround(m_surfaceBitmaps.GetDC(index), surface, drawMode);
        }
        for (int index = 0; index < kSurfaceCount; ++index) {
            const Surface surface = static_cast<Surface>(index);
            if (placement.PageOf(surface) == page)
                m_renderer.DrawSurfaceTexts(m_surfaceBitmaps.GetDC(index), surface);
        }
        m_renderer.SetLayoutFitPending(false);
        ClearLayoutFit();
    });
}

bool CQuorbel6View::IsLayoutFitPending() const
{
    const int page = std::atoi(Model().Shown().page) - 1;
    return m_pAppSettings && page >= 0 && page < 3 && m_pAppSettings->m_bLayoutFit[page];
}

void CQuorbel6View::ClearLayoutFit()
{
    const int page = std::atoi(Model().Shown().page) - 1;
    if (m_pAppSettings && page >= 0 && page < 3)
        m_pAppSettings->m_bLayoutFit[page] = 0;
}
