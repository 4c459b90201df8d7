// Text conversions between the program's UTF-8 and what the system takes.
#pragma once

#include <string>

namespace plateforme {

// Every character in lower case, by the Unicode rules (É gives é); the rest unchanged.
std::string Minuscules(const std::string& texte);

#ifdef _WIN32
// The W functions of Windows take UTF-16; a byte that is not UTF-8 becomes U+FFFD.
std::wstring Vers_Utf16(const std::string& texte);
std::string Vers_Utf8(const std::wstring& texte);
#endif

}  // namespace plateforme
