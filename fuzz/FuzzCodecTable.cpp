// The codec table of the fuzz build: empty. Each fuzz target plugs in the
// codecs it tests (SetImageCodec), so it links no other codec and none of
// their libraries.
#include "imaging/ImageCodecs.h"

ImageCodecTable BuiltInImageCodecs()
{
    return ImageCodecTable{};
}
