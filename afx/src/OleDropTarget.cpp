#include "OleDropTarget.h"
#include "OleDataObject.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

// The IDropTarget OLE sees. The target object lives as long as its window is
// registered (Revoke runs before it goes), so references are not counted.
class COleDropTarget::XDropTarget : public IDropTarget
{
public:
    virtual ~XDropTarget() = default;
    explicit XDropTarget(COleDropTarget* pOwner) : m_pOwner(pOwner) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
        {
            *ppv = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (!pdwEffect)
            return E_INVALIDARG;
        CWnd* pWnd = Window();
        if (!pWnd || !pDataObj)
        {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        SetData(pDataObj);
        COleDataObject dataObject;
        dataObject.Attach(pDataObj, FALSE);
        *pdwEffect = m_pOwner->OnDragEnter(pWnd, &dataObject, dwKeyState, ClientPoint(pWnd, pt)) & *pdwEffect;
        return S_OK;
    }
    STDMETHODIMP DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (!pdwEffect)
            return E_INVALIDARG;
        CWnd* pWnd = Window();
        if (!pWnd || !m_pOwner->m_lpDataObject)
        {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        CPoint point = ClientPoint(pWnd, pt);
        COleDataObject dataObject;
        dataObject.Attach(m_pOwner->m_lpDataObject, FALSE);
        DROPEFFECT scroll = m_pOwner->OnDragScroll(pWnd, dwKeyState, point);
        DROPEFFECT effect = (scroll & DROPEFFECT_SCROLL) ? scroll
                                                          : m_pOwner->OnDragOver(pWnd, &dataObject, dwKeyState, point);
        *pdwEffect = effect & (*pdwEffect | DROPEFFECT_SCROLL);
        return S_OK;
    }
    STDMETHODIMP DragLeave() override
    {
        if (CWnd* pWnd = Window())
            m_pOwner->OnDragLeave(pWnd);
        SetData(nullptr);
        return S_OK;
    }
    STDMETHODIMP Drop(IDataObject* pDataObj, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (!pdwEffect)
            return E_INVALIDARG;
        CWnd* pWnd = Window();
        DROPEFFECT dropList = *pdwEffect;
        *pdwEffect = DROPEFFECT_NONE;
        if (!pWnd || !pDataObj)
        {
            SetData(nullptr);
            return S_OK;
        }
        CPoint point = ClientPoint(pWnd, pt);
        COleDataObject dataObject;
        dataObject.Attach(pDataObj, FALSE);
        // The effect the target would choose here is the default of the drop.
        DROPEFFECT dropDefault = m_pOwner->OnDragOver(pWnd, &dataObject, dwKeyState, point) & dropList;
        DROPEFFECT dropEffect = m_pOwner->OnDropEx(pWnd, &dataObject, dropDefault, dropList, point);
        if (dropEffect == (DROPEFFECT)-1)
        {
            dropEffect = dropDefault;
            if (dropDefault != DROPEFFECT_NONE && !m_pOwner->OnDrop(pWnd, &dataObject, dropDefault, point))
                dropEffect = DROPEFFECT_NONE;
        }
        SetData(nullptr);
        *pdwEffect = dropEffect;
        return S_OK;
    }

private:
    CWnd* Window() const
    {
        return ::IsWindow(m_pOwner->m_hWnd) ? CWnd::FromHandle(m_pOwner->m_hWnd) : nullptr;
    }
    static CPoint ClientPoint(CWnd* pWnd, POINTL pt)
    {
        CPoint point(pt.x, pt.y);
        pWnd->ScreenToClient(&point);
        return point;
    }
    void SetData(IDataObject* pDataObj)
    {
        if (pDataObj)
            pDataObj->AddRef();
        if (m_pOwner->m_lpDataObject)
            m_pOwner->m_lpDataObject->Release();
        m_pOwner->m_lpDataObject = pDataObj;
    }

    COleDropTarget* m_pOwner;
};

COleDropTarget::COleDropTarget() : m_hWnd(nullptr), m_lpDataObject(nullptr), m_pDropTarget(new XDropTarget(this))
{
}

COleDropTarget::~COleDropTarget()
{
    Revoke();
    if (m_lpDataObject)
        m_lpDataObject->Release();
    delete m_pDropTarget;
}

LPDROPTARGET COleDropTarget::GetDropTarget()
{
    return m_pDropTarget;
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (m_hWnd || !pWnd || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), m_pDropTarget)))
        return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWnd)
        return;
    if (::IsWindow(m_hWnd))
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return (DROPEFFECT)-1;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

