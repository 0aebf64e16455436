#include "bench/viewer/SliderStep.h"

#include <afxcmn.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "bench/viewer/BenchChain.h"
#include "imaging/DibWriter.h"
#include "viewer/LeadViewerPpg.h"
#include "viewer/LeadViewerWnd.h"
#include "viewer/ViewerPps.h"

namespace benchviewer {

namespace {

const int kContrastSlider = 43805;

HGLOBAL PhotoDib(int w, int h)
{
    std::vector<uint8_t> dib;
    qrv::img::DibWriter::Write(MakePhoto(w, h), dib);
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    std::memcpy(::GlobalLock(hDib), dib.data(), dib.size());
    ::GlobalUnlock(hDib);
    return hDib;
}

// Everything queued for the windows (the panel frame's erase and paint)
// done, as the user would see it.
void Drain(CWnd* pHost)
{
    ::RedrawWindow(pHost->m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace

SliderStepResult RunSliderStep(CWnd* pHost, const std::vector<uint32_t>& palette, int runs, CSize sizeSource,
                               CSize sizePanel)
{
    SliderStepResult result;
    CLeadViewerWnd viewer(VWS_PANELTABS);
    if (!viewer.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 440, 500), pHost, 7100))
        return result;
    viewer.SetColorInfo(8, nullptr, reinterpret_cast<const unsigned long*>(palette.data()), nullptr, nullptr);
    viewer.SetImageSize(sizePanel);
    HGLOBAL hDib = PhotoDib(sizeSource.cx, sizeSource.cy);
    const int loaded = viewer.SetImage(hDib);
    ::GlobalFree(hDib);
    if (!loaded)
        return result;
    viewer.Refresh();

    CStringArray names;
    names.Add("16 Farben");
    names.Add("256 Farben");
    names.Add("65536 Farben");
    CViewerPps sheet(&names, "", pHost, 0);
    sheet.EnableSizeToPage(1);
    if (!sheet.Create(pHost, WS_CHILD | WS_VISIBLE | DS_3DLOOK | DS_SETFONT, 0))
        return result;
    sheet.SetWindowPos(nullptr, 450, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sheet.SetCurViewer(&viewer);
    sheet.SetActivePage(0);
    CLeadViewerPpg* pPage = viewer.GetImagePage();
    CWnd* pSlider = pPage && pPage->m_hWnd ? pPage->GetDlgItem(kContrastSlider) : nullptr;
    if (!pSlider)
        return result;
    Drain(pHost);

    result.ok = true;
    std::vector<double> times, handler;
    for (int i = 0; i < runs; ++i) {
        // Back and forth between two positions, so every move changes the contrast.
        const int pos = i % 2 ? 5 : -3;
        pSlider->SendMessage(TBM_SETPOS, TRUE, pos);
        const auto start = std::chrono::steady_clock::now();
        pPage->SendMessage(WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos), (LPARAM)pSlider->m_hWnd);
        handler.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        Drain(pHost);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        result.ok = result.ok && viewer.GetContrast() == pos * 10;
    }
    std::sort(times.begin(), times.end());
    result.medianMs = times[times.size() / 2];
    result.maxMs = times.back();
    std::sort(handler.begin(), handler.end());
    result.handlerMs = handler[handler.size() / 2];
    viewer.RemovePropertyPages(&sheet);
    sheet.DestroyWindow();
    viewer.DestroyWindow();
    return result;
}

}  // namespace benchviewer
