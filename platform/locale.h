// The ANSI code page: lead bytes, conversions to and from UTF-16, comparison and case.
#pragma once

#include <string>
#include <string_view>

namespace platform {

unsigned AnsiCodePage();
bool IsFarEast();                  // the system enables double-byte character sets
bool IsLeadByte(unsigned char c);  // of the ANSI code page

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
// One character: the UTF-16 unit of 1 or 2 bytes of the ANSI code page (an invalid sequence gives
// the code page's default character), and the 1 or 2 bytes the code page writes for one unit
// (stored in `bytes`; the count is returned).
wchar_t AnsiCharToWide(const char* bytes, int count);
int WideCharToAnsi(wchar_t unit, char bytes[2]);

// CompareStringA under the user's default locale; returns <0, 0 or >0.
int CompareAnsi(std::string_view a, std::string_view b, bool ignoreCase);

// CharLowerA / CharUpperA over the whole string.
std::string LowerAnsi(std::string text);
std::string UpperAnsi(std::string text);

// The OEM code page's bytes as ANSI (OemToCharA).
std::string OemToAnsi(const std::string& text);

// Makes the user's default locale the calling thread's (SetThreadLocale), after a settings change.
void UseUserDefaultThreadLocale();

}  // namespace platform
