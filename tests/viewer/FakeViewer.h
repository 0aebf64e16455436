// A viewer that only journals what the main viewer window asks of it, for
// the tests of the viewer framework.
#pragma once
#include <afxwin.h>

#include <string>
#include <vector>

#include "viewer/ViewerWnd.h"

namespace viewertest {

class FakeViewer : public CViewerWnd
{
public:
    FakeViewer(int nType, const char* pszFileInfo) : CViewerWnd(nType, 0) { SetFileInfo(pszFileInfo); }

    std::vector<std::string> calls;
    int nColorBits = -1;
    const unsigned long* pColorPalettes[4] = {nullptr, nullptr, nullptr, nullptr};
    int nLoadResult = 1;
    CSize sizeImage{0, 0};

    void SetColorInfo(int nBits, const unsigned long* p16, const unsigned long* p256, const unsigned long* pPlx,
                      const unsigned long* p8) override
    {
        calls.push_back("SetColorInfo");
        nColorBits = nBits;
        pColorPalettes[0] = p16;
        pColorPalettes[1] = p256;
        pColorPalettes[2] = pPlx;
        pColorPalettes[3] = p8;
    }
    CSize& GetImageSize() override { return sizeImage; }
    void* GetPanelImage() override { return nullptr; }
    void* GetOriginalImage() override { return nullptr; }
    int SetImage(void*) override { calls.push_back("SetImage"); return 1; }
    int LoadFile(LPCSTR pszPath) override
    {
        calls.push_back(std::string("LoadFile ") + pszPath);
        if (nLoadResult)
            SetFileName(pszPath);
        return nLoadResult;
    }
    int CacheData(COleDataSource*) override { calls.push_back("CacheData"); return 7; }
    void Refresh() override { calls.push_back("Refresh"); }
    int HasPropertyPages() override { return 0; }
    void AddPropertyPages(CPropertySheet*) override {}
    void RemovePropertyPages(CPropertySheet*) override {}
};

}  // namespace viewertest
