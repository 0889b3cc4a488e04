#include <cstring>
#include <vector>

#include "platform/windows/WideCalls.h"
#include "platform/windows/WideText.h"

namespace w32wide {

namespace {

// An optional text of the settings calls (a null one means "every key" or "delete").
class OptionalText {
  public:
    explicit OptionalText(LPCSTR text) : null_(text == nullptr), wide_(Widen(text ? text : "")) {}
    LPCWSTR get() const { return null_ ? nullptr : wide_.c_str(); }

  private:
    bool null_;
    std::wstring wide_;
};

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                               LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    if (!lpReturnedString || nSize == 0)
        return 0;
    std::wstring file;
    if (!SystemPath(lpFileName, file)) {
        lpReturnedString[0] = '\0';
        return 0;
    }
    // A character takes at least one byte: nSize units hold whatever nSize bytes can.
    std::vector<wchar_t> wide(nSize + 1, L'\0');
    const DWORD units =
        ::GetPrivateProfileStringW(OptionalText(lpAppName).get(), OptionalText(lpKeyName).get(),
                                   OptionalText(lpDefault).get(), wide.data(), nSize, file.c_str());
    const std::string text = Narrow(std::wstring_view(wide.data(), units));
    if (lpAppName && lpKeyName)
        return static_cast<DWORD>(CopyCut(text, lpReturnedString, nSize));
    // A list of names, each ended by a NUL, the list by a second one; one that does not fit is
    // cut, its last name ending in two NULs, and nSize - 2 is returned.
    if (text.size() + 2 <= nSize) {
        std::memcpy(lpReturnedString, text.data(), text.size());
        lpReturnedString[text.size()] = '\0';
        lpReturnedString[text.size() + 1] = '\0';
        return static_cast<DWORD>(text.size());
    }
    if (nSize < 2) {
        lpReturnedString[0] = '\0';
        return 0;
    }
    CopyCut(text, lpReturnedString, nSize - 1);
    lpReturnedString[nSize - 2] = '\0';
    lpReturnedString[nSize - 1] = '\0';
    return nSize - 2;
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
    std::wstring file;
    if (!SystemPath(lpFileName, file))
        return static_cast<UINT>(nDefault);
    return ::GetPrivateProfileIntW(OptionalText(lpAppName).get(), OptionalText(lpKeyName).get(),
                                   nDefault, file.c_str());
}

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                LPCSTR lpFileName) {
    std::wstring file;
    return SystemPath(lpFileName, file) &&
           ::WritePrivateProfileStringW(OptionalText(lpAppName).get(),
                                        OptionalText(lpKeyName).get(), OptionalText(lpString).get(),
                                        file.c_str());
}

}  // namespace w32wide
