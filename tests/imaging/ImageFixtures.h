#pragma once
// Image files made by another program (tests/data/images, see make_fixtures.sh
// there) and that program's decode of each as raw pixels, compared with the
// program's own decode; and the folder where tests leave encoded files for
// the host-side check with ImageMagick (check_encoded_images.sh).

#include "imaging/xImage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// The fixture folder lies beside this header's folder; the tests run under
// Wine, where drive Z: is the host's root.
inline std::string ImageFixturePath(const std::string& name)
{
    std::string here = __FILE__;
    for (char& c : here) {
        if (c == '\\')
            c = '/';
    }
    const std::size_t slash = here.rfind('/');
    std::string folder = here.substr(0, slash) + "/../data/images/";
    if (!folder.empty() && folder[0] == '/')
        folder = "Z:" + folder;
    else if (folder.size() < 2 || folder[1] != ':') {
        // Compiled with a path relative to the test program's folder (the
        // build's compiler cache does that): made whole from that folder, not
        // from the current one, which a file dialog may have moved, and which
        // a file dialog would not take a relative name from.
        char program[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameA(nullptr, program, MAX_PATH);
        std::string base(program, length);
        for (char& c : base) {
            if (c == '\\')
                c = '/';
        }
        folder = base.substr(0, base.rfind('/') + 1) + folder;
    }
    return folder + name;
}

inline std::vector<BYTE> ReadWholeFile(const std::string& path)
{
    std::vector<BYTE> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        BYTE buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

inline bool WriteWholeFile(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

inline std::vector<BYTE> ReadFixture(const std::string& name)
{
    return ReadWholeFile(ImageFixturePath(name));
}

// The picture as red, green, blue (and alpha) bytes, top row first, the
// layout of ImageMagick's "rgb:" and "rgba:" output. Alpha is the alpha mask's
// value, 0 for pixels of the background index of a palette image, else 255.
inline std::vector<BYTE> ImageToRaw(const CxImage& image, bool withAlpha)
{
    std::vector<BYTE> raw;
    for (int y = image.GetHeight() - 1; y >= 0; --y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const RGBQUAD color = image.GetPixelColor(x, y);
            raw.insert(raw.end(), {color.rgbRed, color.rgbGreen, color.rgbBlue});
            if (!withAlpha)
                continue;
            BYTE alpha = 255;
            if (image.HasAlpha())
                alpha = image.AlphaGetPixel(x, y);
            else if (image.GetBpp() <= 8 && image.GetBackgroundIndex() != -1 &&
                     image.GetPixelIndex(x, y) == image.GetBackgroundIndex())
                alpha = 0;
            raw.push_back(alpha);
        }
    }
    return raw;
}

// Compares a decoded picture with raw pixels; pixels whose expected alpha is
// 0 must be transparent in the picture too, their colour is not compared.
inline ::testing::AssertionResult SamePixels(const CxImage& image, const std::vector<BYTE>& expected, bool withAlpha)
{
    const std::vector<BYTE> actual = ImageToRaw(image, withAlpha);
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "picture has " << actual.size() << " bytes, expected " << expected.size();
    const std::size_t channels = withAlpha ? 4 : 3;
    int differences = 0;
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    for (std::size_t i = 0; i < actual.size(); i += channels) {
        bool same = true;
        if (withAlpha && expected[i + 3] == 0)
            same = actual[i + 3] == 0;
        else
            for (std::size_t c = 0; c < channels; ++c)
                same = same && actual[i + c] == expected[i + c];
        if (same)
            continue;
        if (differences++ == 0) {
            const std::size_t pixel = i / channels;
            result = ::testing::AssertionFailure();
            result << "pixel (" << pixel % static_cast<std::size_t>(image.GetWidth()) << ", "
                   << pixel / static_cast<std::size_t>(image.GetWidth()) << " from the top) is";
            for (std::size_t c = 0; c < channels; ++c)
                result << " " << int{actual[i + c]};
            result << ", expected";
            for (std::size_t c = 0; c < channels; ++c)
                result << " " << int{expected[i + c]};
        }
    }
    if (differences)
        result << " (" << differences << " pixels differ)";
    return result;
}

// Where encoded files are left for ImageMagick on the host: a folder in the
// test's working folder (the build's tests folder).
inline std::string EncodedImagePath(const std::string& name)
{
    ::CreateDirectoryA("encoded-images", nullptr);
    return "encoded-images/" + name;
}

// Leaves an encoded file and the pixels it should show, named
// "<name>.<width>x<height>.rgba", for check_encoded_images.sh.
inline void LeaveForImageMagick(const std::string& name, const std::vector<BYTE>& encoded, const CxImage& image)
{
    const std::string size = std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight());
    // Pixels left by an earlier run at another size would be compared too.
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA(EncodedImagePath(name + ".*.rgba").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            ::DeleteFileA(EncodedImagePath(found.cFileName).c_str());
        while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ASSERT_TRUE(WriteWholeFile(EncodedImagePath(name), encoded)) << name;
    ASSERT_TRUE(WriteWholeFile(EncodedImagePath(name + "." + size + ".rgba"), ImageToRaw(image, true))) << name;
}
