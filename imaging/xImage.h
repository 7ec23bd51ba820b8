#pragma once
// CxImage: the program's one in-memory image, a device-independent bitmap of 1,
// 4, 8 or 24 bits per pixel with its palette, an optional alpha mask, the format
// code it was read as and the text of its last failure. Codecs fill and read it
// through a CImageFile (imaging/ImageFile.h) and the format dispatch
// (imaging/ImageCodecs.h).
//
// The class is split by concern:
//   xImage.cpp             construction, the DIB block, copy, transfer, ghost, settings
//   xImagePixels.cpp       palette and pixel accessors
//   xImageAlpha.cpp        the alpha mask, flattening and flipping
//   xImagePackedDib.cpp    packed DIBs (the clipboard's form) and 16/32-bit pixels
//   xImageDecode.cpp       decoding and encoding by format code, files and memory
//   xImageDraw.cpp         drawing on a device context              (Windows)
//   xImageWindows.cpp      clipboard handles and bitmap handles     (Windows)
// Everything but the last two builds without <windows.h> (imaging/ImageTypes.h),
// so the codecs can be built on another host for fuzzing.
//
// Failures never throw: an operation returns false or null and, where it says
// why, leaves a short text in GetLastError().

#include "imaging/ImageTypes.h"

#include <cstdint>
#include <cstdio>
#include <vector>

class CImageFile;

class CxImage {
public:
    // ---- construction and lifetime ----------------------------------------------
    // An empty image (no pixels) of a format.
    explicit CxImage(int format = kImageFormatBmp);
    // A new image; see Create.
    CxImage(int width, int height, int bpp, int format = kImageFormatBmp);
    // A copy of another image; see CopyFrom.
    CxImage(const CxImage& source, bool copyPixels, bool copyAlpha);
    // Decodes a file; on failure the image is empty and GetLastError says why
    // (a file that cannot be opened leaves the text empty).
    CxImage(const char* path, int format);
    // Decodes a block of memory, which is only read.
    CxImage(const BYTE* block, std::size_t size, int format);
    virtual ~CxImage();

    CxImage(const CxImage&) = delete;
    CxImage& operator=(const CxImage&) = delete;

    // Frees the pixels, the alpha mask and the kept file bytes (a ghost frees
    // only what it does not borrow). The format and the settings stay.
    void Destroy();
    // A new picture of width × height pixels; the depth becomes 1, 4, 8 or 24
    // (≤1, ≤4, ≤8, anything larger). Palette and pixels are zero. Returns the
    // DIB block, or null: a width or height below 1 gives "Invalid image size",
    // a picture above kMaxImageBytes "Image too large", and a failed allocation
    // no text. On failure the image is empty.
    BYTE* Create(int width, int height, int bpp, int format);
    // As Create, for a decoder that writes every pixel row itself: the rows
    // are not cleared first (on a large picture that is a good part of the
    // decode), only the palette and the padding at each row's end are zero.
    BYTE* CreateForOverwrite(int width, int height, int bpp, int format);
    // Becomes a copy of `source`: its settings, its size, depth and palette, and
    // with the flags its pixels and its alpha mask. False when memory runs out.
    bool CopyFrom(const CxImage& source, bool copyPixels, bool copyAlpha);
    // Takes over the picture and settings of `from`, which is left empty (its
    // kept file bytes stay with it); this image's own picture is freed.
    void Transfer(CxImage& from);
    // Becomes a shallow view of `from` for the time of one encoding call: it
    // borrows its pixels, palette and alpha mask and copies its settings.
    // Writes through the view reach `from`; destroying the view frees nothing
    // of `from`. The view must not outlive `from`.
    void Ghost(CxImage& from);
    // The image a ghost borrows from; null for an ordinary image.
    CxImage* GetGhostSource() const { return m_info.ghostSource; }

    // ---- the DIB block ------------------------------------------------------------
    bool IsValid() const { return m_dib != nullptr; }
    // Header, palette and pixel rows as one block (null when empty).
    BYTE* GetDIB() { return m_dib; }
    const BYTE* GetDIB() const { return m_dib; }
    // The first pixel row (the bottom one); null when empty.
    BYTE* GetBits();
    const BYTE* GetBits() const;
    // Pixel row `row`, counted from the bottom as stored; null outside.
    BYTE* GetBits(int row);
    const BYTE* GetBits(int row) const;
    // Bytes of the DIB block: header, palette and pixels.
    DWORD GetSize() const;
    DWORD GetPaletteSize() const { return m_header.biClrUsed * sizeof(RGBQUAD); }
    const BITMAPINFOHEADER& GetHeader() const { return m_header; }
    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    int GetBpp() const { return m_header.biBitCount; }
    DWORD GetNumColors() const { return m_header.biClrUsed; }
    // Bytes per pixel row, a multiple of 4.
    DWORD GetEffWidth() const { return m_info.rowBytes; }
    bool IsInside(int x, int y) const;

    // ---- settings -----------------------------------------------------------------
    int GetFormat() const { return m_info.format; }
    void SetFormat(int format) { m_info.format = format; }
    // The text of the last failure; empty when there was none.
    const char* GetLastError() const { return m_info.lastError; }
    // Keeps at most 255 characters; null empties it.
    void SetLastError(const char* text);
    // Decoders poll this in their row loops and stop when it is set.
    bool IsCancelled() const { return m_info.cancel != 0; }
    void SetCancel(bool cancel) { m_info.cancel = cancel ? 1 : 0; }
    // Palette index of the transparent colour, -1 for none.
    int GetBackgroundIndex() const { return m_info.backgroundIndex; }
    void SetBackgroundIndex(int index) { m_info.backgroundIndex = index; }
    // The transparent colour of 24-bit images and the colour FlattenAlpha blends onto.
    RGBQUAD GetBackgroundColor() const { return m_info.backgroundColor; }
    void SetBackgroundColor(RGBQUAD color) { m_info.backgroundColor = color; }
    // 0..100, used by the JPEG encoder.
    BYTE GetJpegQuality() const { return m_info.jpegQuality; }
    void SetJpegQuality(int quality);
    // Which icon of an icon file the decoder takes (0 = first), and how many a
    // failed icon decode found.
    int GetIconFrame() const { return m_info.iconFrame; }
    void SetIconFrame(int frame) { m_info.iconFrame = frame; }
    int GetIconFrameCount() const { return m_info.iconFrameCount; }
    void SetIconFrameCount(int count) { m_info.iconFrameCount = count; }
    // Dots per inch; setting one also sets the header's pixels per metre.
    int GetXDPI() const { return m_info.xDpi; }
    int GetYDPI() const { return m_info.yDpi; }
    void SetXDPI(int dpi);
    void SetYDPI(int dpi);
    static LONG PelsPerMeterFromDpi(int dpi);
    static int DpiFromPelsPerMeter(LONG pelsPerMeter);
    // Scales the whole alpha mask; 255 by default.
    BYTE GetAlphaMax() const { return m_info.alphaMax; }
    void SetAlphaMax(BYTE alphaMax) { m_info.alphaMax = alphaMax; }
    // Set by the PNG decoder when the palette's reserved bytes carry alpha.
    bool HasPaletteAlpha() const { return m_info.paletteAlpha; }
    void SetPaletteAlpha(bool paletteAlpha) { m_info.paletteAlpha = paletteAlpha; }
    // DrawToDC draws nothing while disabled.
    bool IsEnabled() const { return m_info.enabled; }
    void Enable(bool enabled) { m_info.enabled = enabled; }

    // 4 with an alpha mask, else 1 for 8 bits or fewer, else 2 (the PNG encoder's choice).
    int GetColorType() const;
    // The transparent colour: the palette entry at the background index for
    // palette images with one, else the background colour.
    RGBQUAD GetTransColor() const;
    // By luminance: 0 equal, 1 when b is darker than a, -1 otherwise.
    static int CompareColors(const RGBQUAD& a, const RGBQUAD& b);

    // ---- kept file bytes ----------------------------------------------------------
    // The bytes of the file the image was read from (JPEG), kept so a document
    // can store them unchanged; null and 0 when there are none.
    const BYTE* GetUserBuffer() const { return m_userBuffer; }
    DWORD GetUserValue() const { return m_userLength; }
    // Takes ownership of a malloc block and its length (null frees the old one).
    void SetUserBuffer(BYTE* block, DWORD length);
    // Keeps a copy of `length` bytes; false (nothing changed) when memory runs out
    // or the block is larger than kMaxImageBytes.
    bool CopyUserBuffer(const void* data, std::size_t length);

    // ---- palette and pixels (palette operations do nothing without a palette) ---
    RGBQUAD* GetPalette();
    const RGBQUAD* GetPalette() const;
    RGBQUAD GetPaletteColor(BYTE index) const;
    void SetPaletteColor(BYTE index, BYTE red, BYTE green, BYTE blue, BYTE alpha = 0);
    void SetPaletteColor(BYTE index, RGBQUAD color);
    // One entry's colour; false for an index outside the palette.
    bool GetRGB(int index, BYTE* red, BYTE* green, BYTE* blue) const;
    // Sets the first min(count, colours) entries. A missing green array takes
    // red's values, a missing blue array green's.
    void SetPalette(DWORD count, const BYTE* red, const BYTE* green = nullptr, const BYTE* blue = nullptr);
    void SetPalette(const RgbTriple* colors, DWORD count);
    void SetPalette(const RGBQUAD* colors, DWORD count);
    // Entry i = grey i × (255 / (colours - 1)).
    void SetGrayPalette();
    // True only when every entry i is the grey i (the identity ramp).
    bool IsGrayScale() const;
    // Exchanges two palette entries and the two indices in every pixel.
    void SwapIndex(BYTE first, BYTE second);
    // The entry nearest to a colour (least sum of squared differences).
    BYTE GetNearestIndex(RGBQUAD color) const;
    // Palette images only; outside the image the background index (or 0).
    BYTE GetPixelIndex(int x, int y) const;
    void SetPixelIndex(int x, int y, BYTE index);
    // Outside the image the transparent colour (see GetTransColor).
    RGBQUAD GetPixelColor(int x, int y) const;
    // Palette images take the nearest entry. Ignored outside the image.
    void SetPixelColor(int x, int y, RGBQUAD color);
    void SetPixelColor(int x, int y, COLORREF color);
    // Exchanges the first and third byte of each pixel of a 24-bit row buffer
    // (at most one row's bytes).
    void SwapRGB2BGR(BYTE* buffer, std::size_t length) const;

    // ---- alpha mask (one byte per pixel, rows bottom-up; 0 transparent) ----------
    bool HasAlpha() const { return m_alpha != nullptr; }
    BYTE* AlphaGetPointer() { return m_alpha; }
    const BYTE* AlphaGetPointer() const { return m_alpha; }
    // A new mask of zeros; false without pixels or memory.
    bool AlphaCreate();
    void AlphaDelete();
    void AlphaSet(BYTE value);
    void AlphaSetPixel(int x, int y, BYTE alpha);
    // 0 outside the image or without a mask.
    BYTE AlphaGetPixel(int x, int y) const;
    // True when any palette entry has a non-zero reserved byte.
    bool IsPaletteAlpha() const;
    // Blends the picture onto the background colour by its alpha mask and
    // palette alpha. A 24-bit image is changed in place and loses its mask; a
    // palette image becomes a new 24-bit image (format BMP, default settings).
    void FlattenAlpha();
    // Reverses the order of the mask's rows; false without a mask.
    bool AlphaFlip();
    // Turns the picture and its mask upside down; false without pixels.
    bool Flip();

    // ---- packed DIBs and 16/32-bit pixels --------------------------------------
    // Reads a packed DIB (info header, colour table or masks, pixels) of `size`
    // bytes, the clipboard's form: uncompressed 1, 4, 8 and 24 bits, 16 and 32
    // bits with or without bit fields, bottom-up or top-down. The colour count is
    // clamped to the depth and every part is checked against `size`.
    bool LoadFromPackedDib(const BYTE* data, std::size_t size);
    // Converts 16- or 32-bit pixels into this 24-bit image's rows through the
    // colour masks (all three 0: 5-5-5, respectively one byte each, blue
    // lowest); each channel is scaled to the full 0..255 range. 16-bit source
    // rows are ((width + 1) / 2) × 4 bytes, 32-bit rows width × 4.
    // `source` may be this image's own pixel buffer for 16 bits. False when the
    // image is not 24-bit or the source is shorter than the picture.
    bool ConvertBitfieldDib(const BYTE* source, std::size_t sourceSize, DWORD redMask, DWORD greenMask,
                            DWORD blueMask, int bpp);

    // ---- files and format dispatch (see imaging/ImageCodecs.h) -----------------
    // Decodes by format code. On success the picture and all settings come from
    // the decoder; on failure this image keeps its picture and GetLastError says why.
    bool Decode(CImageFile& file, int format);
    // Encodes by format code; on failure GetLastError says why.
    bool Encode(CImageFile& file, int format);
    // False with the last error unchanged when the file cannot be opened.
    bool LoadFile(const char* path, int format);
    // Decodes from a stream that stays open.
    bool DecodeStream(std::FILE* stream, int format);
    bool DecodeMemory(const BYTE* block, std::size_t size, int format);
    // Encodes into a new malloc block the caller frees with free(). False (and
    // nothing written) when `block` already holds a block.
    bool EncodeToMemory(BYTE*& block, std::int32_t& size, int format);
    // The same into a vector, which is replaced.
    bool EncodeToMemory(std::vector<BYTE>& bytes, int format);

#ifdef _WIN32
    // ---- Windows only ----------------------------------------------------------
    // The clipboard's CF_DIB handle.
    bool LoadFromGlobalDib(HGLOBAL handle);
    // A device-dependent bitmap, read out through the screen's DC as a BMP-format
    // image (16 and 32 bits become 24).
    bool LoadFromBitmapHandle(HBITMAP bitmap);
    // Draws the picture stretched into the rectangle; a negative width or height
    // means the image's own. With a background index the transparent colour
    // leaves the destination as it was. False when there is nothing to draw.
    bool DrawToDC(HDC dc, int x, int y, int width = -1, int height = -1) const;
#endif

private:
    BYTE* Allocate(int width, int height, int bpp, int format, bool clearRows);

    // The settings that travel with the picture: cleared as one, copied by
    // CopyFrom, Transfer and Ghost.
    struct ImageInfo {
        DWORD rowBytes = 0;
        CxImage* ghostSource = nullptr;
        int format = kImageFormatBmp;
        char lastError[256] = {};
        int cancel = 0;
        int backgroundIndex = -1;
        RGBQUAD backgroundColor = {0, 0, 0, 0};
        BYTE jpegQuality = 75;
        int iconFrame = 0;
        int iconFrameCount = 0;
        int xDpi = 72;
        int yDpi = 72;
        BYTE alphaMax = 255;
        bool paletteAlpha = false;
        bool enabled = true;
    };

    // Fresh settings of a format; frees nothing.
    void Reset(int format);
    // Copies the header field into the DIB block.
    void SyncDibHeader();
    // Frees the alpha mask unless it is borrowed.
    void FreeAlpha();
    // Byte offset of pixel (x, y) inside the pixel rows; the pixel must be inside.
    std::size_t PixelOffset(int x, int y) const
    {
        return static_cast<std::size_t>(y) * m_info.rowBytes + static_cast<std::size_t>(x) * (m_header.biBitCount / 8u);
    }
    std::size_t PixelCount() const
    {
        return static_cast<std::size_t>(m_header.biWidth) * static_cast<std::size_t>(m_header.biHeight);
    }

    BITMAPINFOHEADER m_header{};
    ImageInfo m_info;
    BYTE* m_dib = nullptr;         // header copy, palette, pixel rows (malloc)
    BYTE* m_alpha = nullptr;       // width × height bytes (malloc), or null
    bool m_dibBorrowed = false;    // a ghost's DIB block belongs to its source
    bool m_alphaBorrowed = false;  // likewise its alpha mask
    BYTE* m_userBuffer = nullptr;  // the kept file bytes (malloc)
    DWORD m_userLength = 0;
};
