// Copy and paste end to end, as a user does it with the demo: the image
// viewer's panel image goes to the clipboard with its "PlxDibInfo" record
// (the viewer's Kopieren), and the file list tree pastes it into a folder
// (Bearbeiten – Einfügen), where it must arrive as a reduced bitmap file.
#pragma once
#include <afxwin.h>

class CPasteDemo
{
public:
    // Headless run: a picture in the Bildvorschau window of a 16-colour
    // panel, Kopieren, a folder window at a scratch folder, Einfügen; checks
    // that a 4-bit bitmap arrived and takes file-list-paste.png. Returns the
    // number of failures.
    static int Run(CWnd* pMain, const CString& shots);
};
