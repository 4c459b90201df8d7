#include "win32/Impression_Gdi.h"

#include <algorithm>
#include <array>
#include <functional>
#include <cmath>
#include <memory>
#include <optional>
#include <type_traits>

#include "platform/Erreurs.h"
#include "platform/Textes.h"
#include "platform/Caracteres.h"

namespace {

// Device units per point, and where the device's origin lies on the paper: a printer's
// origin is the corner of its printable area.
struct TEchelle {
  double X, Y, Decalage_X, Decalage_Y;
  TEchelle(double x, double y) : X(x), Y(y), Decalage_X(0), Decalage_Y(0) {}
  explicit TEchelle(HDC dc)
      : X(GetDeviceCaps(dc, LOGPIXELSX) / 72.0),
        Y(GetDeviceCaps(dc, LOGPIXELSY) / 72.0),
        Decalage_X(GetDeviceCaps(dc, PHYSICALOFFSETX)),
        Decalage_Y(GetDeviceCaps(dc, PHYSICALOFFSETY)) {}
  int Vers_X(double x) const { return static_cast<int>(std::lround(x * X - Decalage_X)); }
  int Vers_Y(double y) const { return static_cast<int>(std::lround(y * Y - Decalage_Y)); }
};

// A GDI object, deleted at the end.
class TObjet_Gdi {
public:
  explicit TObjet_Gdi(HGDIOBJ objet) : objet_(objet) {}
  ~TObjet_Gdi() { DeleteObject(objet_); }
  TObjet_Gdi(const TObjet_Gdi&) = delete;
  TObjet_Gdi& operator=(const TObjet_Gdi&) = delete;
  HGDIOBJ Objet() const { return objet_; }

private:
  HGDIOBJ objet_;
};

// An object selected into the context for the life of the guard.
class TChoix_Gdi {
public:
  TChoix_Gdi(HDC dc, HGDIOBJ objet) : dc_(dc), ancien_(SelectObject(dc, objet)) {}
  ~TChoix_Gdi() { SelectObject(dc_, ancien_); }
  TChoix_Gdi(const TChoix_Gdi&) = delete;
  TChoix_Gdi& operator=(const TChoix_Gdi&) = delete;

private:
  HDC dc_;
  HGDIOBJ ancien_;
};

HFONT Police_Gdi(HDC dc, recap::TRole role) {
  const recap::TPolice police = recap::Police_De(role);
  const int hauteur = -static_cast<int>(std::lround(police.Taille * GetDeviceCaps(dc, LOGPIXELSY) / 72.0));
  const std::wstring famille = plateforme::Vers_Utf16(recap::Famille_Police);
  return CreateFontW(hauteur, 0, 0, 0, police.Gras ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, VARIABLE_PITCH | FF_SWISS, famille.c_str());
}

// The font of every role, at the context's resolution, made once.
class TPolices_Gdi {
public:
  explicit TPolices_Gdi(HDC dc) {
    for (size_t r = 0; r < polices_.size(); ++r) polices_[r].emplace(Police_Gdi(dc, static_cast<recap::TRole>(r)));
  }
  HGDIOBJ operator[](recap::TRole role) const { return polices_[static_cast<size_t>(role)]->Objet(); }

private:
  std::array<std::optional<TObjet_Gdi>, static_cast<size_t>(recap::TRole::Pied) + 1> polices_;
};

UINT Alignement_Gdi(recap::TAlignement a) {
  switch (a) {
    case recap::TAlignement::Droite: return TA_BASELINE | TA_RIGHT | TA_NOUPDATECP;
    case recap::TAlignement::Centre: return TA_BASELINE | TA_CENTER | TA_NOUPDATECP;
    default: return TA_BASELINE | TA_LEFT | TA_NOUPDATECP;
  }
}

// Abandons the print job unless it was ended.
class TTravail_Impression {
public:
  TTravail_Impression(HDC dc, const std::wstring& document) : dc_(dc) {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    if (StartDocW(dc, &info) <= 0) throw plateforme::EKorvex(textes::Impression_Echouee);
  }
  ~TTravail_Impression() {
    if (!fini_) AbortDoc(dc_);
  }
  TTravail_Impression(const TTravail_Impression&) = delete;
  TTravail_Impression& operator=(const TTravail_Impression&) = delete;

  void Finir() {
    fini_ = true;
    if (EndDoc(dc_) <= 0) throw plateforme::EKorvex(textes::Impression_Echouee);
  }

private:
  HDC dc_;
  bool fini_ = false;
};

}  // namespace

recap::TFormat_Page Format_Page_Gdi(HDC dc) {
  recap::TFormat_Page format;
  const int largeur = GetDeviceCaps(dc, PHYSICALWIDTH), hauteur = GetDeviceCaps(dc, PHYSICALHEIGHT);
  if (largeur <= 0 || hauteur <= 0) return format;
  const TEchelle e(dc);
  format.Largeur = largeur / e.X;
  format.Hauteur = hauteur / e.Y;
  return format;
}

recap::TMesure Mesure_Gdi(HDC dc) {
  auto polices = std::make_shared<const TPolices_Gdi>(dc);
  return [dc, polices, e = TEchelle(dc)](recap::TRole role, const std::string& texte) {
    const TChoix_Gdi police(dc, (*polices)[role]);
    const std::wstring large = plateforme::Vers_Utf16(texte);
    SIZE taille{};
    GetTextExtentPoint32W(dc, large.c_str(), static_cast<int>(large.size()), &taille);
    return taille.cx / e.X;
  };
}

recap::TMesure Mesure_Ecran_Gdi() {
  auto ecran = std::shared_ptr<std::remove_pointer_t<HDC>>(GetDC(nullptr), [](HDC dc) { ReleaseDC(nullptr, dc); });
  return [ecran, mesure = Mesure_Gdi(ecran.get())](recap::TRole role, const std::string& texte) {
    return mesure(role, texte);
  };
}

std::vector<recap::TPage_Imprimee> Mettre_En_Pages_Gdi(HDC dc, const recap::TTableau& Tableau) {
  return recap::Mettre_En_Pages(Tableau, Format_Page_Gdi(dc), Mesure_Gdi(dc));
}

namespace {

void Ligne(HDC dc, const TEchelle& e, double x1, double y1, double x2, double y2, double epaisseur, COLORREF couleur) {
  const TObjet_Gdi plume(CreatePen(PS_SOLID, std::max(1, static_cast<int>(std::lround(epaisseur * e.Y))), couleur));
  const TChoix_Gdi choix(dc, plume.Objet());
  MoveToEx(dc, e.Vers_X(x1), e.Vers_Y(y1), nullptr);
  LineTo(dc, e.Vers_X(x2), e.Vers_Y(y2));
}

void Rectangle_Plein(HDC dc, const TEchelle& e, double x, double y, double largeur, double hauteur, COLORREF couleur) {
  const TObjet_Gdi pinceau(CreateSolidBrush(couleur));
  const RECT r{e.Vers_X(x), e.Vers_Y(y), e.Vers_X(x + largeur), e.Vers_Y(y + hauteur)};
  FillRect(dc, &r, static_cast<HBRUSH>(pinceau.Objet()));
}

COLORREF Couleur_Gdi(const recap::TCouleur& c) {
  return RGB(static_cast<BYTE>(c.Rouge), static_cast<BYTE>(c.Vert), static_cast<BYTE>(c.Bleu));
}

void Dessiner(HDC dc, const recap::TPage_Imprimee& page, const TEchelle& e, const std::function<HGDIOBJ(recap::TRole)>& police) {
  const auto gris = static_cast<BYTE>(std::lround(recap::Gris_Fond * 255));
  for (const auto& f : page.Fonds) Rectangle_Plein(dc, e, f.X, f.Y, f.Largeur, f.Hauteur, RGB(gris, gris, gris));
  const auto segments = [&](bool sous_barres) {
    for (const auto& s : page.Segments)
      if (s.Sous_Barres == sous_barres) Ligne(dc, e, s.X1, s.Y1, s.X2, s.Y2, s.Epaisseur, Couleur_Gdi(s.Couleur));
  };
  segments(true);
  for (const auto& b : page.Barres) Rectangle_Plein(dc, e, b.X, b.Y, b.Largeur, b.Hauteur, Couleur_Gdi(b.Couleur));
  for (const auto& t : page.Traits) Ligne(dc, e, t.X1, t.Y1, t.X2, t.Y2, t.Epaisseur, RGB(0, 0, 0));
  segments(false);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (const auto& t : page.Textes) {
    const TChoix_Gdi choix(dc, police(t.Role));
    SetTextAlign(dc, Alignement_Gdi(t.Alignement));
    const std::wstring large = plateforme::Vers_Utf16(t.Texte);
    ExtTextOutW(dc, e.Vers_X(t.X), e.Vers_Y(t.Y), 0, nullptr, large.c_str(), static_cast<UINT>(large.size()),
                nullptr);
  }
}

}  // namespace

void Dessiner_Page_Gdi(HDC dc, const recap::TPage_Imprimee& page) {
  const TPolices_Gdi polices(dc);
  Dessiner(dc, page, TEchelle(dc), [&polices](recap::TRole r) { return polices[r]; });
}

void Dessiner_Ecran_Gdi(HDC dc, const recap::TPage_Imprimee& page, HFONT police) {
  Dessiner(dc, page, TEchelle(1, 1), [police](recap::TRole) { return static_cast<HGDIOBJ>(police); });
}

void Imprimer_Pages_Gdi(HDC imprimante, const std::vector<recap::TPage_Imprimee>& pages, const std::string& document) {
  TTravail_Impression travail(imprimante, plateforme::Vers_Utf16(document));
  for (const auto& page : pages) {
    if (StartPage(imprimante) <= 0) throw plateforme::EKorvex(textes::Impression_Echouee);
    Dessiner_Page_Gdi(imprimante, page);
    if (EndPage(imprimante) <= 0) throw plateforme::EKorvex(textes::Impression_Echouee);
  }
  travail.Finir();
}

void Imprimer_Tableau_Gdi(HDC imprimante, const recap::TTableau& Tableau, const std::string& document) {
  Imprimer_Pages_Gdi(imprimante, Mettre_En_Pages_Gdi(imprimante, Tableau), document);
}
