// The viewer benchmark's chain on the natively built imaging core; prints
// its median time in milliseconds for the Windows side to compare with.
#include <cstdio>

#include "bench/viewer/BenchChain.h"

int main()
{
    const qrv::img::Image photo = benchviewer::MakePhoto(800, 600);
    const std::vector<uint32_t> palette = benchviewer::PanelPalette();
    qrv::img::Image out;
    if (!benchviewer::CoreChain(photo, palette, out))
        return 1;
    std::printf("%.3f\n", benchviewer::MedianMs([&] { benchviewer::CoreChain(photo, palette, out); }, 31));
    return 0;
}
