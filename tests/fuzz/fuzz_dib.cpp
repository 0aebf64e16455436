// libFuzzer target for the DIB and BMP readers: every input is decoded as a
// packed DIB and as a BMP file; whatever decodes must encode and decode
// again to the same image.
#include <vector>

#include "imaging/BmpFile.h"
#include "imaging/DibReader.h"
#include "imaging/DibWriter.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace qrv::img;

namespace {

void CheckRoundTrip(const Image &img)
{
    std::vector<uint8_t> again;
    Check(DibWriter::Write(img, again) == kOk);
    Image back;
    Check(DibReader::Read(again.data(), again.size(), back) == kOk && back == img);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A cap of 65,536 pixels keeps each run fast (a few bytes of RLE can ask
    // for millions); the limit logic is the same at any cap.
    DibReadOptions options;
    options.maxPixels = int64_t(1) << 16;
    Image img;
    if (DibReader::Read(data, size, img, options) == kOk)
        CheckRoundTrip(img);
    if (BmpFile::Decode(data, size, img, options) == kOk)
        CheckRoundTrip(img);
    return 0;
}
