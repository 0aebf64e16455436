// Result codes of the imaging core.
//
// Every public operation of the core reports its outcome the way the imaging
// control it stands in for does: a short that is 0 on success and a negative
// code otherwise. No exception leaves the public API; allocation failures are
// caught at the boundary and reported as kOutOfMemory.
#pragma once

namespace qrv::img {

enum Status : short {
    kOk = 0,
    kFailure = -1,           // an internal failure not covered below
    kNoImage = -2,           // the operation needs an image and there is none
    kInvalidParameter = -3,  // an argument is outside its documented range
    kOutOfMemory = -4,       // the allocation failed
    kTooLarge = -5,          // the image would exceed the core's size limits
    kTruncated = -6,         // the data ends before the header or pixels do
    kBadHeader = -7,         // a header field is inconsistent or invalid
    kUnsupported = -8,       // a valid but unsupported format variant
    kBadRle = -9,            // an RLE stream runs outside the bitmap or is malformed
    kBadPaletteIndex = -10,  // a pixel refers to an entry beyond the colour table
    kIoError = -11,          // a file could not be opened, read or written
};

}  // namespace qrv::img
