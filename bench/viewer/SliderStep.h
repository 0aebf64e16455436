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

// A viewer on an 800 x 600 photo for a 256-colour panel beside a viewer
// property sheet, both children of pHost; `runs` slider moves.
SliderStepResult RunSliderStep(CWnd* pHost, const std::vector<uint32_t>& palette, int runs);

}  // namespace benchviewer
