// Multibyte text stepping without the runtime: the path and token parsers are
// written over these few functions so that they build and run anywhere (the
// fuzzers run them natively). Which bytes lead a double-byte character is the
// caller's: on Windows the current multibyte code page (_ismbblead).
#pragma once

namespace mbcs {

using LeadByteTest = bool (*)(unsigned char);

// The character after p: two bytes on for a lead byte with its trail byte,
// else one. Never steps past the terminating zero.
const unsigned char* Next(const unsigned char* p, LeadByteTest isLead);

// The character at p is one of the characters of set (a multibyte string).
bool IsOneOf(const unsigned char* p, const unsigned char* set, LeadByteTest isLead);

// Splits text in place as the runtime's multibyte tokenizer does: skips
// delimiters, ends the token found with a zero and keeps where to go on in
// *pNext. text null continues from *pNext. Null when no token is left.
unsigned char* Token(unsigned char* text, const unsigned char* delimiters, unsigned char** pNext,
                     LeadByteTest isLead);

} // namespace mbcs
