// A window's OLE drop target: each step of a drag reaches the virtual
// functions with the point in client coordinates and the dragged data, their
// answers are limited to the effects the source allows, and a drop is handled
// by OnDropEx or else by OnDrop with the effect OnDragOver chose. The dragged
// data comes from a data source, which hands out its IDataObject counted on
// its own references.
#include <afxwin.h>
#include <afxole.h>
#include <gtest/gtest.h>
#include <string>

namespace {

class CTestTarget : public COleDropTarget {
public:
    DROPEFFECT m_answer = DROPEFFECT_COPY | DROPEFFECT_MOVE, m_scroll = DROPEFFECT_NONE,
               m_dropEx = (DROPEFFECT)-1;
    BOOL m_bTake = TRUE;
    std::string m_seen; // each call with its point and whether the text was there

    DROPEFFECT OnDragEnter(CWnd *, COleDataObject *pData, DWORD, CPoint pt) override
    {
        Note("enter", pData, pt);
        return m_answer;
    }
    DROPEFFECT OnDragOver(CWnd *, COleDataObject *pData, DWORD, CPoint pt) override
    {
        Note("over", pData, pt);
        return m_answer;
    }
    DROPEFFECT OnDragScroll(CWnd *, DWORD, CPoint) override { return m_scroll; }
    void OnDragLeave(CWnd *) override { m_seen += "leave "; }
    BOOL OnDrop(CWnd *, COleDataObject *pData, DROPEFFECT effect, CPoint pt) override
    {
        Note("drop" + std::to_string(effect), pData, pt);
        return m_bTake;
    }
    DROPEFFECT OnDropEx(CWnd *, COleDataObject *, DROPEFFECT, DROPEFFECT, CPoint) override
    {
        return m_dropEx;
    }

private:
    void Note(const std::string &what, COleDataObject *pData, CPoint pt)
    {
        m_seen += what + (pData->IsDataAvailable(CF_TEXT) ? "+text" : "") + "@" + std::to_string(pt.x) + "," +
                  std::to_string(pt.y) + " ";
    }
};

class OleDropTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        m_wnd.CreateEx(0, AfxRegisterWndClass(0), "Ziel", WS_POPUP | WS_VISIBLE, 100, 50, 200, 100, nullptr,
                       nullptr);
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 8);
        lstrcpyA(static_cast<LPSTR>(::GlobalLock(hText)), "Text");
        ::GlobalUnlock(hText);
        m_pSource->CacheGlobalData(CF_TEXT, hText);
        m_pData = static_cast<IDataObject *>(m_pSource->GetInterface(&IID_IDataObject));
        ASSERT_NE(nullptr, m_pData);
    }
    void TearDown() override
    {
        m_wnd.DestroyWindow();
        if (m_pSource)
            m_pSource->InternalRelease();
        ::OleUninitialize();
    }
    // One step through the target's IDropTarget: "enter", "over", "leave" or
    // "drop" at screen point (x, y); the effect it answers, given `allowed`.
    DWORD Step(COleDropTarget &target, const char *step, DWORD allowed, LONG x = 110, LONG y = 70)
    {
        IDropTarget *p = target.GetDropTarget();
        const POINTL pt = {x, y};
        DWORD effect = allowed;
        const std::string s = step;
        const HRESULT hr = s == "enter"  ? p->DragEnter(m_pData, 0, pt, &effect)
                           : s == "over" ? p->DragOver(0, pt, &effect)
                           : s == "drop" ? p->Drop(m_pData, 0, pt, &effect)
                                         : p->DragLeave();
        EXPECT_EQ(S_OK, hr) << step;
        return effect;
    }
    CWnd m_wnd;
    COleDataSource *m_pSource = new COleDataSource;
    IDataObject *m_pData = nullptr;
};

TEST_F(OleDropTargetTest, EachStepReachesTheTargetInClientCoordinatesWithinTheAllowedEffects)
{
    CTestTarget target;
    ASSERT_TRUE(target.Register(&m_wnd));
    EXPECT_FALSE(target.Register(&m_wnd)) << "one registration a target";
    EXPECT_EQ(DROPEFFECT_COPY, Step(target, "enter", DROPEFFECT_COPY | DROPEFFECT_LINK));
    EXPECT_EQ(DROPEFFECT_MOVE, Step(target, "over", DROPEFFECT_MOVE));
    target.m_scroll = DROPEFFECT_SCROLL | DROPEFFECT_COPY;
    EXPECT_EQ(DWORD(DROPEFFECT_SCROLL | DROPEFFECT_COPY), Step(target, "over", DROPEFFECT_COPY))
        << "scrolling answers without OnDragOver";
    target.m_scroll = DROPEFFECT_NONE;
    Step(target, "leave", 0);
    EXPECT_EQ(DROPEFFECT_NONE, Step(target, "over", DROPEFFECT_COPY)) << "no drag after leaving";
    EXPECT_EQ("enter+text@10,20 over+text@10,20 leave ", target.m_seen);

    const struct {
        DROPEFFECT dropEx;
        BOOL bTake;
        DWORD allowed, result;
        const char *seen;
    } drops[] = {
        {(DROPEFFECT)-1, TRUE, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE,
         "over+text@10,20 drop2+text@10,20 "},
        {(DROPEFFECT)-1, FALSE, DROPEFFECT_COPY, DROPEFFECT_NONE, "over+text@10,20 drop1+text@10,20 "},
        {(DROPEFFECT)-1, TRUE, DROPEFFECT_LINK, DROPEFFECT_NONE, "over+text@10,20 "},
        {DROPEFFECT_LINK, TRUE, DROPEFFECT_COPY, DROPEFFECT_LINK, "over+text@10,20 "},
    };
    for (const auto &d : drops) {
        target.m_seen.clear();
        target.m_dropEx = d.dropEx;
        target.m_bTake = d.bTake;
        EXPECT_EQ(d.result, Step(target, "drop", d.allowed)) << d.seen;
        EXPECT_EQ(d.seen, target.m_seen);
    }
}

TEST_F(OleDropTargetTest, PlainTargetsUnusableCallsAndGoneWindowsAcceptNothing)
{
    COleDropTarget plain;
    ASSERT_TRUE(plain.Register(&m_wnd));
    EXPECT_EQ(DROPEFFECT_NONE, Step(plain, "enter", DROPEFFECT_COPY));
    EXPECT_EQ(DROPEFFECT_NONE, Step(plain, "over", DROPEFFECT_COPY));
    EXPECT_EQ(DROPEFFECT_NONE, Step(plain, "drop", DROPEFFECT_COPY));
    IDropTarget *p = plain.GetDropTarget();
    const POINTL pt = {0, 0};
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(E_INVALIDARG, p->DragEnter(m_pData, 0, pt, nullptr));
    EXPECT_EQ(E_INVALIDARG, p->DragOver(0, pt, nullptr));
    EXPECT_EQ(E_INVALIDARG, p->Drop(m_pData, 0, pt, nullptr));
    EXPECT_EQ(S_OK, p->DragEnter(nullptr, 0, pt, &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect) << "no data";
    plain.Revoke();
    EXPECT_FALSE(plain.Register(nullptr));

    CTestTarget target;
    ASSERT_TRUE(target.Register(&m_wnd));
    m_wnd.DestroyWindow();
    EXPECT_EQ(DROPEFFECT_NONE, Step(target, "enter", DROPEFFECT_COPY));
    EXPECT_EQ(DROPEFFECT_NONE, Step(target, "drop", DROPEFFECT_COPY));
    EXPECT_EQ("", target.m_seen) << "a target whose window is gone hears nothing";
}

// A data object attached to the source's IDataObject reads what the source
// cached; the interface is counted on the source's references.
TEST_F(OleDropTargetTest, ADataSourceCountsItsDataObjectsReferencesAndHandsOutWhatItCaches)
{
    EXPECT_EQ(static_cast<LPUNKNOWN>(m_pSource->GetDataObject()), static_cast<LPUNKNOWN>(m_pData));
    EXPECT_EQ(nullptr, m_pSource->GetInterface(&IID_IDropTarget));
    IDataObject *pData = nullptr;
    ASSERT_EQ(S_OK, m_pData->QueryInterface(IID_IDataObject, reinterpret_cast<void **>(&pData)));
    EXPECT_EQ(2, m_pSource->m_dwRef);
    {
        COleDataObject reader;
        reader.Attach(pData, FALSE);
        EXPECT_TRUE(reader.IsDataAvailable(CF_TEXT) && !reader.IsDataAvailable(CF_BITMAP));
        HGLOBAL hCopy = reader.GetGlobalData(CF_TEXT);
        ASSERT_NE(nullptr, hCopy);
        EXPECT_STREQ("Text", (LPCSTR)::GlobalLock(hCopy));
        ::GlobalUnlock(hCopy);
        ::GlobalFree(hCopy);
        FORMATETC fe;
        int nFormats = 0;
        for (reader.BeginEnumFormats(); reader.GetNextFormat(&fe);)
            ++nFormats;
        EXPECT_EQ(1, nFormats);
    }
    EXPECT_EQ(2, m_pSource->m_dwRef) << "the reader took no reference of its own";
    m_pSource->InternalRelease();
    EXPECT_EQ(1, m_pSource->m_dwRef) << "OLE's reference keeps the source";
    m_pSource = nullptr;
    EXPECT_EQ(0u, pData->Release()) << "and its release ends it";
}

} // namespace
