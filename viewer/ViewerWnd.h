// CViewerWnd: a child window that previews files of the extensions it
// handles. The main viewer window picks a viewer by extension, creates its
// window on first use and shows one viewer at a time; each viewer class
// decides how it loads, renders and hands out its image.
#pragma once
#include <afxwin.h>

class COleDataSource;
class CPropertySheet;
struct CCreateContext;

// Viewer style bits, OR-ed into the window style; the image viewer reads them as options.
#define VWS_PANELTABS   0x01000000   // panel and original image on two tab pages
#define VWS_GENERALPAGE 0x02000000   // a general page among the property pages

class AFX_EXT_CLASS CViewerWnd : public CWnd
{
    DECLARE_DYNAMIC(CViewerWnd)
public:
    CViewerWnd(int nType, DWORD dwStyle);
    ~CViewerWnd() override;

    DWORD GetType() const { return m_dwType; }
    const CString& GetExt() const { return m_strExt; }
    const CString& GetFilter() const { return m_strFilter; }
    const CString& GetFileName() const { return m_strFileName; }
    const CString& GetImageName() const { return m_strImageName; }
    void SetFileName(LPCSTR pszFileName) { m_strFileName = pszFileName; }
    void SetImageName(const CString& strName) { m_strImageName = strName; }
    int GetPanelColorBits() const { return m_nPanelColorBits; }
    void SetPanelColorBits(int nBits) { m_nPanelColorBits = nBits; }
    DWORD GetViewerStyle() const { return m_dwViewerStyle; }
    void SetViewerStyle(DWORD dwStyle) { m_dwViewerStyle = dwStyle; }
    // The size the host wants images in; 0 x 0 asks for none.
    const CSize& GetRequestedImageSize() const { return m_sizeRequested; }
    void SetImageSize(CSize size) { m_sizeRequested = size; }

    virtual void SetModified(int bModified);
    virtual int IsModified();
    virtual void SetColorInfo(int nBits, const unsigned long* pPal16, const unsigned long* pPal256,
                              const unsigned long* pPalPlx508, const unsigned long* pPal8) = 0;
    virtual CSize& GetImageSize() = 0;
    // DIBs handed out belong to the caller.
    virtual void* GetPanelImage() = 0;
    virtual void* GetOriginalImage() = 0;
    virtual int SetImage(void* hDib) = 0;
    // "extensions|filter": the extensions before the first bar, the filter after it.
    virtual int SetFileInfo(const CString& strInfo);
    virtual int LoadFile(LPCSTR pszPath) = 0;
    virtual int CacheData(COleDataSource* pDataSource) = 0;
    virtual void Refresh() = 0;
    virtual int HasPropertyPages() = 0;
    virtual void AddPropertyPages(CPropertySheet* pSheet) = 0;
    virtual void RemovePropertyPages(CPropertySheet* pSheet) = 0;
    virtual int Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext = nullptr);

protected:
    DWORD m_dwType;
    DWORD m_dwViewerStyle;
    CString m_strExt;
    CString m_strFilter;
    CString m_strFileName;
    CString m_strImageName;
    int m_nPanelColorBits;
    const unsigned long* m_pPal16;
    const unsigned long* m_pPal256;
    const unsigned long* m_pPalPlx508;
    const unsigned long* m_pPal8;
    CSize m_sizeRequested;
    int m_bModified;
};
