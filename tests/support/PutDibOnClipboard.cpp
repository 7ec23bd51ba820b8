// A separate program that puts a picture on the system clipboard as CF_DIB,
// as another application would: the tests paste what it left there.
//
//     PutDibOnClipboard.exe FILE.bmp [BYTES]
//
// The DIB is the bitmap file without its 14-byte file header; BYTES keeps only
// that many bytes of it (a damaged DIB). Exits with 0 once the clipboard holds it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::FILE* file = std::fopen(argv[1], "rb");
    if (!file)
        return 3;
    std::vector<unsigned char> bytes;
    unsigned char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    constexpr size_t kFileHeader = 14;
    if (bytes.size() <= kFileHeader)
        return 4;
    size_t size = bytes.size() - kFileHeader;
    if (argc > 2)
        size = std::min<size_t>(size, std::strtoul(argv[2], nullptr, 10));

    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return 5;
    std::memcpy(::GlobalLock(block), bytes.data() + kFileHeader, size);
    ::GlobalUnlock(block);
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();
            const bool put = ::SetClipboardData(CF_DIB, block) != nullptr;
            ::CloseClipboard();
            return put ? 0 : 6;
        }
        ::Sleep(20);
    }
    ::GlobalFree(block);
    return 7;
}
