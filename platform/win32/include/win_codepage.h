// Conversions between wide text and byte encodings (UTF-8, UTF-16LE, Shift-JIS code
// page 932 and the other ANSI code pages that DXF headers and ini files name).
#pragma once

#include "win_types.h"

#include <optional>
#include <string>
#include <string_view>

#define CP_ACP 0
#define CP_UTF8 65001
#define CP_SHIFT_JIS 932

// Windows-style entry points: return the number of units written (or needed when the
// output size is 0), 0 on failure.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR in, int inBytes, LPWSTR out,
                        int outChars);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR in, int inChars, LPSTR out,
                        int outBytes, LPCSTR defaultChar, BOOL* usedDefault);

namespace kz {

// UTF-8 to wide. Invalid sequences become U+FFFD, never an error: text from files
// must not be lost because one byte is damaged.
std::wstring utf8ToWide(std::string_view utf8);
// Wide to UTF-8. Lone surrogates and values beyond U+10FFFF become U+FFFD.
std::string wideToUtf8(std::wstring_view wide);
void appendUtf8(std::string& out, char32_t cp);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Converts bytes in the named code page ("ANSI_932", "ANSI_1252", "UTF-8", "UTF-16LE",
// "UTF-16BE", or a number) to wide text. Returns nothing when the code page is unknown to iconv.
std::optional<std::wstring> decodeCodePage(std::string_view bytes, std::string_view codePage);
// Characters the code page lacks become '?', one per character.
std::optional<std::string> encodeCodePage(std::wstring_view wide, std::string_view codePage);
// Like encodeCodePage, but nothing when a character has no encoding in the code page,
// so that callers can refuse to lose text.
std::optional<std::string> encodeCodePageExact(std::wstring_view wide, std::string_view codePage);

// Decodes many texts of one code page with one converter; opening the converter is
// the expensive part of decodeCodePage. Unknown code pages decode to nothing.
class CodePageDecoder {
public:
    explicit CodePageDecoder(std::string_view codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    bool known() const { return utf8_ || cd_; }
    // As decodeCodePage: what cannot be decoded becomes U+FFFD.
    std::wstring decode(std::string_view bytes);

private:
    bool utf8_ = false;
    void* cd_ = nullptr; // the iconv converter
};

// iconv's name for a code page as DXF ($DWGCODEPAGE) or Windows (a number) spells it;
// empty when unknown.
std::string iconvNameForCodePage(std::string_view codePage);

} // namespace kz
