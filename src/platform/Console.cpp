#include "platform/Console.h"

#include "platform/Caracteres.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#endif

namespace plateforme {

namespace {

bool Ecrire_Octets(std::FILE* flux, const std::string& texte) {
  if (!texte.empty() && std::fwrite(texte.data(), 1, texte.size(), flux) != texte.size()) return false;
  return std::fflush(flux) == 0 && !std::ferror(flux);
}

#ifdef _WIN32

// The console window itself, when the stream is not redirected to a file or a pipe.
HANDLE Console_De(std::FILE* flux) {
  auto h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(flux)));
  DWORD mode = 0;
  return h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) ? h : nullptr;
}

// A console takes UTF-16 whatever its code page; a character is never cut between two writes.
bool Ecrire_Console_Windows(HANDLE console, const std::string& texte) {
  const std::wstring large = Vers_Utf16(texte);
  constexpr size_t Morceau = 8192;
  for (size_t debut = 0; debut < large.size();) {
    size_t n = std::min(Morceau, large.size() - debut);
    if (n == Morceau && IS_HIGH_SURROGATE(large[debut + n - 1])) --n;
    DWORD ecrits = 0;
    if (!WriteConsoleW(console, large.data() + debut, static_cast<DWORD>(n), &ecrits, nullptr) ||
        ecrits == 0)
      return false;
    debut += ecrits;
  }
  return true;
}

#endif

}  // namespace

#ifdef _WIN32

std::vector<std::string> Arguments_Utf8(int argc, char** argv) {
  int n = 0;
  std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(
      CommandLineToArgvW(GetCommandLineW(), &n), &LocalFree);
  std::vector<std::string> sortie;
  if (!arguments) {
    // Without the UTF-16 command line, the ANSI one is better than nothing.
    for (int i = 1; i < argc; ++i) sortie.emplace_back(argv[i]);
    return sortie;
  }
  for (int i = 1; i < n; ++i) sortie.push_back(Vers_Utf8(arguments.get()[i]));
  return sortie;
}

TConsoleUtf8::TConsoleUtf8() {
  page_precedente_ = GetConsoleOutputCP();  // 0 when the process has no console
  if (page_precedente_ != 0) SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

TConsoleUtf8::~TConsoleUtf8() {
  std::fflush(stdout);
  std::fflush(stderr);
  if (page_precedente_ != 0 && page_precedente_ != CP_UTF8) SetConsoleOutputCP(page_precedente_);
}

bool Ecrire_Console(std::FILE* flux, const std::string& texte) {
  if (HANDLE console = Console_De(flux)) {
    if (std::fflush(flux) != 0) return false;
    return Ecrire_Console_Windows(console, texte);
  }
  return Ecrire_Octets(flux, texte);
}

#else

// POSIX arguments are bytes, as the file system takes them: nothing to convert.
std::vector<std::string> Arguments_Utf8(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

TConsoleUtf8::TConsoleUtf8() = default;
TConsoleUtf8::~TConsoleUtf8() = default;

bool Ecrire_Console(std::FILE* flux, const std::string& texte) { return Ecrire_Octets(flux, texte); }

#endif

}  // namespace plateforme
