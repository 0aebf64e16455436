// The document/view core as a single-document host uses it: values streamed
// through CArchive as MFC lays them out, damaged files refused with
// exceptions, documents saved and loaded through Serialize by their template,
// views told of changes, and the command line opening a file.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uiauto/MessageBoxAnswer.h"
#include "tests/support/TestApp.h"
#include "afx_tests_res.h"

namespace {

using qrvtest::App;

std::vector<BYTE> FileBytes(const std::string& path)
{
    CFile file(path.c_str(), CFile::modeRead);
    std::vector<BYTE> bytes(file.GetLength());
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void WriteBytes(const std::string& path, const std::vector<BYTE>& bytes)
{
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), (UINT)bytes.size());
    file.Close();
}

// What a TRY block saw when reading a CString from the file: the archive
// exception's cause, or -1 when it read without one.
int CauseOfReadingString(const std::string& path)
{
    int cause = -1;
    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    TRY
    {
        CString s;
        ar >> s;
    }
    CATCH(CArchiveException, e)
    {
        cause = e->m_cause;
    }
    END_CATCH
    return cause;
}

TEST(AfxArchive, EveryStreamedTypeRoundTripsWithMfcSizes)
{
    std::string path = qrvtest::FreshTempFolder("docview-types") + "\\values.bin";
    CString embedded("a\0b", 3);
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(ar.IsStoring());
        ar << (BYTE)0xAB << (WORD)0xBEEF << (LONG)-123456 << (DWORD)0xDEADBEEF << 1.5f << -2.25 << (int)-7
           << (short)-2 << 'z' << (unsigned)0xFFFFFFFE << true << embedded;
        ar.Close();
    }
    // 1 + 2 + 4 + 4 + 4 + 8 + 4 + 2 + 1 + 4 + 1 bytes, then the string's length byte and characters.
    EXPECT_EQ(35u + 1 + 3, FileBytes(path).size());

    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    EXPECT_TRUE(ar.IsLoading());
    BYTE by; WORD w; LONG l; DWORD dw; float f; double d; int i; short sh; char ch; unsigned u; bool b; CString s;
    ar >> by >> w >> l >> dw >> f >> d >> i >> sh >> ch >> u >> b >> s;
    EXPECT_EQ(0xAB, by);
    EXPECT_EQ(0xBEEF, w);
    EXPECT_EQ(-123456, l);
    EXPECT_EQ(0xDEADBEEFu, dw);
    EXPECT_EQ(1.5f, f);
    EXPECT_EQ(-2.25, d);
    EXPECT_EQ(-7, i);
    EXPECT_EQ(-2, sh);
    EXPECT_EQ('z', ch);
    EXPECT_EQ(0xFFFFFFFEu, u);
    EXPECT_TRUE(b);
    EXPECT_EQ(3, s.GetLength());
    EXPECT_TRUE(s == embedded) << "the zero inside the string survives";
}

TEST(AfxArchive, StringLengthPrefixEscalatesAsMfcWritesIt)
{
    struct Case { int length; std::vector<BYTE> prefix; };
    const Case cases[] = {
        { 0, { 0x00 } },
        { 254, { 0xFE } },
        { 255, { 0xFF, 0xFF, 0x00 } },
        { 65533, { 0xFF, 0xFD, 0xFF } },
        { 65534, { 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 } },
        { 65535, { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00 } },
        { 70000, { 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00 } },
    };
    std::string folder = qrvtest::FreshTempFolder("docview-strings");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        std::string path = folder + "\\s" + std::to_string(c.length) + ".bin";
        CString text;
        for (int i = 0; i < c.length; ++i)
            text += (char)('A' + i % 26);
        {
            CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store);
            ar << text << (WORD)0x1234;
        }   // the archive's destructor flushes
        std::vector<BYTE> bytes = FileBytes(path);
        ASSERT_EQ(c.prefix.size() + c.length + 2, bytes.size());
        EXPECT_EQ(c.prefix, std::vector<BYTE>(bytes.begin(), bytes.begin() + c.prefix.size()));

        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CString back;
        WORD after = 0;
        ar >> back >> after;
        EXPECT_TRUE(back == text);
        EXPECT_EQ(0x1234, after) << "the reader stands right behind the string";
    }
}

TEST(AfxArchive, StringsOfWideCharactersAreReadInTheAnsiCodePage)
{
    std::string path = qrvtest::FreshTempFolder("docview-wide") + "\\wide.bin";
    // The marker of a wide string, its length, then "Grün" in UTF-16.
    WriteBytes(path, { 0xFF, 0xFE, 0xFF, 0x04, 'G', 0, 'r', 0, 0xFC, 0, 'n', 0 });
    CFile file(path.c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_STREQ("Gr\xFCn", s);
}

TEST(AfxArchive, TruncatedOrDamagedFilesThrowEndOfFile)
{
    std::string folder = qrvtest::FreshTempFolder("docview-truncated");
    struct Case { const char* what; std::vector<BYTE> bytes; };
    const Case cases[] = {
        { "characters missing", { 0x05, 'a', 'b' } },
        { "length word cut", { 0xFF, 0x10 } },
        { "nothing at all", {} },
        { "length far beyond the file", { 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'x' } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = folder + "\\damaged.bin";
        WriteBytes(path, c.bytes);
        EXPECT_EQ(CArchiveException::endOfFile, CauseOfReadingString(path));
    }

    // A value cut short, caught as any framework exception.
    WriteBytes(folder + "\\short.bin", { 1, 2, 3 });
    CFile file((folder + "\\short.bin").c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    std::string seen;
    TRY
    {
        DWORD dw;
        ar >> dw;
        seen = "read";
    }
    CATCH_ALL(e)
    {
        char sz[256] = "";
        e->GetErrorMessage(sz, sizeof sz);
        seen = sz;
    }
    END_CATCH_ALL
    EXPECT_NE(std::string::npos, seen.find("short.bin")) << seen;
    EXPECT_NE(std::string::npos, seen.find("Dateiende")) << seen;
}

TEST(AfxFile, FailuresAreReportedAsMfcReportsThem)
{
    std::string folder = qrvtest::FreshTempFolder("docview-file");
    std::string missing = folder + "\\fehlt.qnt";

    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    int cause = -1;
    CString message;
    TRY
    {
        CFile thrown(missing.c_str(), CFile::modeRead);
    }
    CATCH(CFileException, e)
    {
        cause = e->m_cause;
        char sz[512] = "";
        e->GetErrorMessage(sz, sizeof sz);
        message = sz;
    }
    END_CATCH
    EXPECT_EQ(CFileException::fileNotFound, cause);
    EXPECT_NE(-1, message.Find("fehlt.qnt wurde nicht gefunden.")) << (LPCSTR)message;

    EXPECT_FALSE(file.Open((folder + "\\kein\\ordner.qnt").c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);

    // An existing file: length, seeking, the path as given in full, shrinking.
    std::string path = folder + "\\daten.bin";
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(4, file.Seek(-6, CFile::end));
    char sz[4] = "";
    EXPECT_EQ(3u, file.Read(sz, 3));
    EXPECT_EQ(std::string("456"), std::string(sz, 3));
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_STREQ("daten.bin", file.GetFileName());
    EXPECT_EQ(0, file.GetFilePath().CompareNoCase(path.c_str()));
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    // A storing archive does not read, a loading one does not write.
    CFile in(path.c_str(), CFile::modeRead);
    CArchive ar(&in, CArchive::load);
    cause = -1;
    TRY
    {
        ar << (BYTE)1;
    }
    CATCH(CArchiveException, e)
    {
        cause = e->m_cause;
    }
    END_CATCH
    EXPECT_EQ(CArchiveException::readOnly, cause);
}

// ---- documents and views ------------------------------------------------

class CNoteDoc : public CDocument
{
    DECLARE_DYNCREATE(CNoteDoc)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_text << m_count << m_weight;
        else
            ar >> m_text >> m_count >> m_weight;
    }
    void DeleteContents() override
    {
        m_text.Empty();
        m_count = 0;
        m_weight = 0.0;
    }
    afx_msg void OnStamp() { ++m_nStamps; }

    CString m_text;
    int m_count = 0;
    double m_weight = 0.0;
    int m_nStamps = 0;

    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)
BEGIN_MESSAGE_MAP(CNoteDoc, CDocument)
    ON_COMMAND(ID_TEST_NOTE_STAMP, OnStamp)
END_MESSAGE_MAP()

// Records every update it is told of as "<sender id>:<hint>".
class CNoteView : public CView
{
    DECLARE_DYNCREATE(CNoteView)
public:
    std::vector<std::string> m_updates;

protected:
    void OnUpdate(CView* pSender, LPARAM lHint, CObject*) override
    {
        m_updates.push_back(std::to_string(pSender ? pSender->GetDlgCtrlID() : 0) + ":" + std::to_string(lHint));
    }
};
IMPLEMENT_DYNCREATE(CNoteView, CView)

CNoteView* ViewOf(CDocument* pDoc, int index = 0)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = nullptr;
    for (int i = 0; i <= index; ++i)
        pView = pDoc->GetNextView(pos);
    return static_cast<CNoteView*>(pView);
}

CString Caption(CWnd* pWnd)
{
    CString text;
    pWnd->GetWindowText(text);
    return text;
}

// Each test has its own template; what it opened is closed with the frame.
class AfxDocView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pTemplate = new CSingleDocTemplate(IDR_TEST_NOTE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CFrameWnd),
                                             RUNTIME_CLASS(CNoteView));
        m_folder = qrvtest::FreshTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override
    {
        // The test program is no application that ends with its main frame.
        App().m_pMainWnd = nullptr;
        if (m_pTemplate->m_pOnlyDoc)
            m_pTemplate->m_pOnlyDoc->OnCloseDocument();
        EXPECT_EQ(nullptr, m_pTemplate->m_pOnlyDoc) << "closing the frame deleted the document";
        delete m_pTemplate;
    }
    CNoteDoc* NewNote()
    {
        return static_cast<CNoteDoc*>(m_pTemplate->OpenDocumentFile(nullptr, FALSE));
    }

    CSingleDocTemplate* m_pTemplate = nullptr;
    std::string m_folder;
};

TEST_F(AfxDocView, NewDocumentGetsFrameViewAndTitleFromTheResourceId)
{
    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(nullptr, pDoc);
    CNoteView* pView = ViewOf(pDoc);
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(pDoc, pView->GetDocument());
    CFrameWnd* pFrame = pView->GetParentFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(pFrame, App().m_pMainWnd) << "the first frame becomes the main window";
    EXPECT_EQ(pDoc, pFrame->GetActiveDocument());
    EXPECT_STREQ("Notiz", pDoc->GetTitle());
    EXPECT_STREQ("Notiz - Notizen", Caption(pFrame));
    EXPECT_NE(nullptr, ::GetMenu(pFrame->m_hWnd)) << "the menu of the same id";
    EXPECT_EQ(std::vector<std::string>{ "0:0" }, pView->m_updates) << "the initial update";
    EXPECT_FALSE(pDoc->IsModified());

    // Commands reach the document through its view.
    EXPECT_TRUE(pView->OnCmdMsg(ID_TEST_NOTE_STAMP, 0, nullptr, nullptr));
    EXPECT_EQ(1, pDoc->m_nStamps);

    CString docString;
    EXPECT_TRUE(m_pTemplate->GetDocString(docString, CDocTemplate::filterExt));
    EXPECT_STREQ(".qnt", docString);
    EXPECT_FALSE(m_pTemplate->GetDocString(docString, (CDocTemplate::DocStringIndex)7));
}

TEST_F(AfxDocView, SavedDocumentReopensThroughSerialize)
{
    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_text = "Schaltschrank Süd";
    pDoc->m_count = 42;
    pDoc->m_weight = 3.75;
    pDoc->SetModifiedFlag();
    std::string path = m_folder + "\\schrank.qnt";
    ASSERT_TRUE(pDoc->DoSave(path.c_str()));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(path.c_str()));
    EXPECT_EQ(0, pDoc->GetTitle().Find("schrank")) << (LPCSTR)pDoc->GetTitle();
    CFrameWnd* pFrame = ViewOf(pDoc)->GetParentFrame();
    EXPECT_STREQ(pDoc->GetTitle() + " - Notizen", Caption(pFrame));

    // Changed in memory only, then opened again from the file: the same document and frame.
    pDoc->m_text = "verworfen";
    pDoc->m_count = 0;
    CDocument* pReopened = m_pTemplate->OpenDocumentFile(path.c_str(), FALSE);
    ASSERT_EQ(pDoc, pReopened);
    EXPECT_STREQ("Schaltschrank Süd", pDoc->m_text);
    EXPECT_EQ(42, pDoc->m_count);
    EXPECT_EQ(3.75, pDoc->m_weight);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(path.c_str()));
    EXPECT_EQ(pFrame, ViewOf(pDoc)->GetParentFrame());
}

TEST_F(AfxDocView, UpdateAllViewsReachesEveryViewButTheSender)
{
    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(nullptr, pDoc);
    CFrameWnd* pFrame = ViewOf(pDoc)->GetParentFrame();
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    for (UINT nID : { 2u, 3u }) {
        CNoteView* pView = new CNoteView;
        ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), pFrame, nID, &context));
    }
    std::vector<CNoteView*> views = { ViewOf(pDoc, 0), ViewOf(pDoc, 1), ViewOf(pDoc, 2) };
    for (CNoteView* pView : views)
        pView->m_updates.clear();

    pDoc->UpdateAllViews(views[1], 7);
    EXPECT_EQ(std::vector<std::string>{ "2:7" }, views[0]->m_updates);
    EXPECT_TRUE(views[1]->m_updates.empty()) << "the sender already knows";
    EXPECT_EQ(std::vector<std::string>{ "2:7" }, views[2]->m_updates);

    // A view that goes leaves the document's list; the document stays while it has views.
    views[2]->DestroyWindow();
    POSITION pos = pDoc->GetFirstViewPosition();
    int nViews = 0;
    while (pDoc->GetNextView(pos))
        ++nViews;
    EXPECT_EQ(2, nViews);
    pDoc->UpdateAllViews(nullptr, 9);
    EXPECT_EQ((std::vector<std::string>{ "2:7", "0:9" }), views[0]->m_updates);
}

TEST_F(AfxDocView, MissingFileFailsAndKeepsTheDocument)
{
    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_text = "bleibt";
    std::string path = m_folder + "\\bleibt.qnt";
    ASSERT_TRUE(pDoc->DoSave(path.c_str()));
    CString title = pDoc->GetTitle();

    std::string missing = m_folder + "\\fehlt.qnt";
    qrvtest::MessageBoxAnswerer answer(IDOK);
    EXPECT_EQ(nullptr, m_pTemplate->OpenDocumentFile(missing.c_str(), FALSE));
    qrvtest::MessageBoxRecord box = answer.Join();
    EXPECT_TRUE(box.shown);
    EXPECT_NE(std::string::npos, box.text.find("fehlt.qnt wurde nicht gefunden.")) << box.text;

    EXPECT_EQ(pDoc, m_pTemplate->m_pOnlyDoc);
    EXPECT_STREQ("bleibt", pDoc->m_text);
    EXPECT_STREQ(title, pDoc->GetTitle());
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(path.c_str()));
    EXPECT_FALSE(pDoc->IsModified());
}

TEST_F(AfxDocView, DamagedFileLeavesAnEmptyUntitledDocument)
{
    CNoteDoc* pDoc = NewNote();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_text = "vorher";
    std::string path = m_folder + "\\kaputt.qnt";
    WriteBytes(path, { 0x06, 'k', 'a', 'p' });   // the text ends early, the numbers are missing

    qrvtest::MessageBoxAnswerer answer(IDOK);
    EXPECT_EQ(nullptr, m_pTemplate->OpenDocumentFile(path.c_str(), FALSE));
    qrvtest::MessageBoxRecord box = answer.Join();
    EXPECT_NE(std::string::npos, box.text.find("Dateiende")) << box.text;

    // Loading had emptied it: what is left is a new document, not half a file.
    EXPECT_EQ(pDoc, m_pTemplate->m_pOnlyDoc);
    EXPECT_TRUE(pDoc->m_text.IsEmpty());
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_STREQ("Notiz", pDoc->GetTitle());
    EXPECT_FALSE(pDoc->IsModified());
}

TEST(AfxCommandLine, ParametersBecomeTheShellCommand)
{
    struct Case { std::vector<const char*> args; int command; const char* file; };
    const Case cases[] = {
        { {}, CCommandLineInfo::FileNew, "" },
        { { "plan.qnt" }, CCommandLineInfo::FileOpen, "plan.qnt" },
        { { "/p", "plan.qnt" }, CCommandLineInfo::FilePrint, "plan.qnt" },
        { { "-pt", "plan.qnt", "Drucker", "Treiber", "LPT1" }, CCommandLineInfo::FilePrintTo, "plan.qnt" },
        { { "/Unregister" }, CCommandLineInfo::AppUnregister, "" },
        { { "/Embedding", "plan.qnt" }, CCommandLineInfo::FileOpen, "plan.qnt" },
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); ++i) {
            LPCSTR arg = c.args[i];
            BOOL bFlag = arg[0] == '/' || arg[0] == '-';
            info.ParseParam(bFlag ? arg + 1 : arg, bFlag, i + 1 == c.args.size());
        }
        EXPECT_EQ(c.command, (int)info.m_nShellCommand) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_STREQ(c.file, info.m_strFileName);
        if (c.command == CCommandLineInfo::FilePrintTo) {
            EXPECT_STREQ("LPT1", info.m_strPortName);
        }
    }
}

TEST(AfxCommandLine, ProcessShellCommandOpensTheNamedFile)
{
    // The application's one template, as InitInstance registers it.
    static CSingleDocTemplate* s_pTemplate = nullptr;
    if (!s_pTemplate) {
        s_pTemplate = new CSingleDocTemplate(IDR_TEST_NOTE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CFrameWnd),
                                             RUNTIME_CLASS(CNoteView));
        App().AddDocTemplate(s_pTemplate);
    }
    std::string path = qrvtest::FreshTempFolder("docview-shell") + "\\auftrag.qnt";
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << CString("vom Befehl") << 5 << 0.5;
    }

    CCommandLineInfo info;
    info.ParseParam(path.c_str(), FALSE, TRUE);
    ASSERT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
    EXPECT_TRUE(App().ProcessShellCommand(info));
    CNoteDoc* pDoc = static_cast<CNoteDoc*>(s_pTemplate->m_pOnlyDoc);
    ASSERT_NE(nullptr, pDoc);
    EXPECT_STREQ("vom Befehl", pDoc->m_text);
    EXPECT_EQ(5, pDoc->m_count);
    ASSERT_NE(nullptr, App().m_pMainWnd);
    EXPECT_EQ(ViewOf(pDoc)->GetParentFrame(), App().m_pMainWnd);
    EXPECT_EQ(pDoc, App().OpenDocumentFile(path.c_str())) << "an open file is not loaded twice";

    // No file: File New empties the same document.
    CCommandLineInfo none;
    none.ParseParam(nullptr, FALSE, TRUE);
    EXPECT_TRUE(App().ProcessShellCommand(none));
    EXPECT_EQ(pDoc, s_pTemplate->m_pOnlyDoc);
    EXPECT_TRUE(pDoc->m_text.IsEmpty());
    EXPECT_STREQ("Notiz", pDoc->GetTitle());

    App().m_pMainWnd = nullptr;   // closing the frame does not end the test program
    pDoc->OnCloseDocument();
    EXPECT_EQ(nullptr, s_pTemplate->m_pOnlyDoc);
}

}  // namespace
