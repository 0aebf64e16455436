#include "ViewerDemo.h"
#include "ImageViewerWindow.h"
#include "PanelPalettes.h"
#include "SampleImages.h"
#include "resources/resource.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "toolkit/TabWnd.h"
#include "viewer/ImageSettingsDlg.h"
#include "viewer/LeadFrame.h"
#include "viewer/LeadViewerWnd.h"

namespace {
const char kSettingsSample[] = "landscape-565.bmp";
const char kPhotoSample[] = "landscape.png";

bool Save(CWnd* pWnd, const CString& folder, LPCSTR pszName)
{
    qrvtest::PumpFor(300);
    return qrvtest::SaveWindowPng(pWnd->m_hWnd, std::string((LPCSTR)folder) + "\\" + pszName);
}

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
}

void CViewerDemo::RunImageSettings(CWnd* pParent)
{
    HGLOBAL hSource = CSampleImages::LoadDib(CSampleImages::PathOf(kSettingsSample));
    if (!hSource) {
        pParent->MessageBox(CString("Das Beispielbild fehlt: ") + kSettingsSample, "Grafik Einstellungen",
                            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CImageSettingsDlg dlg(hSource, 8, CPanelPalettes::Pal16(), CPanelPalettes::Pal256(),
                          CPanelPalettes::ColorNames(), CPanelPalettes::PalPlx508(), CPanelPalettes::Pal8(),
                          pParent);
    if (dlg.DoModal() == IDOK) {
        if (HGLOBAL hResult = static_cast<HGLOBAL>(dlg.GetDIB())) {
            pParent->MessageBox(DescribeDib(hResult), "Grafik Einstellungen", MB_OK | MB_ICONINFORMATION);
            ::GlobalFree(hResult);
        }
    }
    ::GlobalFree(hSource);
}

int CViewerDemo::TakeScreenshots(CWnd* pParent, const CString& folder)
{
    return ShootViewer(pParent, folder) + ShootImageSettings(pParent, folder);
}

// The photo-like picture for a 16-colour panel, then for a 256-colour one
// (panel and original tab), then in the Plx508 mode.
int CViewerDemo::ShootViewer(CWnd* pParent, const CString& folder)
{
    CImageViewerWindow* pWnd = CImageViewerWindow::Show(pParent, 4);
    if (!pWnd)
        return 4;
    int failures = 0;
    if (pWnd->ShowSample(kPhotoSample)) {
        failures += !Save(pWnd, folder, "viewer-panel-4bit.png");
        pWnd->SetPanelColorBits(8);
        failures += !Save(pWnd, folder, "viewer-panel-8bit.png");
        pWnd->ShowOriginalTab();
        failures += !Save(pWnd, folder, "viewer-original.png");
        CLeadViewerWnd* pViewer = pWnd->ImageViewer();
        if (pViewer->GetTabWnd())
            pViewer->GetTabWnd()->ShowPage(pViewer->GetPanelFrame());
        pViewer->EnablePlx508Mode(1, 1);
        pViewer->UpdatePropertyPages();
        failures += !Save(pWnd, folder, "viewer-plx508.png");
    } else {
        failures += 4;
    }
    pWnd->DestroyWindow();
    return failures;
}

int CViewerDemo::ShootImageSettings(CWnd* pParent, const CString& folder)
{
    HGLOBAL hSource = CSampleImages::LoadDib(CSampleImages::PathOf(kSettingsSample));
    if (!hSource)
        return 1;
    int failures = 1;
    {
        CImageSettingsDlg dlg(hSource, 8, CPanelPalettes::Pal16(), CPanelPalettes::Pal256(),
                              CPanelPalettes::ColorNames(), CPanelPalettes::PalPlx508(), CPanelPalettes::Pal8(),
                              pParent);
        // Modeless for the picture: the same initialisation as the modal run.
        if (dlg.Create(IDD_IMAGE_SETTINGS, pParent)) {
            dlg.CenterWindow();
            dlg.ShowWindow(SW_SHOW);
            failures = !Save(&dlg, folder, "image-settings.png");
            dlg.DestroyWindow();
        }
    }
    ::GlobalFree(hSource);
    return failures;
}
