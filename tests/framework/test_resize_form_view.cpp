// The resizable form view in a frame window: the frame is fitted to the
// form once, the view never scrolls and has no grip, and its controls follow
// the frame's size.
#include <afxext.h>
#include <gtest/gtest.h>
#include "framework/ResizeFormView.h"
#include "resize_tests_res.h"
#include "uiauto/MessagePump.h"

using namespace qrvtest;

namespace {

class CTestFormView : public CResizeFormView
{
    DECLARE_DYNCREATE(CTestFormView)
public:
    CTestFormView() : CResizeFormView(IDD_RS_FORM) {}
    void OnInitialUpdate() override
    {
        CResizeFormView::OnInitialUpdate();
        SetResize(IDC_RS_FORM_EDIT, 0.0f, 0.0f, 1.0f, 0.0f);
    }
};

IMPLEMENT_DYNCREATE(CTestFormView, CResizeFormView)

CRect ChildRect(HWND hParent, int id)
{
    CRect rc;
    ::GetWindowRect(::GetDlgItem(hParent, id), &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rc), 2);
    return rc;
}

TEST(ResizeFormView, FrameFitsTheFormAndTheControlsFollowIt)
{
    CFrameWnd* pFrame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTestFormView);
    ASSERT_TRUE(pFrame->Create(nullptr, "Formular", WS_OVERLAPPEDWINDOW, CRect(40, 40, 200, 120), nullptr, nullptr, 0,
                               &context));
    pFrame->InitialUpdateFrame(nullptr, TRUE);
    PumpFor(30);
    CTestFormView* pView = DYNAMIC_DOWNCAST(CTestFormView, pFrame->GetActiveView());
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(pFrame, pView->GetParentFrame());

    CRect form(0, 0, 200, 80);
    ::MapDialogRect(pView->m_hWnd, &form);
    CRect client;
    pView->GetClientRect(&client);
    EXPECT_EQ(form.Size(), client.Size()) << "the frame grew to fit the whole form";
    EXPECT_EQ(nullptr, ::GetDlgItem(pView->m_hWnd, 32767)) << "form views never have a grip";

    CRect edit = ChildRect(pView->m_hWnd, IDC_RS_FORM_EDIT);
    CRect frame;
    pFrame->GetWindowRect(&frame);
    pFrame->SetWindowPos(nullptr, 0, 0, frame.Width() + 40, frame.Height() + 10, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(edit.Width() + 40, ChildRect(pView->m_hWnd, IDC_RS_FORM_EDIT).Width());

    pFrame->SetWindowPos(nullptr, 0, 0, frame.Width() - 60, frame.Height() - 30, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(20);
    EXPECT_FALSE(pView->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) << "smaller than the form, still no scroll bars";
    pFrame->DestroyWindow(); // frame and view delete themselves
}

TEST(ResizeFormView, CreatableByName)
{
    CObject* pObject = CRuntimeClass::CreateObject("CResizeFormView");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CFormView)));
    EXPECT_TRUE(static_cast<CResizeFormView*>(pObject)->HasFlag(CResize::SZ_NOSIZEICON));
    delete pObject;
}

}
