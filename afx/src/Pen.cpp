#include "Pen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

namespace {
CGdiObject* NewPen() { return new CPen; }
}

CPen* PASCAL CPen::FromHandle(HPEN hObject)
{
    return static_cast<CPen*>(FromHandleOf(hObject, &NewPen));
}
