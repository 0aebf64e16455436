// The document/view core as a single-document host uses it: values streamed
// through CArchive as MFC lays them out, damaged files refused with
// exceptions, documents saved and loaded through Serialize by their template,
// views told of changes, and the command line opening a file.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "AnsweringBoxes.h"
#include "afx_tests_res.h"
#include "tests/support/TestApp.h"
#include "uiauto/ControlActions.h"

namespace {

using qrvtest::App;

std::vector<BYTE> FileBytes(const std::string &path)
{
    CFile file(path.c_str(), CFile::modeRead);
    std::vector<BYTE> bytes(file.GetLength());
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void WriteBytes(const std::string &path, const std::vector<BYTE> &bytes)
{
    CFile(path.c_str(), CFile::modeCreate | CFile::modeWrite).Write(bytes.data(), (UINT)bytes.size());
}

// What the framework threw while fn ran: the cause of the archive or file
// exception (-1 when nothing was thrown) and its message.
struct Thrown {
    int cause = -1;
    std::string text;
};
template <class Fn> Thrown Catch(Fn fn)
{
    Thrown t;
    char sz[512] = "";
    TRY
    {
        fn();
    }
    CATCH(CArchiveException, e)
    {
        t.cause = e->m_cause;
        e->GetErrorMessage(sz, sizeof sz);
    }
    AND_CATCH(CFileException, e)
    {
        t.cause = e->m_cause;
        e->GetErrorMessage(sz, sizeof sz);
    }
    END_CATCH
    t.text = sz;
    return t;
}

// fn given an archive on the file: a loading one, or a storing one on a new
// file.
template <class Fn> Thrown WithArchive(const std::string &path, CArchive::Mode mode, Fn fn)
{
    const bool store = mode == CArchive::store;
    CFile file(path.c_str(), store ? CFile::modeCreate | CFile::modeWrite : CFile::modeRead);
    CArchive ar(&file, mode);
    return Catch([&] { fn(ar); });
}

TEST(AfxArchive, EveryStreamedTypeRoundTripsWithMfcSizes)
{
    std::string path = qrvtest::FreshTempFolder("docview-types") + "\\values.bin";
    using Values =
        std::tuple<BYTE, WORD, LONG, DWORD, float, double, int, short, char, unsigned, bool, CString>;
    const Values written{0xAB, 0xBEEF, -123456, 0xDEADBEEF, 1.5f, -2.25,
                         -7,   -2,     'z',     0xFFFFFFFE, true, CString("a\0b", 3)};
    Values read;
    EXPECT_EQ(-1, WithArchive(path, CArchive::store, [&](CArchive &ar) {
                      EXPECT_TRUE(ar.IsStoring());
                      std::apply([&](const auto &...v) { (ar << ... << v); }, written);
                      ar.Close();
                  }).cause);
    // 1 + 2 + 4 + 4 + 4 + 8 + 4 + 2 + 1 + 4 + 1 bytes, then the string's length
    // byte and characters.
    EXPECT_EQ(35u + 1 + 3, FileBytes(path).size());
    EXPECT_EQ(-1, WithArchive(path, CArchive::load, [&](CArchive &ar) {
                      EXPECT_TRUE(ar.IsLoading());
                      std::apply([&](auto &...v) { (ar >> ... >> v); }, read);
                  }).cause);
    EXPECT_TRUE(written == read) << "the zero inside the string survives as well";
    EXPECT_EQ(3, std::get<11>(read).GetLength());
}

TEST(AfxArchive, StringLengthPrefixEscalatesAsMfcWritesIt)
{
    struct Case {
        int length;
        std::vector<BYTE> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    std::string path = qrvtest::FreshTempFolder("docview-strings") + "\\s.bin";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.length);
        CString text;
        for (int i = 0; i < c.length; ++i)
            text += (char)('A' + i % 26);
        WithArchive(path, CArchive::store, [&](CArchive &ar) { ar << text << (WORD)0x1234; });
        std::vector<BYTE> bytes = FileBytes(path);
        ASSERT_EQ(c.prefix.size() + c.length + 2, bytes.size());
        EXPECT_EQ(c.prefix, std::vector<BYTE>(bytes.begin(), bytes.begin() + c.prefix.size()));
        CString back;
        WORD after = 0;
        WithArchive(path, CArchive::load, [&](CArchive &ar) { ar >> back >> after; });
        EXPECT_TRUE(back == text);
        EXPECT_EQ(0x1234, after) << "the reader stands right behind the string";
    }
}

// Values read from given bytes: a wide string comes in the ANSI code page; a
// file that ends early throws end of file, naming the file.
TEST(AfxArchive, WideStringsAreReadInTheAnsiCodePageAndTruncatedFilesThrowEndOfFile)
{
    std::string path = qrvtest::FreshTempFolder("docview-truncated") + "\\short.bin";
    struct Case {
        const char *what;
        std::vector<BYTE> bytes;
        bool dword;
        const char *read; // null: end of file
    };
    const Case cases[] = {
        // The marker of a wide string, its length, then "Grün" in UTF-16.
        {"wide", {0xFF, 0xFE, 0xFF, 0x04, 'G', 0, 'r', 0, 0xFC, 0, 'n', 0}, false, "Gr\xFCn"},
        {"characters missing", {0x05, 'a', 'b'}, false, nullptr},
        {"length word cut", {0xFF, 0x10}, false, nullptr},
        {"nothing at all", {}, false, nullptr},
        {"length far beyond the file", {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'x'}, false, nullptr},
        {"a value cut short", {1, 2, 3}, true, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(path, c.bytes);
        CString s;
        Thrown t = WithArchive(path, CArchive::load, [&](CArchive &ar) {
            DWORD dw;
            c.dword ? (void)(ar >> dw) : (void)(ar >> s);
        });
        if (c.read) {
            EXPECT_TRUE(t.cause == -1 && s == c.read) << s;
            continue;
        }
        EXPECT_EQ(CArchiveException::endOfFile, t.cause);
        EXPECT_NE(std::string::npos, t.text.find("short.bin")) << t.text;
        EXPECT_NE(std::string::npos, t.text.find("Dateiende")) << t.text;
    }
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
    Thrown t = Catch([&] { CFile thrown(missing.c_str(), CFile::modeRead); });
    EXPECT_EQ(CFileException::fileNotFound, t.cause);
    EXPECT_NE(std::string::npos, t.text.find("fehlt.qnt wurde nicht gefunden.")) << t.text;
    EXPECT_FALSE(
        file.Open((folder + "\\kein\\ordner.qnt").c_str(), CFile::modeCreate | CFile::modeWrite, &error));
    EXPECT_EQ(CFileException::badPath, error.m_cause);
    // An existing file: its name and the path as given in full.
    std::string path = folder + "\\daten.bin";
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_STREQ("daten.bin", file.GetFileName());
    EXPECT_EQ(0, file.GetFilePath().CompareNoCase(path.c_str()));
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    // A loading archive does not write.
    EXPECT_EQ(CArchiveException::readOnly,
              WithArchive(path, CArchive::load, [](CArchive &ar) { ar << (BYTE)1; }).cause);
}

// ---- documents and views ------------------------------------------------

class CNoteDoc : public CDocument {
    DECLARE_DYNCREATE(CNoteDoc)
public:
    void Serialize(CArchive &ar) override
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
    int m_count = 0, m_nStamps = 0;
    double m_weight = 0.0;
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)
BEGIN_MESSAGE_MAP(CNoteDoc, CDocument)
ON_COMMAND(ID_TEST_NOTE_STAMP, OnStamp)
END_MESSAGE_MAP()

// Records every update it is told of as "<sender id>:<hint>".
class CNoteView : public CView {
    DECLARE_DYNCREATE(CNoteView)
public:
    std::vector<std::string> m_updates;

protected:
    void OnUpdate(CView *pSender, LPARAM lHint, CObject *) override
    {
        m_updates.push_back(std::to_string(pSender ? pSender->GetDlgCtrlID() : 0) + ":" +
                            std::to_string(lHint));
    }
};
IMPLEMENT_DYNCREATE(CNoteView, CView)

CNoteView *ViewOf(CDocument *pDoc, int index = 0)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    CView *pView = nullptr;
    for (int i = 0; i <= index; ++i)
        pView = pDoc->GetNextView(pos);
    return static_cast<CNoteView *>(pView);
}

// Each test opens a new document of the application's one template
// (registered as InitInstance registers it); what it opened is closed with
// the frame.
class AfxDocView : public ::testing::Test {
protected:
    void SetUp() override
    {
        static CSingleDocTemplate *s_pTemplate = nullptr;
        if (!s_pTemplate) {
            s_pTemplate = new CSingleDocTemplate(IDR_TEST_NOTE, RUNTIME_CLASS(CNoteDoc),
                                                 RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CNoteView));
            App().AddDocTemplate(s_pTemplate);
        }
        m_pTemplate = s_pTemplate;
        m_folder = qrvtest::FreshTempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        pDoc = static_cast<CNoteDoc *>(m_pTemplate->OpenDocumentFile(nullptr, FALSE));
        ASSERT_NE(nullptr, pDoc);
    }
    void TearDown() override
    {
        // The test program is no application that ends with its main frame.
        App().m_pMainWnd = nullptr;
        if (m_pTemplate->m_pOnlyDoc)
            m_pTemplate->m_pOnlyDoc->OnCloseDocument();
        EXPECT_EQ(nullptr, m_pTemplate->m_pOnlyDoc) << "closing the frame deleted the document";
    }
    CSingleDocTemplate *m_pTemplate = nullptr;
    CNoteDoc *pDoc = nullptr;
    std::string m_folder;
};

TEST_F(AfxDocView, NewDocumentGetsFrameViewAndTitleFromTheResourceId)
{
    CNoteView *pView = ViewOf(pDoc);
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(pDoc, pView->GetDocument());
    CFrameWnd *pFrame = pView->GetParentFrame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_EQ(pFrame, App().m_pMainWnd) << "the first frame becomes the main window";
    EXPECT_EQ(pDoc, pFrame->GetActiveDocument());
    EXPECT_STREQ("Notiz", pDoc->GetTitle());
    EXPECT_EQ("Notiz - Notizen", qrvtest::Text(pFrame->m_hWnd));
    EXPECT_NE(nullptr, ::GetMenu(pFrame->m_hWnd)) << "the menu of the same id";
    EXPECT_EQ(std::vector<std::string>{"0:0"}, pView->m_updates) << "the initial update";
    EXPECT_FALSE(pDoc->IsModified());
    // Commands reach the document through its view.
    EXPECT_TRUE(pView->OnCmdMsg(ID_TEST_NOTE_STAMP, 0, nullptr, nullptr));
    EXPECT_EQ(1, pDoc->m_nStamps);

    CString docString;
    EXPECT_TRUE(m_pTemplate->GetDocString(docString, CDocTemplate::filterExt));
    EXPECT_STREQ(".qnt", docString);
    EXPECT_FALSE(m_pTemplate->GetDocString(docString, (CDocTemplate::DocStringIndex)7));
}

TEST_F(AfxDocView, UpdateAllViewsReachesEveryViewButTheSender)
{
    CFrameWnd *pFrame = ViewOf(pDoc)->GetParentFrame();
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    for (UINT nID : {2u, 3u}) {
        CNoteView *pView = new CNoteView;
        ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), pFrame, nID, &context));
    }
    std::vector<CNoteView *> views = {ViewOf(pDoc, 0), ViewOf(pDoc, 1), ViewOf(pDoc, 2)};
    for (CNoteView *pView : views)
        pView->m_updates.clear();

    pDoc->UpdateAllViews(views[1], 7);
    EXPECT_EQ(std::vector<std::string>{"2:7"}, views[0]->m_updates);
    EXPECT_TRUE(views[1]->m_updates.empty()) << "the sender already knows";
    EXPECT_EQ(std::vector<std::string>{"2:7"}, views[2]->m_updates);
    // A view that goes leaves the document's list; the document stays while it
    // has views.
    views[2]->DestroyWindow();
    int nViews = 0;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pDoc->GetNextView(pos);)
        ++nViews;
    EXPECT_EQ(2, nViews);
    pDoc->UpdateAllViews(nullptr, 9);
    EXPECT_EQ((std::vector<std::string>{"2:7", "0:9"}), views[0]->m_updates);
}

// A saved document is titled after its file. Opening a file, through the
// template or as the command line names it, reads it through Serialize into
// the same document and frame; the application does not load a file that is
// open already, and a command line without a file empties the document. A
// file that cannot be read is reported: a missing one leaves the document as
// it was; a damaged one had emptied it, so what is left is a new untitled
// document, not half a file.
TEST_F(AfxDocView, OpenReadsTheNamedFileAndAFailureLeavesAWholeDocument)
{
    const auto saved = std::make_tuple(CString("Schaltschrank Süd"), 42, 3.75);
    const std::string path = m_folder + "\\schrank.qnt", damaged = m_folder + "\\kaputt.qnt",
                      order = m_folder + "\\auftrag.qnt";
    WriteBytes(damaged, {0x06, 'k', 'a', 'p'}); // the text ends early, the numbers are missing
    WithArchive(order, CArchive::store, [](CArchive &ar) { ar << CString("vom Befehl") << 5 << 0.5; });
    CFrameWnd *pFrame = ViewOf(pDoc)->GetParentFrame();
    struct Case {
        std::string path;
        bool commandLine;
        const char *message; // in the box; null: no box
        std::tuple<CString, int, double> after;
        std::string pathAfter;
        const char *title; // how the title begins
    };
    const Case cases[] = {
        {path, false, nullptr, saved, path, "schrank"},
        {m_folder + "\\fehlt.qnt",
         false,
         "fehlt.qnt wurde nicht gefunden.",
         {"verworfen", 0, 3.75},
         path,
         "schrank"},
        {damaged, false, "Dateiende", {"", 0, 0.0}, "", "Notiz"},
        {order, true, nullptr, {"vom Befehl", 5, 0.5}, order, "auftrag"},
        {path, true, nullptr, {"verworfen", 0, 3.75}, path, "schrank"},
        {"", true, nullptr, {"", 0, 0.0}, "", "Notiz"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        std::tie(pDoc->m_text, pDoc->m_count, pDoc->m_weight) = saved;
        pDoc->SetModifiedFlag();
        ASSERT_TRUE(pDoc->DoSave(path.c_str()));
        EXPECT_FALSE(pDoc->IsModified());
        EXPECT_EQ(0, pDoc->GetTitle().Find("schrank")) << (LPCSTR)pDoc->GetTitle();
        EXPECT_EQ(std::string(pDoc->GetTitle()) + " - Notizen", qrvtest::Text(pFrame->m_hWnd));
        // Changed in memory only.
        pDoc->m_text = "verworfen";
        pDoc->m_count = 0;
        const qrvtest::MessageBoxRecord box = qrvtest::AnsweringBoxes([&] {
            CCommandLineInfo info;
            if (!c.commandLine) {
                EXPECT_EQ(c.message ? nullptr : pDoc, m_pTemplate->OpenDocumentFile(c.path.c_str(), FALSE));
                return;
            }
            if (!c.path.empty())
                info.ParseParam(c.path.c_str(), FALSE, TRUE);
            EXPECT_TRUE(App().ProcessShellCommand(info));
        });
        EXPECT_EQ(c.message != nullptr, box.shown);
        EXPECT_NE(std::string::npos, box.text.find(c.message ? c.message : "")) << box.text;
        EXPECT_EQ(pDoc, m_pTemplate->m_pOnlyDoc);
        EXPECT_EQ(pFrame, ViewOf(pDoc)->GetParentFrame());
        EXPECT_EQ(c.after, std::tie(pDoc->m_text, pDoc->m_count, pDoc->m_weight));
        EXPECT_EQ(0, pDoc->GetTitle().Find(c.title)) << (LPCSTR)pDoc->GetTitle();
        EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(c.pathAfter.c_str()));
        EXPECT_FALSE(pDoc->IsModified());
    }
}

// Flags name the command; the first plain parameter is the file, printing to
// a printer takes three more; other flags and parameters change nothing.
TEST(AfxCommandLine, ParametersBecomeTheShellCommand)
{
    using CLI = CCommandLineInfo;
    struct Case {
        std::vector<const char *> args;
        int command;
        const char *file;
        const char *port;
    };
    const Case cases[] = {
        {{}, CLI::FileNew, "", ""},
        {{"plan.qnt"}, CLI::FileOpen, "plan.qnt", ""},
        {{"plan.qnt", "alt.qnt"}, CLI::FileOpen, "plan.qnt", ""},
        {{"/p", "plan.qnt"}, CLI::FilePrint, "plan.qnt", ""},
        {{"-pt", "plan.qnt", "Drucker", "Treiber", "LPT1", "mehr"}, CLI::FilePrintTo, "plan.qnt", "LPT1"},
        {{"/Unregister"}, CLI::AppUnregister, "", ""},
        {{"/unregserver"}, CLI::AppUnregister, "", ""},
        {{"/dde"}, CLI::FileDDE, "", ""},
        {{"/Embedding", "plan.qnt"}, CLI::FileOpen, "plan.qnt", ""},
        {{"/Automation", "/schnell"}, CLI::FileNew, "", ""},
    };
    for (const Case &c : cases) {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); ++i) {
            BOOL bFlag = c.args[i][0] == '/' || c.args[i][0] == '-';
            info.ParseParam(c.args[i] + bFlag, bFlag, i + 1 == c.args.size());
        }
        EXPECT_EQ(std::make_tuple(c.command, std::string(c.file), std::string(c.port)),
                  std::make_tuple((int)info.m_nShellCommand, std::string(info.m_strFileName),
                                  std::string(info.m_strPortName)));
    }
}

} // namespace
