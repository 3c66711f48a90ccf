// The ANSI code page: lead bytes, conversions to and from UTF-16, comparison and case.
#include "platform/locale.h"

#include <array>

#include "platform/win32.h"

namespace platform {

namespace {

struct LeadBytes {
    std::array<bool, 256> lead{};
    bool farEast = false;
    LeadBytes()
    {
        CPINFO info{};
        if (::GetCPInfo(CP_ACP, &info)) {
            for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2)
                for (int c = info.LeadByte[i]; c <= info.LeadByte[i + 1]; ++c)
                    lead[c] = true;
        }
        farEast = ::GetSystemMetrics(SM_DBCSENABLED) != 0;
    }
};

const LeadBytes& Leads()
{
    static const LeadBytes leads;
    return leads;
}

std::wstring ToWide(unsigned codePage, const std::string& text)
{
    if (text.empty())
        return {};
    int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(n, L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), n);
    return result;
}

std::string FromWide(unsigned codePage, const std::wstring& text)
{
    if (text.empty())
        return {};
    int n =
        ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(n, '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), n, nullptr, nullptr);
    return result;
}

}  // namespace

unsigned AnsiCodePage() { return ::GetACP(); }

bool IsFarEast() { return Leads().farEast || Leads().lead[0x81]; }

bool IsLeadByte(unsigned char c) { return Leads().lead[c]; }

std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }
std::string WideToAnsi(const std::wstring& text) { return FromWide(CP_ACP, text); }
std::wstring Utf8ToWide(const std::string& text) { return ToWide(CP_UTF8, text); }
std::string WideToUtf8(const std::wstring& text) { return FromWide(CP_UTF8, text); }

wchar_t AnsiCharToWide(const char* bytes, int count)
{
    wchar_t unit = 0;
    return ::MultiByteToWideChar(CP_ACP, 0, bytes, count, &unit, 1) == 1 ? unit : L'\0';
}

int WideCharToAnsi(wchar_t unit, char bytes[2])
{
    return ::WideCharToMultiByte(CP_ACP, 0, &unit, 1, bytes, 2, nullptr, nullptr);
}

int CompareAnsi(std::string_view a, std::string_view b, bool ignoreCase)
{
    // A null pointer is refused even with length 0; an empty view may carry one.
    return ::CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.empty() ? "" : a.data(),
                            static_cast<int>(a.size()), b.empty() ? "" : b.data(), static_cast<int>(b.size())) -
           2;
}

std::string LowerAnsi(std::string text)
{
    if (!text.empty())
        ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string UpperAnsi(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string OemToAnsi(const std::string& text)
{
    std::string result(text);
    if (!result.empty())
        ::OemToCharBuffA(text.data(), result.data(), static_cast<DWORD>(text.size()));
    return result;
}

void UseUserDefaultThreadLocale() { ::SetThreadLocale(LOCALE_USER_DEFAULT); }

}  // namespace platform
