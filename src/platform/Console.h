// The console of a command-line tool: arguments and output in UTF-8 on every platform.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace plateforme {

// The program's arguments, its own name excluded, in UTF-8. On Windows they are read again
// from the UTF-16 command line, since argv holds them in the ANSI code page, where a folder
// such as C:\Données\KORVEX may not survive.
std::vector<std::string> Arguments_Utf8(int argc, char** argv);

// For the life of the object, the console shows UTF-8 output and the standard streams pass
// bytes unchanged (no line-ending translation). The console's code page comes back at the end,
// so that the user's window is left as it was.
class TConsoleUtf8 {
public:
  TConsoleUtf8();
  ~TConsoleUtf8();
  TConsoleUtf8(const TConsoleUtf8&) = delete;
  TConsoleUtf8& operator=(const TConsoleUtf8&) = delete;

private:
  [[maybe_unused]] unsigned page_precedente_ = 0;
};

// Writes a UTF-8 text whole to stdout or stderr and flushes it. Returns false when the
// stream could not take it (closed pipe, full disk).
bool Ecrire_Console(std::FILE* flux, const std::string& texte);

}  // namespace plateforme
