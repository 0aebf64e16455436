// libFuzzer target for the record checks that run before metafiles are
// played: the Windows metafile check on the input as the metafile's bytes,
// the enhanced metafile check on the same bytes. Under ASan a read outside
// the input is a finding; an accepted Windows metafile must also end in the
// end record the walk stopped at, inside the input.
#include <cstdint>
#include <vector>

#include "tests/fuzz/FuzzCheck.h"
#include "viewer/EmfRecords.h"
#include "viewer/WmfRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of exactly the input's size, so that ASan sees any read past it.
    const std::vector<uint8_t> bytes(data, data + size);
    const uint8_t *p = bytes.empty() ? nullptr : bytes.data();
    if (p && WmfRecordsAreSound(p, size)) {
        size_t at = 18;
        for (;;) {
            Check(at + 6 <= size);
            const uint32_t words = uint32_t(p[at] | p[at + 1] << 8 | p[at + 2] << 16) | uint32_t(p[at + 3])
                                                                                            << 24;
            Check(words >= 3 && words <= (size - at) / 2);
            if ((p[at + 4] | p[at + 5]) == 0)
                break;
            at += size_t(words) * 2;
        }
    }
    if (p)
        EmfRecordsAreSound(p, size);
    return 0;
}
