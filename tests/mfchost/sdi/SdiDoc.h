// SdiDoc.h : interface of the CSdiDoc class
#if !defined(AFX_SDIDOC_H__SDIHOST__INCLUDED_)
#define AFX_SDIDOC_H__SDIHOST__INCLUDED_

class CSdiDoc : public CDocument
{
protected: // create from serialization only
    CSdiDoc();
    DECLARE_DYNCREATE(CSdiDoc)

// Attributes
public:
    CString m_strName;      // name of the test stand
    LONG    m_lCount;       // number of cycles
    double  m_dLevel;       // fill level in percent

    //{{AFX_VIRTUAL(CSdiDoc)
public:
    virtual BOOL OnNewDocument();
    virtual void Serialize(CArchive& ar);
    virtual void DeleteContents();
    //}}AFX_VIRTUAL

public:
    virtual ~CSdiDoc();

protected:
    //{{AFX_MSG(CSdiDoc)
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_SDIDOC_H__SDIHOST__INCLUDED_)
