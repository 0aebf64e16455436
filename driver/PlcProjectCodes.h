// Project codes that single out a driver family. A driver's project code is
// read from its identity string; the library treats these few specially.
#pragma once

namespace PlcCode
{
enum : unsigned char
{
    SIMATIC_S5_OLD = 1,   // the old Simatic S5 driver, never offered for selection
    NETWORK_CLIENT = 2,   // the network client driver, hidden by most catalogues
    QEM_QMOVE = 78,
    SAIS_A_BUS = 101,
    ISAGRAF = 107,        // the internal controller
    FORTH = 126,
    CODESYS = 193,
    INTERNAL_MEMORY = 214, // the internal memory-buffer controller
    INTERNAL_OTHER = 222,
};
}
