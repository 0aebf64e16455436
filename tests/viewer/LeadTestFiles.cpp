#include "tests/viewer/LeadTestFiles.h"
#include <objbase.h>
#include <wincodec.h>
#include <algorithm>
#include <fstream>
#include <iterator>
#include "toolkit/ComPtr.h"

namespace leadtest {

bool WriteWicFile(const std::string &path, const GUID &container, const qrv::img::Image &image, double dpi)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring wide(path.size() + 1, L'\0');
    wide.resize(size_t(
        std::max(1, ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], int(wide.size()))) - 1));
    TComPtr<IWICImagingFactory> factory;
    TComPtr<IWICStream> stream;
    TComPtr<IWICBitmapEncoder> encoder;
    TComPtr<IWICBitmapFrameEncode> frame;
    TComPtr<IPropertyBag2> props;
    TComPtr<IWICPalette> palette;
    const bool indexed = image.BitsPerPixel() == 8;
    WICPixelFormatGUID pf = indexed ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat24bppBGR;
    std::vector<WICColor> colors;
    for (const qrv::img::Bgra &c : image.Palette())
        colors.push_back(0xFF000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b);
    // Each step only after the one before succeeded; the palette only for an indexed image.
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, reinterpret_cast<void **>(&factory))) &&
           SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, &props)) && SUCCEEDED(frame->Initialize(props)) &&
           SUCCEEDED(frame->SetSize(UINT(image.Width()), UINT(image.Height()))) &&
           SUCCEEDED(frame->SetResolution(dpi, dpi)) && SUCCEEDED(frame->SetPixelFormat(&pf)) &&
           (!indexed || (SUCCEEDED(factory->CreatePalette(&palette)) &&
                         SUCCEEDED(palette->InitializeCustom(colors.data(), UINT(colors.size()))) &&
                         SUCCEEDED(frame->SetPalette(palette)))) &&
           SUCCEEDED(frame->WritePixels(UINT(image.Height()), UINT(image.Stride()),
                                        UINT(image.Stride() * size_t(image.Height())),
                                        const_cast<BYTE *>(image.Data()))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

bool WriteEmfFile(const std::string &path)
{
    HDC hdcRef = ::GetDC(nullptr);
    const int dpiX = ::GetDeviceCaps(hdcRef, LOGPIXELSX), dpiY = ::GetDeviceCaps(hdcRef, LOGPIXELSY);
    RECT frame = {0, 0, 2540, 1270}; // hundredths of a millimetre
    HDC hdc = ::CreateEnhMetaFileA(hdcRef, path.c_str(), &frame, nullptr);
    ::ReleaseDC(nullptr, hdcRef);
    if (!hdc)
        return false;
    // Drawing units are the reference device's pixels.
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    RECT half = {0, 0, dpiX / 2, dpiY / 2};
    ::FillRect(hdc, &half, red);
    ::DeleteObject(red);
    HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    if (!hemf)
        return false;
    ::DeleteEnhMetaFile(hemf);
    return true;
}

bool WritePlaceableWmfFile(const std::string &path)
{
    HDC hdc = ::CreateMetaFileA(nullptr);
    if (!hdc)
        return false;
    ::SetWindowOrgEx(hdc, 0, 0, nullptr);
    ::SetWindowExtEx(hdc, 1440, 720, nullptr);
    HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldBrush = ::SelectObject(hdc, red);
    HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(NULL_PEN));
    ::Rectangle(hdc, 0, 0, 721, 721);
    ::SelectObject(hdc, oldPen);
    ::SelectObject(hdc, oldBrush);
    HMETAFILE hmf = ::CloseMetaFile(hdc);
    ::DeleteObject(red);
    if (!hmf)
        return false;
    const UINT n = ::GetMetaFileBitsEx(hmf, 0, nullptr);
    std::vector<uint8_t> bits(n);
    ::GetMetaFileBitsEx(hmf, n, bits.data());
    ::DeleteMetaFile(hmf);
    // The placeable header: key, handle, bounding box, units per inch,
    // reserved, and the XOR of its first ten words.
    uint16_t h[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 1440, 720, 1440, 0, 0, 0};
    for (int i = 0; i < 10; ++i)
        h[10] ^= h[i];
    std::vector<uint8_t> file(reinterpret_cast<uint8_t *>(h), reinterpret_cast<uint8_t *>(h) + 22);
    file.insert(file.end(), bits.begin(), bits.end());
    return WriteBytes(path, file);
}

bool WritePictureFiles(const std::string &dir, const qrv::img::Image &rgb, const qrv::img::Image &indexed,
                       double dpi)
{
    // The containers of the raster files, in the order of their names; the metafiles follow.
    const GUID containers[] = {GUID_ContainerFormatPng, GUID_ContainerFormatPng,  GUID_ContainerFormatJpeg,
                               GUID_ContainerFormatGif, GUID_ContainerFormatTiff, GUID_ContainerFormatTiff,
                               GUID_ContainerFormatBmp, GUID_ContainerFormatBmp};
    bool ok = true;
    for (size_t i = 0; i < std::size(containers); ++i)
        ok &= WriteWicFile(dir + kPictureFiles[i], containers[i], kPictureFiles[i][0] == 'p' ? indexed : rgb,
                           dpi);
    return ok && WriteEmfFile(dir + "a.emf") && WritePlaceableWmfFile(dir + "a.wmf");
}

std::vector<uint8_t> ReadBytes(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    f.close();
    return !f.fail();
}

qrv::img::Image GradientImage(int w, int h)
{
    const int dx = w > 1 ? w - 1 : 1, dy = h > 1 ? h - 1 : 1, dxy = w + h > 2 ? w + h - 2 : 1;
    return TrueColor(w, h, [=](int x, int y) {
        return uint32_t((x + y) * 255 / dxy) << 16 | uint32_t(y * 255 / dy) << 8 | uint32_t(x * 255 / dx);
    });
}

qrv::img::Image IndexedImage(int w, int h, int bits, int colors)
{
    qrv::img::Image img;
    img.Create(w, h, bits);
    const int n = colors ? colors : 1 << bits;
    img.Palette().resize(size_t(n));
    for (int i = 0; i < n; ++i)
        img.Palette()[size_t(i)] =
            qrv::img::Bgra{uint8_t(i * 37), uint8_t(255 - i * 11), uint8_t(i * 3 + 1), 0};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.SetIndex(x, y, (x * 3 + y) % n);
    return img;
}

TestPalettes::TestPalettes()
{
    for (int i = 0; i < 16; ++i)
        pal16[i] = RGB(i * 17, 255 - i * 17, (i * 50) & 255);
    for (int i = 0; i < 256; ++i) {
        pal256[i] = RGB(i, i, i);
        plx508[i] = RGB(i, 255 - i, (i * 7) & 255);
    }
    for (int i = 0; i < 8; ++i)
        pal8[i] = RGB((i & 1) * 255, ((i >> 1) & 1) * 255, ((i >> 2) & 1) * 255);
}

} // namespace leadtest
