#include "Screenshot.h"
#include "CapturePixels.h"
#include "MessagePump.h"
#include <wincodec.h>
#include "toolkit/ComPtr.h"
#include <cstring>
#include <vector>

namespace qrvtest {

namespace {
std::wstring Widen(const std::string& s)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? n : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
    w.resize(n > 0 ? n - 1 : 0);
    return w;
}

// Copies the window's screen rectangle into top-down 32-bit BGRA pixels.
bool Capture(HWND hWnd, int& width, int& height, std::vector<BYTE>& pixels)
{
    RECT rc;
    if (!::GetWindowRect(hWnd, &rc))
        return false;
    width = rc.right - rc.left;
    height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC hScreen = ::GetDC(nullptr);
    const std::vector<uint32_t> rgb = CapturePixels(hScreen, rc.left, rc.top, width, height);
    ::ReleaseDC(nullptr, hScreen);
    // Blue, green, red and an opaque alpha byte per pixel, as the PNG encoder takes them.
    pixels.resize(rgb.size() * 4);
    for (size_t i = 0; i < rgb.size(); ++i) {
        const uint32_t bgra = rgb[i] | 0xFF000000u;
        std::memcpy(&pixels[i * 4], &bgra, 4);
    }
    return !rgb.empty();
}

bool WritePng(const std::string& path, int width, int height, std::vector<BYTE>& pixels)
{
    HRESULT hrInit = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = false;
    {
        TComPtr<IWICImagingFactory> factory;
        TComPtr<IWICStream> stream;
        TComPtr<IWICBitmapEncoder> encoder;
        TComPtr<IWICBitmapFrameEncode> frame;
        WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
        UINT stride = (UINT)width * 4;
        ok = SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IWICImagingFactory, (void**)&factory)) &&
             SUCCEEDED(factory->CreateStream(&stream)) &&
             SUCCEEDED(stream->InitializeFromFilename(Widen(path).c_str(), GENERIC_WRITE)) &&
             SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
             SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
             SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
             SUCCEEDED(frame->SetSize((UINT)width, (UINT)height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
             SUCCEEDED(frame->WritePixels((UINT)height, stride, stride * (UINT)height, pixels.data())) &&
             SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    }
    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return ok;
}
}

bool SaveWindowPng(HWND hWnd, const std::string& path)
{
    if (!::IsWindow(hWnd))
        return false;
    ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpFor(300);
    int width = 0, height = 0;
    std::vector<BYTE> pixels;
    return Capture(hWnd, width, height, pixels) && WritePng(path, width, height, pixels);
}

}
