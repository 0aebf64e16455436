// SdiDoc.h : interface of the CSdiDoc class
#pragma once

class CSdiDoc : public CDocument {
protected: // create from serialization only
    CSdiDoc();
    DECLARE_DYNCREATE(CSdiDoc)

public:
    CString m_strName; // name of the test stand
    LONG m_lCount;     // number of cycles
    double m_dLevel;   // fill level in percent

    virtual void Serialize(CArchive &ar);
    virtual void DeleteContents();
    DECLARE_MESSAGE_MAP()
};
