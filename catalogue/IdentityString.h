// The identity string of a driver module: "code.version" or
// "family.code.version" in decimal. Plain C++ without Windows headers, so
// that the parser can be fuzzed natively.
#pragma once

// True when the text has one or two points; code and version are what the
// decimal fields give (0 where a field is missing). False for any other
// count of points, code and version then 0.
bool ParseIdentityString(const char* pszText, int& code, int& version);
