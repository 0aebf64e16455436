// The host whose day the soak repeats: a top-level window with the preview
// pane (its viewers from the registry) and the file list tree over a work
// folder, the driver catalogue and the dialogs a host opens. Step(n) does
// the n-th action of a round that touches every part once; each action is
// one iteration of the soak.
#pragma once
#include <afxwin.h>
#include <afxole.h>

#include <functional>
#include <vector>

#include "browse/FileListTree.h"
#include "catalogue/PlcInfoList.h"
#include "driver/PlcDriverRecords.h"
#include "tests/viewer/LeadTestFiles.h"
#include "viewer/MainViewerWnd.h"
#include "viewer/ViewerList.h"

class CLeadViewerWnd;

class CSoakHost : public CWnd {
public:
    // folder: the work folder, emptied and filled with pictures and drivers.
    explicit CSoakHost(const CString &strFolder);
    ~CSoakHost() override;

    // Writes the pictures, copies the drivers, creates the windows; false with the reason printed.
    bool Start();
    int StepsPerRound() const { return int(m_round.size()); }
    // The action of step n (modulo the round); false when it failed.
    bool Step(long n);
    const char *StepName(long n) const { return m_round[size_t(n % StepsPerRound())].name; }

private:
    // One step of the round: its name and its action, given the round's number.
    struct SStep {
        const char *name;
        std::function<bool(int round)> act;
    };

    bool LoadPicture(int nPicture);
    bool ChangeSetting(int nSetting);
    bool CopyAndPaste();
    bool CopyFile();
    bool RenameFile();
    bool MoveFile();
    bool DeleteFile();
    bool RebuildCatalogue(int bFromDisk);
    bool SelectController();
    bool EditValues();

    bool CopyDrivers();
    CLeadViewerWnd *ImageViewer();
    HTREEITEM FolderItem(LPCSTR pszName);
    HTREEITEM ChildItem(HTREEITEM hFolder, LPCSTR pszName);
    CString Path(LPCSTR pszRelative) const { return m_strFolder + pszRelative; }

    CString m_strFolder; // ends in a backslash
    std::vector<SStep> m_round;
    CViewerList m_viewers;
    CMainViewerWnd m_pane;
    CFileListTree m_tree;
    CPlcInfoList m_catalogue;
    sPROJECT m_project;
    leadtest::TestPalettes m_pal;
};
