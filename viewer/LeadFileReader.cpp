#include "viewer/LeadFileReader.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <new>

#include "imaging/BmpFile.h"
#include "toolkit/ComPtr.h"
#include "viewer/EmfRecords.h"
#include "viewer/Lead.h"
#include "viewer/WmfRecords.h"

using qrv::img::Image;

namespace {

const uint32_t kPlaceableKey = 0x9AC6CDD7;
const uint32_t kEmfSignature = 0x464D4520;  // " EMF"
const size_t kPlaceableHeaderSize = 22;
const size_t kMetaHeaderSize = 18;

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8 | p[2] << 16) | uint32_t(p[3]) << 24; }

short ReadWholeFile(LPCSTR pszFileName, std::vector<uint8_t>& data)
{
    if (!pszFileName || !*pszFileName)
        return CLead::errInvalidParameter;
    const DWORD attr = ::GetFileAttributesA(pszFileName);
    if (attr == INVALID_FILE_ATTRIBUTES)
        return CLead::errFileNotFound;
    if (attr & FILE_ATTRIBUTE_DIRECTORY)
        return CLead::errFileRead;
    HANDLE h = ::CreateFileA(pszFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return CLead::errFileRead;
    short nResult = CLead::errNone;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(h, &size)) {
        nResult = CLead::errFileRead;
    } else if (uint64_t(size.QuadPart) > qrv::img::BmpFile::kMaxFileSize) {
        nResult = CLead::errTooLarge;
    } else {
        try {
            data.resize(size_t(size.QuadPart));
            DWORD nRead = 0;
            if (!data.empty() &&
                (!::ReadFile(h, data.data(), DWORD(data.size()), &nRead, nullptr) ||
                 nRead != data.size()))
                nResult = CLead::errFileRead;
        } catch (const std::bad_alloc&) {
            nResult = CLead::errNoMemory;
        }
    }
    ::CloseHandle(h);
    return nResult;
}

short FromHresult(HRESULT hr)
{
    switch (hr) {
    case WINCODEC_ERR_COMPONENTNOTFOUND:
    case WINCODEC_ERR_UNKNOWNIMAGEFORMAT:
        return CLead::errUnknownFormat;
    case WINCODEC_ERR_BADHEADER:
    case WINCODEC_ERR_BADIMAGE:
        return CLead::errBadHeader;
    case WINCODEC_ERR_FRAMEMISSING:
        return CLead::errInvalidParameter;
    case E_OUTOFMEMORY:
        return CLead::errNoMemory;
    case WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT:
        return CLead::errUnsupported;
    default:
        return CLead::errCorrupt;
    }
}

short FormatOf(const GUID& container)
{
    if (container == GUID_ContainerFormatPng) return CLead::fmtPng;
    if (container == GUID_ContainerFormatJpeg) return CLead::fmtJpeg;
    if (container == GUID_ContainerFormatGif) return CLead::fmtGif;
    if (container == GUID_ContainerFormatTiff) return CLead::fmtTif;
    if (container == GUID_ContainerFormatBmp) return CLead::fmtBmp;
    return CLead::fmtUnknown;
}

// Indexed WIC formats are copied as they are (whole rows: Wine refuses
// sub-byte X offsets), everything else goes through 32bppBGRA, the one
// conversion Wine performs from every source format.
int IndexedBits(const WICPixelFormatGUID& pf)
{
    if (pf == GUID_WICPixelFormat1bppIndexed) return 1;
    if (pf == GUID_WICPixelFormat2bppIndexed) return 2;
    if (pf == GUID_WICPixelFormat4bppIndexed) return 4;
    if (pf == GUID_WICPixelFormat8bppIndexed) return 8;
    return 0;
}

// COM for the duration of one read; the host's thread may or may not have
// initialised it already.
struct ComScope {
    HRESULT hr;
    ComScope() : hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() { if (SUCCEEDED(hr)) ::CoUninitialize(); }
};

short BitsOf(IWICImagingFactory* factory, const WICPixelFormatGUID& pf)
{
    TComPtr<IWICComponentInfo> ci;
    TComPtr<IWICPixelFormatInfo> pfi;
    UINT bits = 0;
    if (SUCCEEDED(factory->CreateComponentInfo(pf, &ci)) &&
        SUCCEEDED(ci->QueryInterface(IID_IWICPixelFormatInfo, reinterpret_cast<void**>(&pfi))))
        pfi->GetBitsPerPixel(&bits);
    return short(bits);
}

short CopyIndexed(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int bits, Image& out)
{
    UINT w = 0, h = 0;
    frame->GetSize(&w, &h);
    Image img;
    qrv::img::Status s = img.Create(int(w), int(h), bits);
    if (s != qrv::img::kOk)
        return CLead::FromStatus(s);
    TComPtr<IWICPalette> pal;
    HRESULT hr = factory->CreatePalette(&pal);
    if (SUCCEEDED(hr))
        hr = frame->CopyPalette(pal);
    UINT n = 0;
    WICColor colors[256];
    if (SUCCEEDED(hr))
        hr = pal->GetColors(256, colors, &n);
    if (FAILED(hr))
        return FromHresult(hr);
    if (n == 0 || n > (1u << bits))
        return CLead::errBadHeader;
    img.Palette().resize(n);
    for (UINT i = 0; i < n; ++i) {
        qrv::img::Bgra& c = img.Palette()[i];
        c.b = uint8_t(colors[i]);
        c.g = uint8_t(colors[i] >> 8);
        c.r = uint8_t(colors[i] >> 16);
    }
    hr = frame->CopyPixels(nullptr, UINT(img.Stride()), UINT(img.Stride() * h), img.Data());
    if (FAILED(hr))
        return FromHresult(hr);
    if (!img.IndexesInPalette())
        return CLead::errBadPaletteIndex;
    out = std::move(img);
    return CLead::errNone;
}

short CopyTrueColor(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, Image& out)
{
    TComPtr<IWICFormatConverter> conv;
    HRESULT hr = factory->CreateFormatConverter(&conv);
    if (SUCCEEDED(hr))
        hr = conv->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom);
    if (FAILED(hr))
        return FromHresult(hr);
    UINT w = 0, h = 0;
    frame->GetSize(&w, &h);
    Image bgra;
    qrv::img::Status s = bgra.Create(int(w), int(h), 32);
    if (s != qrv::img::kOk)
        return CLead::FromStatus(s);
    hr = conv->CopyPixels(nullptr, UINT(bgra.Stride()), UINT(bgra.Stride() * h), bgra.Data());
    if (FAILED(hr))
        return FromHresult(hr);
    Image rgb;
    s = rgb.Create(int(w), int(h), 24);
    if (s != qrv::img::kOk)
        return CLead::FromStatus(s);
    // Transparent parts show as on a white page.
    for (UINT y = 0; y < h; ++y) {
        const uint8_t* src = bgra.Row(int(y));
        uint8_t* dst = rgb.Row(int(y));
        for (UINT x = 0; x < w; ++x, src += 4, dst += 3) {
            const int a = src[3];
            for (int c = 0; c < 3; ++c)
                dst[c] = uint8_t((src[c] * a + 255 * (255 - a) + 127) / 255);
        }
    }
    out = std::move(rgb);
    return CLead::errNone;
}

// A 32-bit white page of w x h pixels that GDI draws into, copied to a
// 24-bit image afterwards.
template <class Draw>
short Rasterise(int w, int h, Draw draw, Image& out)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HBITMAP hbm = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hdc || !hbm) {
        if (hbm) ::DeleteObject(hbm);
        if (hdc) ::DeleteDC(hdc);
        return CLead::errNoMemory;
    }
    HGDIOBJ old = ::SelectObject(hdc, hbm);
    RECT rc = {0, 0, w, h};
    ::FillRect(hdc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const BOOL ok = draw(hdc, rc);
    ::GdiFlush();
    short nResult = ok ? short(CLead::errNone) : short(CLead::errCorrupt);
    Image img;
    if (ok) {
        qrv::img::Status s = img.Create(w, h, 24);
        if (s != qrv::img::kOk)
            nResult = CLead::FromStatus(s);
        else
            for (int y = 0; y < h; ++y) {
                const uint8_t* src = static_cast<const uint8_t*>(bits) + size_t(y) * size_t(w) * 4;
                uint8_t* dst = img.Row(y);
                for (int x = 0; x < w; ++x)
                    std::memcpy(dst + 3 * x, src + 4 * x, 3);
            }
    }
    ::SelectObject(hdc, old);
    ::DeleteObject(hbm);
    ::DeleteDC(hdc);
    if (nResult == CLead::errNone)
        out = std::move(img);
    return nResult;
}

}  // namespace

short CLeadFileReader::CheckSize(int nWidth, int nHeight)
{
    if (nWidth <= 0 || nHeight <= 0)
        return CLead::errBadHeader;
    if (nWidth > Image::kMaxDimension || nHeight > Image::kMaxDimension ||
        int64_t(nWidth) * nHeight > Image::kMaxPixels)
        return CLead::errTooLarge;
    return CLead::errNone;
}

// The Info of a metafile rasterised to w x h pixels (at least 1 x 1) at
// nDpi, once the size is within the control's limits.
short CLeadFileReader::MetafileInfo(short nFormat, int64_t w, int64_t h, long nDpi, Info& fi)
{
    short nResult = CheckSize(int(w > INT32_MAX ? INT32_MAX : (w < 1 ? 1 : w)),
                              int(h > INT32_MAX ? INT32_MAX : (h < 1 ? 1 : h)));
    if (nResult != CLead::errNone)
        return nResult;
    fi.nFormat = nFormat;
    fi.nWidth = int(w < 1 ? 1 : w);
    fi.nHeight = int(h < 1 ? 1 : h);
    fi.nXRes = fi.nYRes = nDpi;
    fi.nBits = 24;
    return CLead::errNone;
}

short CLeadFileReader::Read(LPCSTR pszFileName, long nPage, long nMetaDpi, bool bPixels,
                            Info& info, Image& image)
{
    std::vector<uint8_t> data;
    short nResult = ReadWholeFile(pszFileName, data);
    if (nResult != CLead::errNone)
        return nResult;
    if (data.size() < 4)
        return data.empty() ? CLead::errTruncated : CLead::errUnknownFormat;
    if (nPage < 0)
        return CLead::errInvalidParameter;
    const long nDpi = nMetaDpi > 0 ? nMetaDpi : long(CLead::kDefaultMetafileDpi);
    if (data[0] == 'B' && data[1] == 'M')
        return nPage == 0 ? ReadBmp(data, bPixels, info, image) : short(CLead::errInvalidParameter);
    if (Le32(data.data()) == kPlaceableKey)
        return ReadWmf(data, nDpi, bPixels, info, image);
    if (Le32(data.data()) == 1 && data.size() >= 44 && Le32(data.data() + 40) == kEmfSignature)
        return ReadEmf(data, nDpi, bPixels, info, image);
    nResult = CheckDeclaredSizes(data);
    if (nResult != CLead::errNone)
        return nResult;
    return ReadWic(data, nPage, bPixels, info, image);
}

short CLeadFileReader::CheckDeclaredSizes(const std::vector<uint8_t>& data)
{
    const uint8_t* p = data.data();
    const size_t n = data.size();
    auto be16 = [&](size_t at) { return int(p[at] << 8 | p[at + 1]); };
    auto be32 = [&](size_t at) { return uint32_t(be16(at)) << 16 | uint32_t(be16(at + 2)); };
    auto clamp = [](uint32_t v) { return v > 0x7FFFFFFF ? 0x7FFFFFFF : int(v); };
    if (n >= 24 && std::memcmp(p, "\x89PNG", 4) == 0 && std::memcmp(p + 12, "IHDR", 4) == 0)
        return CheckSize(clamp(be32(16)), clamp(be32(20)));
    if (n >= 6 && (std::memcmp(p, "GIF87a", 6) == 0 || std::memcmp(p, "GIF89a", 6) == 0))
        return CheckGifSizes(data);
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8) {
        // Segments up to the frame header (SOF0..SOF15 without DHT, JPG, DAC).
        size_t i = 2;
        while (i + 4 <= n && p[i] == 0xFF) {
            const int m = p[i + 1];
            if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC)
                return i + 9 <= n ? CheckSize(be16(i + 7), be16(i + 5)) : short(CLead::errTruncated);
            i += 2 + size_t(be16(i + 2));
        }
        return CLead::errNone;
    }
    if (n >= 8 && ((p[0] == 'I' && p[1] == 'I') || (p[0] == 'M' && p[1] == 'M'))) {
        const bool be = p[0] == 'M';
        auto get16 = [&](size_t at) { return be ? uint32_t(be16(at)) : uint32_t(Le16(p + at)); };
        auto get32 = [&](size_t at) { return be ? be32(at) : Le32(p + at); };
        const size_t ifd = get32(4);
        if (ifd + 2 > n)
            return CLead::errNone;  // WIC reports the damage
        const size_t count = get16(ifd);
        uint32_t w = 1, h = 1;
        for (size_t k = 0; k < count && ifd + 2 + k * 12 + 12 <= n; ++k) {
            const size_t e = ifd + 2 + k * 12;
            const uint32_t tag = get16(e), type = get16(e + 2);
            const uint32_t v = type == 3 ? get16(e + 8) : get32(e + 8);
            if (tag == 256) w = v;
            if (tag == 257) h = v;
        }
        return CheckSize(clamp(w), clamp(h));
    }
    return CLead::errNone;
}

short CLeadFileReader::CheckGifSizes(const std::vector<uint8_t>& data)
{
    // The logical screen and every image descriptor.
    const uint8_t* p = data.data();
    const size_t n = data.size();
    if (n < 13)
        return CLead::errTruncated;
    short nResult = CheckSize(Le16(p + 6) ? Le16(p + 6) : 1, Le16(p + 8) ? Le16(p + 8) : 1);
    if (nResult != CLead::errNone)
        return nResult;
    size_t i = 13;
    if (p[10] & 0x80)
        i += size_t(3) << ((p[10] & 7) + 1);
    auto skipSubBlocks = [&]() {
        while (i < n && p[i])
            i += size_t(p[i]) + 1;
        ++i;
    };
    while (i < n && p[i] != 0x3B) {
        if (p[i] == 0x21) {
            i += 2;
            skipSubBlocks();
        } else if (p[i] == 0x2C) {
            if (i + 10 > n)
                return CLead::errTruncated;
            nResult = CheckSize(Le16(p + i + 5) ? Le16(p + i + 5) : 1,
                                Le16(p + i + 7) ? Le16(p + i + 7) : 1);
            if (nResult != CLead::errNone)
                return nResult;
            const uint8_t flags = p[i + 9];
            i += 10;
            if (flags & 0x80)
                i += size_t(3) << ((flags & 7) + 1);
            ++i;  // LZW minimum code size
            skipSubBlocks();
        } else {
            break;  // anything else is WIC's to report
        }
    }
    return CLead::errNone;
}

short CLeadFileReader::ReadBmp(const std::vector<uint8_t>& data, bool bPixels, Info& info,
                               Image& image)
{
    // The header alone, for the file's facts without decoding the pixels.
    const size_t n = data.size();
    if (n < 14 + 12)
        return CLead::errTruncated;
    const uint8_t* h = data.data() + 14;
    const uint32_t nHeader = Le32(h);
    Info fi;
    fi.nFormat = CLead::fmtBmp;
    if (nHeader == 12) {
        fi.nWidth = Le16(h + 4);
        fi.nHeight = Le16(h + 6);
        fi.nBits = short(Le16(h + 10));
        fi.nXRes = fi.nYRes = 96;
    } else if (nHeader >= 40) {
        if (n < 14 + 40)
            return CLead::errTruncated;
        const int32_t height = int32_t(Le32(h + 8));
        fi.nWidth = int32_t(Le32(h + 4));
        fi.nHeight = height == INT32_MIN ? -1 : (height < 0 ? -height : height);
        fi.nBits = short(Le16(h + 14));
        // Pixels per metre to dots per inch; 0 (unknown) reads as the screen's.
        const int32_t xppm = int32_t(Le32(h + 24)), yppm = int32_t(Le32(h + 28));
        fi.nXRes = xppm > 0 ? long((xppm * 254LL + 5000) / 10000) : 96;
        fi.nYRes = yppm > 0 ? long((yppm * 254LL + 5000) / 10000) : 96;
    } else {
        return CLead::errBadHeader;
    }
    short nResult = CheckSize(fi.nWidth, fi.nHeight);
    if (nResult != CLead::errNone)
        return nResult;
    if (bPixels) {
        Image img;
        nResult = CLead::FromStatus(qrv::img::BmpFile::Decode(data.data(), data.size(), img));
        if (nResult != CLead::errNone)
            return nResult;
        image = std::move(img);
    }
    info = fi;
    return CLead::errNone;
}

short CLeadFileReader::ReadWic(const std::vector<uint8_t>& data, long nPage, bool bPixels,
                               Info& info, Image& image)
{
    ComScope com;
    TComPtr<IWICImagingFactory> factory;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return CLead::errFailure;
    TComPtr<IWICStream> stream;
    hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), DWORD(data.size()));
    TComPtr<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(hr))
        hr = factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                              &decoder);
    if (FAILED(hr))
        return FromHresult(hr);
    GUID container = {};
    decoder->GetContainerFormat(&container);
    UINT nFrames = 0;
    hr = decoder->GetFrameCount(&nFrames);
    if (FAILED(hr))
        return FromHresult(hr);
    if (UINT(nPage) >= nFrames)
        return nFrames ? CLead::errInvalidParameter : CLead::errCorrupt;
    TComPtr<IWICBitmapFrameDecode> frame;
    hr = decoder->GetFrame(UINT(nPage), &frame);
    if (FAILED(hr))
        return FromHresult(hr);

    Info fi;
    fi.nFormat = FormatOf(container);
    UINT w = 0, h = 0;
    double dx = 0, dy = 0;
    WICPixelFormatGUID pf = {};
    if (FAILED(hr = frame->GetSize(&w, &h)) || FAILED(hr = frame->GetPixelFormat(&pf)))
        return FromHresult(hr);
    // A header may claim any size; Wine stalls for seconds copying a huge one.
    short nResult = CheckSize(int(w > 0x7FFFFFFF ? 0x7FFFFFFF : w), int(h > 0x7FFFFFFF ? 0x7FFFFFFF : h));
    if (nResult != CLead::errNone)
        return nResult;
    fi.nWidth = int(w);
    fi.nHeight = int(h);
    if (FAILED(frame->GetResolution(&dx, &dy)) || dx <= 0 || dy <= 0)
        dx = dy = 96;
    fi.nXRes = long(dx + 0.5);
    fi.nYRes = long(dy + 0.5);
    fi.nBits = BitsOf(factory, pf);

    if (bPixels) {
        Image img;
        try {
            const int nIndexed = IndexedBits(pf);
            nResult = nIndexed ? CopyIndexed(factory, frame, nIndexed, img)
                               : CopyTrueColor(factory, frame, img);
        } catch (const std::bad_alloc&) {
            nResult = CLead::errNoMemory;
        }
        if (nResult != CLead::errNone)
            return nResult;
        image = std::move(img);
    }
    info = fi;
    return CLead::errNone;
}

short CLeadFileReader::ReadWmf(const std::vector<uint8_t>& data, long nDpi, bool bPixels,
                               Info& info, Image& image)
{
    // The placeable header GDI does not read: bounding box and units per inch.
    if (data.size() < kPlaceableHeaderSize + kMetaHeaderSize)
        return CLead::errTruncated;
    const uint8_t* p = data.data();
    const int left = int16_t(Le16(p + 6)), top = int16_t(Le16(p + 8));
    const int right = int16_t(Le16(p + 10)), bottom = int16_t(Le16(p + 12));
    const int inch = Le16(p + 14);
    const uint8_t* mh = p + kPlaceableHeaderSize;
    const uint16_t type = Le16(mh), headerWords = Le16(mh + 2);
    const uint64_t bytes = uint64_t(Le32(mh + 6)) * 2;
    if (inch == 0 || right <= left || bottom <= top || (type != 1 && type != 2) || headerWords != 9)
        return CLead::errBadHeader;
    if (bytes < kMetaHeaderSize)
        return CLead::errBadHeader;
    if (bytes > data.size() - kPlaceableHeaderSize)
        return CLead::errTruncated;
    const int64_t w = (int64_t(right - left) * nDpi + inch / 2) / inch;
    const int64_t h = (int64_t(bottom - top) * nDpi + inch / 2) / inch;
    Info fi;
    short nResult = MetafileInfo(CLead::fmtWmf, w, h, nDpi, fi);
    if (nResult != CLead::errNone)
        return nResult;
    if (bPixels) {
        if (!WmfRecordsAreSound(mh, size_t(bytes)))
            return CLead::errCorrupt;
        HMETAFILE hmf = ::SetMetaFileBitsEx(UINT(bytes), mh);
        if (!hmf)
            return CLead::errCorrupt;
        Image img;
        nResult = Rasterise(fi.nWidth, fi.nHeight, [&](HDC hdc, const RECT& rc) {
            ::SetMapMode(hdc, MM_ANISOTROPIC);
            ::SetWindowOrgEx(hdc, left, top, nullptr);
            ::SetWindowExtEx(hdc, right - left, bottom - top, nullptr);
            ::SetViewportExtEx(hdc, rc.right, rc.bottom, nullptr);
            return ::PlayMetaFile(hdc, hmf);
        }, img);
        ::DeleteMetaFile(hmf);
        if (nResult != CLead::errNone)
            return nResult;
        image = std::move(img);
    }
    info = fi;
    return CLead::errNone;
}

short CLeadFileReader::ReadEmf(const std::vector<uint8_t>& data, long nDpi, bool bPixels,
                               Info& info, Image& image)
{
    if (data.size() < 88)
        return CLead::errTruncated;
    const uint8_t* p = data.data();
    const uint32_t nSize = Le32(p + 4);
    const uint32_t nBytes = Le32(p + 48);
    // The frame in hundredths of a millimetre.
    const int64_t fl = int32_t(Le32(p + 24)), ft = int32_t(Le32(p + 28));
    const int64_t fr = int32_t(Le32(p + 32)), fb = int32_t(Le32(p + 36));
    if (nSize < 88 || nSize > nBytes || fr <= fl || fb <= ft)
        return CLead::errBadHeader;
    if (nBytes > data.size())
        return CLead::errTruncated;
    const int64_t w = ((fr - fl) * nDpi + 1270) / 2540;
    const int64_t h = ((fb - ft) * nDpi + 1270) / 2540;
    Info fi;
    short nResult = MetafileInfo(CLead::fmtEmf, w, h, nDpi, fi);
    if (nResult != CLead::errNone)
        return nResult;
    if (bPixels) {
        if (!EmfRecordsAreSound(p, nBytes))
            return CLead::errCorrupt;
        HENHMETAFILE hemf = ::SetEnhMetaFileBits(nBytes, p);
        if (!hemf)
            return CLead::errCorrupt;
        Image img;
        nResult = Rasterise(fi.nWidth, fi.nHeight, [&](HDC hdc, const RECT& rc) {
            return ::PlayEnhMetaFile(hdc, hemf, &rc);
        }, img);
        ::DeleteEnhMetaFile(hemf);
        if (nResult != CLead::errNone)
            return nResult;
        image = std::move(img);
    }
    info = fi;
    return CLead::errNone;
}
