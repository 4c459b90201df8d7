// UTF-8, the program's texts, to and from the UTF-16 of the Windows calls.
#pragma once

#ifdef _WIN32
#include <string>

namespace plateforme {

std::wstring Vers_Utf16(const std::string& texte);
std::string Vers_Utf8(const wchar_t* texte);

}  // namespace plateforme
#endif
