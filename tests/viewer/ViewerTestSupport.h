// Doubles for the image viewer's tests: an imaging control that journals the
// calls the viewer makes and then does the real work (so the same control
// gives both the call order and the pixels), a frame and a viewer that use
// it, and a viewer that reaches the pipeline's protected steps.
#pragma once
#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "imaging/Image.h"
#include "viewer/Lead.h"
#include "viewer/LeadFrame.h"
#include "viewer/LeadViewerWnd.h"

namespace viewertest {

using Journal = std::vector<std::string>;

// Journals every processing and exchange call, then runs the real control.
// Info answers can be forced to stand for a file the control never reads.
class RecordingLead : public CLead
{
public:
    explicit RecordingLead(Journal* pJournal) : m_pJournal(pJournal) {}

    struct FakeInfo {
        short nFormat = 0;
        float fWidth = 0, fHeight = 0;
        long nXRes = 0, nYRes = 0;
    };
    // GetFileInfo answers 0 and the Info... getters these values.
    void FakeFileInfo(const FakeInfo& info) { m_bFakeInfo = true; m_fake = info; }

    short Load(LPCSTR pszFileName, short nBits, long nPage, long nPages) override;
    short GetFileInfo(LPCSTR pszFileName, long nPage, long nFlags) override;
    short GetInfoFormat() override;
    float GetInfoWidth() override;
    float GetInfoHeight() override;
    long GetInfoXRes() override;
    long GetInfoYRes() override;
    void SetWMFResolution(long nDpi) override;
    void SetBitmap(HBITMAP hBitmap) override;
    HGLOBAL GetDIB() override;
    short SetDIB(HGLOBAL hDib) override;
    short Median(short n) override;
    short Average(short n) override;
    short Sharpen(short n) override;
    short Intensity(short n) override;
    short Contrast(short n) override;
    short Invert() override;
    short Flip() override;
    short Reverse() override;
    short Size(float w, float h, short nFlags) override;
    short ColorRes(short nBits, short nPalette, short nDither, short nColors) override;
    void SetForePalette(BOOL bFore) override;
    void SetPaintPalette(short n) override;
    void SetPaintDither(short n) override;
    void SetPaintSizeMode(short n) override;
    void SetAutoRepaint(BOOL b) override;
    void SetAutoSetRects(BOOL b) override;
    void SetAutoSize(BOOL b) override;
    void SetBackErase(BOOL b) override;
    void SetBackColor(COLORREF cr) override;
    short ForceRepaint() override;

private:
    void Log(const std::string& s) { if (m_pJournal) m_pJournal->push_back(s); }
    Journal* m_pJournal;
    bool m_bFakeInfo = false;
    FakeInfo m_fake;
};

class RecordingFrame : public CLeadFrame
{
public:
    explicit RecordingFrame(Journal* pJournal) : m_pJournal(pJournal) {}

protected:
    CLead* CreateLeadCtrl() override { return new RecordingLead(m_pJournal); }

private:
    Journal* m_pJournal;
};

// The image viewer over recording controls: the source control journals into
// sourceLog, the panel control into panelLog, the original into originalLog.
class TestViewer : public CLeadViewerWnd
{
public:
    explicit TestViewer(DWORD dwStyle = 0, bool bMissingControl = false)
        : CLeadViewerWnd(dwStyle), m_bMissingControl(bMissingControl) {}

    Journal sourceLog, panelLog, originalLog;

    using CLeadViewerWnd::UpdatePanelImage;
    using CLeadViewerWnd::GetLeadDitherType;
    void SetFitSize(CSize size) { m_sizeFit = size; }
    RecordingLead* Source() { return static_cast<RecordingLead*>(GetSourceCtrl()); }
    void ClearLogs() { sourceLog.clear(); panelLog.clear(); originalLog.clear(); }

protected:
    CLead* CreateLeadCtrl() override
    {
        return m_bMissingControl ? nullptr : new RecordingLead(&sourceLog);
    }
    CLeadFrame* CreateLeadFrame() override
    {
        return new RecordingFrame(m_nFrames++ == 0 ? &panelLog : &originalLog);
    }

private:
    bool m_bMissingControl;
    int m_nFrames = 0;
};

// The entries of a journal that start with one of the prefixes, in order.
Journal Only(const Journal& journal, const std::vector<std::string>& prefixes);
// The last entry starting with prefix, or "" when there is none.
std::string Last(const Journal& journal, const std::string& prefix);

// A w x h 24-bit image whose pixels run through n distinct colours.
qrv::img::Image ColorfulImage(int w, int h, int n);
// A w x h indexed image of the given depth, pixel (x + y) mod 2^bits.
qrv::img::Image IndexedImage(int w, int h, int bits);
// A temporary folder of the test program, created on first use, ending in a backslash.
std::string TempFolder();

}  // namespace viewertest
