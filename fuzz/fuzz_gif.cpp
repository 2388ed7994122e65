// GIF clip art (the first frame): the shared raster target, on its own corpus.
#include "rasterfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return RunRaster(data, size, dayloom::ImageLoader::Kind::Gif);
}
