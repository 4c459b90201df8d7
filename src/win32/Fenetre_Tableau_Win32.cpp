#include "win32/Fenetre_Tableau_Win32.h"

#include <algorithm>

#include "forms/Description_Tableaux.h"
#include "win32/Commandes_Win32.h"
#include "win32/Controles_Win32.h"
#include "win32/Etiquette_Defilante_Win32.h"

namespace win32 {

namespace {

constexpr wchar_t Classe_Tableau[] = L"KorvexTableau";
constexpr DWORD Style_Tableau = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, Style_Etendu_Tableau = WS_EX_CONTROLPARENT;
enum : int {  // never IDOK nor IDCANCEL
  Id_Grille = 100,
  Id_Mois_Reference,
  Id_Seuil,
  Id_Comparer,
  Id_Libelle_Mois,
  Id_Libelle_Seuil,
  Id_Resume,
  Id_Avertissements,
};

constexpr const auto& Panneau = description::Controle_Tableau("PanelComparaison");
constexpr const auto& Resume = description::Controle_Tableau("LabelResumeTableau");
constexpr const auto& Avertissements = description::Controle_Tableau("LabelAvertissementsTableau");

// Each control of the description but the grid, as Windows makes it.
constexpr TControle_Win32<TFenetre_Tableau> Controles_Win32[] = {
    {"PanelComparaison", &TFenetre_Tableau::PanelComparaison, nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0},
    {"LabelMoisReference", &TFenetre_Tableau::LabelMoisReference, L"STATIC", SS_LEFT | SS_NOPREFIX, 0,
     Id_Libelle_Mois},
    {"EditMoisReference", &TFenetre_Tableau::EditMoisReference, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE, Id_Mois_Reference},
    {"LabelSeuil", &TFenetre_Tableau::LabelSeuil, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, Id_Libelle_Seuil},
    {"EditSeuil", &TFenetre_Tableau::EditSeuil, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, Id_Seuil},
    // A plain push button, as the main window's: Enter does not press it.
    {"ButtonComparer", &TFenetre_Tableau::ButtonComparer, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, Id_Comparer},
    {"LabelResumeTableau", &TFenetre_Tableau::LabelResumeTableau, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, Id_Resume},
    {"LabelAvertissementsTableau", &TFenetre_Tableau::LabelAvertissementsTableau, L"STATIC", SS_LEFT | SS_NOPREFIX, 0,
     Id_Avertissements},
};

// The panel and what it holds: the comparison window's only.
constexpr bool Du_Panneau(const description::TControle& c) {
  return c.Nom == std::string_view(Panneau.Nom) || c.Parent == std::string_view(Panneau.Nom);
}

static_assert(std::ranges::all_of(description::Controles_Tableau,
                                  [](const description::TControle& c) {
                                    return c.Nom == std::string_view("GrilleTableau") ||
                                           Controle_Win32(Controles_Win32, c.Nom) != nullptr;
                                  }),
              "every control of the description is made");

const description::TFenetre_Tableau& Description(recap::TGenre_Fenetre genre) {
  return genre == recap::TGenre_Fenetre::Comparaison ? description::Fenetre_Comparaison : description::Fenetre_Detail;
}

}  // namespace

TFenetre_Tableau::TFenetre_Tableau(recap::TGenre_Fenetre Genre, HWND Proprietaire, POINT Coin,
                                   recap::TBoitesMessages Boites, TDialogues Dialogues, TFermeture Fermee)
    : genre_(Genre), Boites_(std::move(Boites)), Dialogues_(std::move(Dialogues)), fermee_(std::move(Fermee)) {
  Enregistrer_Classe_Fenetre(Classe_Tableau, &TFenetre_Tableau::Procedure);
  CreateWindowExW(Style_Etendu_Tableau, Classe_Tableau, L"", Style_Tableau, Coin.x, Coin.y, 100, 100, Proprietaire,
                  nullptr, GetModuleHandleW(nullptr), this);
  dpi_ = Dpi_De(hwnd_);
  // The description's client size at this DPI, moved and if need be shrunk into the work area.
  const auto& d = Description(genre_);
  RECT cadre{0, 0, Echelle(d.Largeur_Client), Echelle(d.Hauteur_Client)};
  AdjustWindowRectEx(&cadre, Style_Tableau, FALSE, Style_Etendu_Tableau);
  const RECT place = Dans_La_Zone(Zone_Travail(MonitorFromPoint(Coin, MONITOR_DEFAULTTONEAREST)), Coin,
                                  {cadre.right - cadre.left, cadre.bottom - cadre.top});
  SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Creer_Controles();
  Changer_Police();
  Placer_Controles();
}

TFenetre_Tableau::~TFenetre_Tableau() {
  Detruire();
  GrilleTableau.reset();
  if (police_ != nullptr) DeleteObject(police_);
}

void TFenetre_Tableau::Afficher(int commande_affichage) {
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : commande_affichage);
  SetForegroundWindow(hwnd_);  // already open, it may be behind another of ours
  UpdateWindow(hwnd_);
  SetFocus(GrilleTableau->Handle());
}

recap::TCurseur TFenetre_Tableau::Curseur() { return Curseur_Fenetre(occupe_); }

// ---- The controls, from the description ----

void TFenetre_Tableau::Creer_Controles() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Tab order is creation order: the panel's edits and button, then the grid.
  for (const auto& c : description::Controles_Tableau) {
    const auto* w = Controle_Win32(Controles_Win32, c.Nom);
    if (w == nullptr) {
      GrilleTableau = std::make_unique<TGrilleWin32>(hwnd_, Id_Grille, RECT{}, dpi_);
      continue;
    }
    if (Du_Panneau(c) && !Comparaison()) continue;
    const HWND parent = std::string_view(c.Parent) == Panneau.Nom ? PanelComparaison : hwnd_;
    const wchar_t* classe = w->Classe != nullptr ? w->Classe : Classe_Panneau();
    this->*w->Membre = CreateWindowExW(w->Etendu, classe, Large(c.Texte).c_str(),
                                       WS_CHILD | w->Style | (c.Cache ? 0 : WS_VISIBLE), 0, 0, 0, 0, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(w->Id)), instance, nullptr);
  }
  const auto& rouge = description::Couleur_Erreur;
  Rendre_Defilante(LabelAvertissementsTableau, RGB(rouge.Rouge, rouge.Vert, rouge.Bleu));
}

void TFenetre_Tableau::Placer_Controles() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const auto placer = [](HWND h, int x, int y, int largeur, int hauteur) {
    SetWindowPos(h, nullptr, x, y, largeur, hauteur, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  int haut = 0;
  if (Comparaison()) {
    for (const auto& c : description::Controles_Tableau) {
      if (std::string_view(c.Parent) != Panneau.Nom) continue;
      const HWND h = Controle(c.Nom);
      placer(h, Echelle(c.Left), Echelle(c.Top), Echelle(c.Width), Echelle(c.Height));
      if (c.Width == 0) Ajuster_A_Son_Texte(h, police_);
    }
    haut = Echelle(Panneau.Height);
    placer(PanelComparaison, 0, 0, client.right, haut);
  }
  // Under the grid, the summary (the comparison's five lines, the detail's one), then the warnings
  // while they show.
  TEXTMETRICW mesures{};
  HDC dc = GetDC(LabelResumeTableau);
  const HGDIOBJ ancienne = SelectObject(dc, police_);
  GetTextMetricsW(dc, &mesures);
  SelectObject(dc, ancienne);
  ReleaseDC(LabelResumeTableau, dc);
  const int marge = Echelle(4);
  const int resume = Comparaison() ? Echelle(Resume.Height) : mesures.tmHeight + 2 * marge;
  const int avertissements = Montre(LabelAvertissementsTableau) ? Echelle(Avertissements.Height) : 0;
  const int bas_grille = std::max<int>(haut, client.bottom - resume - avertissements);
  placer(GrilleTableau->Handle(), 0, haut, client.right, bas_grille - haut);
  const int gauche = Echelle(Resume.Left);
  placer(LabelResumeTableau, gauche, bas_grille + marge, std::max(0, static_cast<int>(client.right) - 2 * gauche),
         resume - 2 * marge);
  placer(LabelAvertissementsTableau, 0, bas_grille + resume, client.right, Echelle(Avertissements.Height));
}

HWND TFenetre_Tableau::Controle(std::string_view nom) const {
  if (nom == "GrilleTableau") return GrilleTableau ? GrilleTableau->Handle() : nullptr;
  const auto* w = Controle_Win32(Controles_Win32, nom);
  return w != nullptr ? this->*w->Membre : nullptr;
}

void TFenetre_Tableau::Changer_Police() {
  const HFONT ancienne = police_;
  police_ = Creer_Police(dpi_);
  for (const auto& c : description::Controles_Tableau)
    if (const HWND h = Controle(c.Nom)) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(police_), TRUE);
  if (ancienne != nullptr) DeleteObject(ancienne);
}

// ---- What it shows ----

void TFenetre_Tableau::Montrer(recap::TTableau Tableau, const std::string& Texte_Resume) {
  SetWindowTextW(hwnd_, Large(Tableau.Titre.c_str()).c_str());
  const bool changee = Montrer_Avertissements(LabelAvertissementsTableau, Tableau.Avertissements);
  GrilleTableau->Afficher(std::move(Tableau));
  GrilleTableau->Revenir_Au_Debut();
  SetWindowTextW(LabelResumeTableau, Lignes_Win32(Texte_Resume).c_str());
  if (changee) Placer_Controles();
}

void TFenetre_Tableau::Montrer_Detail(const recap::TDetail& Detail) {
  etat_ = recap::Etat_Commandes(Detail);
  Montrer(recap::Tableau_Detail(Detail), recap::Texte_Resume(Detail));
}

void TFenetre_Tableau::Comparer_Depuis(const recap::TFenetre_Comparaison& Fenetre) {
  comparaison_ = Fenetre;
  SetWindowTextW(EditMoisReference, Large(comparaison_.Mois_Reference.c_str()).c_str());
  SetWindowTextW(EditSeuil, Large(comparaison_.Seuil.c_str()).c_str());
  ButtonComparerClick();
}

void TFenetre_Tableau::ButtonComparerClick() {
  comparaison_.Mois_Reference = Texte(EditMoisReference);
  comparaison_.Seuil = Texte(EditSeuil);
  recap::Clic_Comparer(comparaison_, Boites_, Curseur());
  Afficher_Comparaison();
}

void TFenetre_Tableau::Afficher_Comparaison() {
  etat_ = recap::Etat_Commandes(comparaison_);
  Montrer(recap::Tableau_Affiche(comparaison_), recap::Texte_Resume(comparaison_));
}

// ---- The command table ----

void TFenetre_Tableau::Executer(recap::TCommande Commande) {
  recap::Sous_Garde(Boites_, [this, Commande] {
    recap::Executer_Commande(Commande, GrilleTableau->Tableau(), etat_,
                             Services_Win32(*GrilleTableau, hwnd_, Dialogues_, Curseur()));
  });
}

bool TFenetre_Tableau::Traiter_Clavier(MSG& msg) {
  // Enter in the reference month or the threshold compares, as the user expects of a form.
  const bool champ = ButtonComparer && (msg.hwnd == EditMoisReference || msg.hwnd == EditSeuil);
  if (champ && msg.wParam == VK_RETURN && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR)) {
    if (msg.message == WM_KEYDOWN) ButtonComparerClick();
    return true;
  }
  return Traiter_Clavier_Tableau(msg, hwnd_, GrilleTableau->Handle(), genre_,
                                 [this](recap::TCommande c) { Executer(c); });
}

// ---- Messages ----

LRESULT TFenetre_Tableau::Traiter(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == Id_Comparer && HIWORD(wp) == BN_CLICKED) ButtonComparerClick();
      if (LOWORD(wp) == Id_Grille && HIWORD(wp) == Notification_Double_Clic) {
        if (const auto commande = recap::Commande_Activation(genre_)) Executer(*commande);
      }
      return 0;
    case WM_CONTEXTMENU:  // passed on by the grid: a right click, the menu key or Shift+F10
      if (GrilleTableau && reinterpret_cast<HWND>(wp) == GrilleTableau->Handle()) {
        if (const auto commande = Choisir_Au_Menu(genre_, etat_, *GrilleTableau, lp, Dialogues_, hwnd_))
          Executer(*commande);
        return 0;
      }
      break;
    case WM_SIZE:
      if (GrilleTableau) Placer_Controles();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = LOWORD(wp);
      Changer_Police();
      GrilleTableau->Changer_Dpi(dpi_);
      Prendre_Cadre_Propose(hwnd_, lp);
      Placer_Controles();
      return 0;
    }
    case WM_SETCURSOR:
      if (Montrer_Attente(occupe_)) return TRUE;
      break;
    case WM_ACTIVATE: Garder_Focus(hwnd_, wp, focus_, GrilleTableau->Handle()); return 0;
    case WM_CLOSE:
      // The owner deletes the object, which destroys the window: nothing of it is touched after.
      if (fermee_) {
        const TFermeture fermee = fermee_;
        fermee(*this);
        return 0;
      }
      break;
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace win32
