#include "OleDropSource.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

// The IDropSource OLE sees; the drop source outlives the drag, so the
// references are not counted.
class COleDropSource::XDropSource : public IDropSource
{
public:
    virtual ~XDropSource() = default;
    explicit XDropSource(COleDropSource* pOwner) : m_pOwner(pOwner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource))
        {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        return m_pOwner->QueryContinueDrag(bEscapePressed, dwKeyState);
    }
    STDMETHODIMP GiveFeedback(DWORD dwEffect) override { return m_pOwner->GiveFeedback(dwEffect); }

private:
    COleDropSource* m_pOwner;
};

COleDropSource::COleDropSource() : m_rectStartDrag(0, 0, 0, 0), m_pDropSource(new XDropSource(this))
{
}

COleDropSource::~COleDropSource()
{
    delete m_pDropSource;
}

LPDROPSOURCE COleDropSource::GetDropSource()
{
    return m_pDropSource;
}

BOOL COleDropSource::OnBeginDrag(CWnd*)
{
    return TRUE;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & (MK_LBUTTON | MK_RBUTTON)))
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
