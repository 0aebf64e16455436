// The viewer benchmark's end-to-end slider step: a contrast change made on
// the image page's slider runs through the page's scroll handler, the
// viewer's panel pipeline and the repaint of the panel control.
#pragma once

#include <afxwin.h>

#include <cstdint>
#include <vector>

namespace benchviewer {

struct SliderStepResult {
    bool ok = false;          // every step set the contrast the slider showed
    double medianMs = 0.0;
    double maxMs = 0.0;
    double handlerMs = 0.0;   // median of the scroll handler alone (pipeline and ForceRepaint)
};

// A viewer on a photo of sizeSource for a 256-colour panel of sizePanel (0 x 0:
// the photo's size) beside a viewer property sheet, both children of pHost;
// `runs` slider moves.
SliderStepResult RunSliderStep(CWnd* pHost, const std::vector<uint32_t>& palette, int runs, CSize sizeSource,
                               CSize sizePanel);

}  // namespace benchviewer
