#include "win32/Presse_Papiers.h"

#include <cstring>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"

namespace win32 {

namespace {

// The clipboard open for as long as the object lives. Another program may hold it for a moment:
// a few tries before giving up.
class TPressePapiersOuvert {
public:
  explicit TPressePapiersOuvert(HWND proprietaire) {
    for (int essai = 0; essai < 10 && !ouvert_; ++essai) {
      ouvert_ = OpenClipboard(proprietaire) != FALSE;
      if (!ouvert_) Sleep(20);
    }
    if (!ouvert_) throw plateforme::EKorvex(textes::Presse_Papiers_Occupe);
  }
  ~TPressePapiersOuvert() { CloseClipboard(); }
  TPressePapiersOuvert(const TPressePapiersOuvert&) = delete;
  TPressePapiersOuvert& operator=(const TPressePapiersOuvert&) = delete;

private:
  bool ouvert_ = false;
};

// Global memory until the clipboard owns it.
struct TMemoireGlobale {
  HGLOBAL h;
  ~TMemoireGlobale() {
    if (h != nullptr) GlobalFree(h);
  }
};

}  // namespace

void Ecrire_Presse_Papiers(HWND proprietaire, const std::string& texte) {
  const std::wstring large = plateforme::Vers_Utf16(texte);
  const size_t octets = (large.size() + 1) * sizeof(wchar_t);
  TMemoireGlobale memoire{GlobalAlloc(GMEM_MOVEABLE, octets)};
  if (memoire.h == nullptr) throw std::bad_alloc();
  std::memcpy(GlobalLock(memoire.h), large.c_str(), octets);
  GlobalUnlock(memoire.h);
  const TPressePapiersOuvert ouvert(proprietaire);
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, memoire.h) != nullptr) memoire.h = nullptr;  // the clipboard's now
}

std::string Lire_Presse_Papiers(HWND proprietaire) {
  const TPressePapiersOuvert ouvert(proprietaire);
  const HANDLE donnees = GetClipboardData(CF_UNICODETEXT);
  if (donnees == nullptr) return {};
  const auto* texte = static_cast<const wchar_t*>(GlobalLock(donnees));
  std::string utf8 = texte != nullptr ? plateforme::Vers_Utf8(texte) : std::string();
  GlobalUnlock(donnees);
  return utf8;
}

}  // namespace win32
