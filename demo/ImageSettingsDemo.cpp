#include "ImageSettingsDemo.h"
#include "PanelPalettes.h"
#include "SampleImages.h"
#include "resources/resource.h"
#include "viewer/ImageSettingsDlg.h"
#include <stdlib.h>

namespace {
const char kSettingsSample[] = "landscape-565.bmp";

CString DescribeDib(HGLOBAL hDib)
{
    CString text = "Das Bild für das Panel ist leer.";
    if (auto* pInfo = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(hDib))) {
        text.Format("Das Bild für das Panel hat %ld × %ld Punkte mit %u Bit je Punkt.", pInfo->biWidth,
                    labs(pInfo->biHeight), (unsigned)pInfo->biBitCount);
        ::GlobalUnlock(hDib);
    }
    return text;
}

// The dialog keeps the source; it is freed with the dialog.
class CSettingsDialog : public CImageSettingsDlg
{
public:
    CSettingsDialog(HGLOBAL hSource, int nColorBits, CWnd* pParent)
        : CImageSettingsDlg(hSource, nColorBits, CPanelPalettes::Pal16(), CPanelPalettes::Pal256(),
                            CPanelPalettes::ColorNames(), CPanelPalettes::PalPlx508(), CPanelPalettes::Pal8(),
                            pParent),
          m_hSource(hSource)
    {
    }
    ~CSettingsDialog() override { ::GlobalFree(m_hSource); }

private:
    HGLOBAL m_hSource;
};
}

void CImageSettingsDemo::Run(CWnd* pParent, int nColorBits)
{
    HGLOBAL hSource = CSampleImages::LoadDib(CSampleImages::PathOf(kSettingsSample));
    if (!hSource) {
        pParent->MessageBox(CString("Das Beispielbild fehlt: ") + kSettingsSample, "Grafik Einstellungen",
                            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CSettingsDialog dlg(hSource, nColorBits, pParent);
    if (dlg.DoModal() == IDOK) {
        if (HGLOBAL hResult = static_cast<HGLOBAL>(dlg.GetDIB())) {
            pParent->MessageBox(DescribeDib(hResult), "Grafik Einstellungen", MB_OK | MB_ICONINFORMATION);
            ::GlobalFree(hResult);
        }
    }
}

CDialog* CImageSettingsDemo::Open(CWnd* pParent, int nColorBits)
{
    HGLOBAL hSource = CSampleImages::LoadDib(CSampleImages::PathOf(kSettingsSample));
    if (!hSource)
        return nullptr;
    auto* pDlg = new CSettingsDialog(hSource, nColorBits, pParent);
    // Modeless for the picture: the same initialisation as the modal run.
    if (!pDlg->Create(IDD_IMAGE_SETTINGS, pParent)) {
        delete pDlg;
        return nullptr;
    }
    pDlg->CenterWindow();
    pDlg->ShowWindow(SW_SHOW);
    return pDlg;
}
