// SdiDoc.cpp : implementation of the CSdiDoc class
#include "stdafx.h"
#include "SdiHost.h"
#include "SdiDoc.h"

// The file starts with this version of its layout.
static const WORD kFileVersion = 1;

IMPLEMENT_DYNCREATE(CSdiDoc, CDocument)

BEGIN_MESSAGE_MAP(CSdiDoc, CDocument)
END_MESSAGE_MAP()

CSdiDoc::CSdiDoc()
{
    m_lCount = 0;
    m_dLevel = 0.0;
}

void CSdiDoc::DeleteContents()
{
    m_strName.Empty();
    m_lCount = 0;
    m_dLevel = 0.0;
    CDocument::DeleteContents();
}

void CSdiDoc::Serialize(CArchive &ar)
{
    if (ar.IsStoring()) {
        ar << kFileVersion;
        ar << m_strName << m_lCount << m_dLevel;
    } else {
        WORD wVersion;
        ar >> wVersion;
        if (wVersion != kFileVersion)
            AfxThrowArchiveException(CArchiveException::badSchema);
        ar >> m_strName >> m_lCount >> m_dLevel;
    }
}
