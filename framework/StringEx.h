// TStringEx: a string that carries its own parser. The parser part is
// attached to the string part, so GetFirst/GetNext split the object's own text.
#pragma once
#include <afx.h>

template <class PARSER>
class TStringEx : public CString, public PARSER
{
public:
    TStringEx() { PARSER::Attach(this); }
    TStringEx(const CString& src) : CString(src) { PARSER::Attach(this); }
    TStringEx(LPCSTR psz) : CString(psz) { PARSER::Attach(this); }
    TStringEx(const TStringEx& src) : CString(src), PARSER(src) { PARSER::Attach(this); }

    TStringEx& operator=(const TStringEx& src)
    {
        CString::operator=(src);
        PARSER::operator=(src);
        PARSER::Attach(this);
        return *this;
    }
    TStringEx& operator=(const CString& src) { CString::operator=(src); return *this; }
    TStringEx& operator=(LPCSTR psz) { CString::operator=(psz); return *this; }

    // Bases are destroyed in reverse order: the parser part first, then the string.
    ~TStringEx() override {}
};
