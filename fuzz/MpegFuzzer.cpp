// Fuzzes the MP3 frame scanner: tags, frame headers and Xing headers.
#include "album/MpegFrameHeader.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> file(data, data + size);
    CMpegMemorySource source(file.data(), file.size());
    CMpegFrameHeader header;
    const std::string playTime = header.GetPlayTime(source);
    if (!playTime.empty()) {
        const bool shaped = playTime.size() >= 4 && playTime[playTime.size() - 3] == ':' && header.IsValid() &&
                            header.GetFirstFrameOffset() + header.GetAudioSize() <= size;
        if (!shaped) {
            std::fprintf(stderr, "fuzz check failed: a play time from a frame inside the file\n");
            std::abort();
        }
    }
    return 0;
}
