#include "win32/Fenetre_Win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "forms/Description_Form1.h"
#include "platform/Caracteres.h"
#include "platform/Textes.h"
#include "win32/Commandes_Win32.h"
#include "win32/Controles_Win32.h"
#include "recap/Fenetre_Detail.h"
#include "recap/Fenetre_Regles.h"
#include "win32/Etiquette_Defilante_Win32.h"

namespace win32 {

namespace {

constexpr wchar_t Classe_Form1[] = L"KorvexForm1";
constexpr DWORD Style_Form1 = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, Style_Etendu_Form1 = WS_EX_CONTROLPARENT;
enum : int {  // never IDOK nor IDCANCEL
  Id_Grille = 100,
  Id_Chemin,
  Id_Mois,
  Id_Bouton,
  Id_Fichier_Trouve,
  Id_Label1,
  Id_Legende_Mois,
  Id_Resume,
  Id_Avertissements,
};

// The controls of the description that the layout names, looked up while compiling.
constexpr const auto& Grille_Decrite = description::Controle("StringGridRecap");
constexpr const auto& Mois = description::Controle("LabeledEdit_Mois");
constexpr const auto& Resume = description::Controle("LabelResume");

// Each control of the description but the grid, as Windows makes it.
constexpr TControle_Win32<TForm1> Controles_Win32[] = {
    {"Panel1", &TForm1::Panel1, nullptr, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 0, nullptr},
    {"LabelFichierTrouve", &TForm1::LabelFichierTrouve, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, Id_Fichier_Trouve,
     nullptr},
    // SS_EDITCONTROL breaks a path too long for a line, as it breaks words.
    {"LabelResume", &TForm1::LabelResume, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, Id_Resume, nullptr},
    {"Label1", &TForm1::Label1, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, Id_Label1, nullptr},
    {"EditChemin_Dossier", &TForm1::EditChemin_Dossier, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
     Id_Chemin, nullptr},
    // The caption first: Windows names an edit after the static just before it.
    {"LabeledEdit_Mois", &TForm1::LabeledEdit_Mois, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, Id_Mois,
     &TForm1::Etiquette_Mois},
    // A plain push button: not the default one, Enter does not press it.
    {"Button_Calc_Recap", &TForm1::Button_Calc_Recap, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, Id_Bouton, nullptr},
    {"LabelAvertissements", &TForm1::LabelAvertissements, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, Id_Avertissements,
     nullptr},
};

static_assert(std::ranges::all_of(description::Controles,
                                  [](const description::TControle& c) {
                                    return c.Nom == std::string_view(Grille_Decrite.Nom) ||
                                           Controle_Win32(Controles_Win32, c.Nom) != nullptr;
                                  }),
              "every control of the description is made");

// The outer size of a client area of Form1.
SIZE Taille_Cadre(int largeur_client, int hauteur_client) {
  RECT cadre{0, 0, largeur_client, hauteur_client};
  AdjustWindowRectEx(&cadre, Style_Form1, FALSE, Style_Etendu_Form1);
  return {cadre.right - cadre.left, cadre.bottom - cadre.top};
}

void Enregistrer_Classes(WNDPROC procedure_form) {
  static const bool fait = [procedure_form] {
    INITCOMMONCONTROLSEX communs{sizeof communs, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&communs);
    Enregistrer_Classe_Fenetre(Classe_Form1, procedure_form);
    return true;
  }();
  (void)fait;
}

}  // namespace

RECT Cadre_Initial(int dpi, const RECT& zone) {
  const auto& d = description::Form1;
  const SIZE voulue = Taille_Cadre(Echelle(d.Largeur_Client, dpi), Echelle(d.Hauteur_Client, dpi));
  return Dans_La_Zone(zone, {d.Left, d.Top}, voulue);
}

// The wait cursor during a calculation, the arrow while a box waits for the user.
recap::TCurseur TForm1::Curseur() { return Curseur_Fenetre(occupe_); }

TForm1::TForm1(recap::TBoitesMessages Boites, TDialogues Dialogues)
    : Boites_(std::move(Boites)), Dialogues_(std::move(Dialogues)) {
  Enregistrer_Classes(&TForm1::Procedure);
  const auto& d = description::Form1;
  // Created at its place, framed once the DPI of its monitor is known.
  CreateWindowExW(Style_Etendu_Form1, Classe_Form1, Large(d.Titre).c_str(), Style_Form1, d.Left, d.Top,
                  d.Largeur_Client, d.Hauteur_Client, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  dpi_ = Dpi_De(hwnd_);
  const RECT cadre =
      Cadre_Initial(dpi_, Zone_Travail(MonitorFromPoint({d.Left, d.Top}, MONITOR_DEFAULTTONEAREST)));
  SetWindowPos(hwnd_, nullptr, cadre.left, cadre.top, cadre.right - cadre.left, cadre.bottom - cadre.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Creer_Controles();
  Changer_Police();
  Afficher_Calcul();
  Placer_Controles();
  pret_ = true;
  FormCreate();
}

TForm1::~TForm1() {
  Details.clear();
  Comparaison.reset();
  Cumuls.reset();
  Controles.reset();
  Detruire();
  StringGridRecap.reset();
  if (police_ != nullptr) DeleteObject(police_);
}

void TForm1::Afficher(int commande_affichage) {
  ShowWindow(hwnd_, commande_affichage);
  UpdateWindow(hwnd_);
  SetFocus(StringGridRecap->Handle());  // the first control in tab order
}

// ---- The controls, from the description ----

void TForm1::Creer_Controles() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto creer = [&](const wchar_t* classe, const char* texte, DWORD style, DWORD etendu, int id, HWND parent) {
    return CreateWindowExW(etendu, classe, Large(texte).c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  // Tab order is creation order: the grid, then the panel's edits and button.
  for (const auto& c : description::Controles) {
    const auto* w = Controle_Win32(Controles_Win32, c.Nom);
    if (w == nullptr) {
      StringGridRecap = std::make_unique<TGrilleWin32>(hwnd_, Id_Grille, RECT{}, dpi_);
      continue;
    }
    const HWND parent = std::string_view(c.Parent) == "Form1" ? hwnd_ : Panel1;
    if (w->Legende != nullptr)
      this->*w->Legende = creer(L"STATIC", description::Etiquette_Mois.Texte, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                                Id_Legende_Mois, parent);
    const wchar_t* classe = w->Classe != nullptr ? w->Classe : Classe_Panneau();
    this->*w->Membre = creer(classe, c.Texte, w->Style | (c.Cache ? 0 : WS_VISIBLE), w->Etendu, w->Id, parent);
  }
  const auto& rouge = description::Couleur_Erreur;
  Rendre_Defilante(LabelAvertissements, RGB(rouge.Rouge, rouge.Vert, rouge.Bleu));
  for (HWND etiquette : {LabelFichierTrouve, LabelResume, LabelAvertissements}) Rendre_Vivante(etiquette);
  // Neither field limits the length of its text.
  for (HWND champ : {EditChemin_Dossier, LabeledEdit_Mois}) SendMessageW(champ, EM_SETLIMITTEXT, 0, 0);
}

void TForm1::Placer_Controles() {
  RECT client;
  GetClientRect(hwnd_, &client);
  for (const auto& c : description::Controles) {
    const HWND h = Controle(c.Nom);
    SetWindowPos(h, nullptr, Echelle(c.Left), Echelle(c.Top), Echelle(c.Width), Echelle(c.Height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.Width == 0) Ajuster_A_Son_Texte(h, police_);
  }
  // The summary as high as its lines; the panel spans the top, grown to hold it; the warnings
  // below it while they show; the grid fills what is left.
  // The folder check on one line while it fits, else wrapped at the summary's width, the summary
  // under it.
  RECT controle;
  GetWindowRect(LabelFichierTrouve, &controle);
  if (controle.right - controle.left > Echelle(Resume.Width))
    SetWindowPos(LabelFichierTrouve, nullptr, 0, 0, Echelle(Resume.Width), Hauteur_Lignes(LabelFichierTrouve, Echelle(Resume.Width)),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  GetWindowRect(LabelFichierTrouve, &controle);
  const int resume = Hauteur_Lignes(LabelResume, Echelle(Resume.Width));
  const recap::TPanel1 p = recap::Disposer_Panel1(controle.bottom - controle.top, resume, dpi_);
  SetWindowPos(LabelResume, nullptr, Echelle(Resume.Left), p.Haut_Resume, Echelle(Resume.Width),
               std::max(Echelle(Resume.Height), resume), SWP_NOZORDER | SWP_NOACTIVATE);
  int haut = p.Hauteur;
  SetWindowPos(Panel1, nullptr, 0, 0, client.right, haut, SWP_NOZORDER | SWP_NOACTIVATE);
  const int avertissements =
      Montre(LabelAvertissements)
          ? recap::Hauteur_Avertissements(Hauteur_Voulue(LabelAvertissements, client.right),
                                          Hauteur_Ligne(LabelAvertissements), Marges_Verticales(), client.bottom)
          : 0;
  SetWindowPos(LabelAvertissements, nullptr, 0, haut, client.right, avertissements, SWP_NOZORDER | SWP_NOACTIVATE);
  haut += avertissements;
  SetWindowPos(StringGridRecap->Handle(), nullptr, 0, haut, client.right, std::max(0L, client.bottom - haut),
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The month's caption, above its edit and left-aligned with it.
  const auto& e = description::Etiquette_Mois;
  Ajuster_A_Son_Texte(Etiquette_Mois, police_, {Echelle(e.Width), Echelle(e.Height)});
  RECT r;
  GetWindowRect(Etiquette_Mois, &r);
  SetWindowPos(Etiquette_Mois, nullptr, Echelle(Mois.Left), Echelle(Mois.Top) - Echelle(e.Espace) - (r.bottom - r.top),
               0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

HWND TForm1::Controle(std::string_view nom) const {
  if (nom == Grille_Decrite.Nom) return StringGridRecap ? StringGridRecap->Handle() : nullptr;
  const auto* w = Controle_Win32(Controles_Win32, nom);
  return w != nullptr ? this->*w->Membre : nullptr;
}

void TForm1::Changer_Police() {
  const HFONT ancienne = police_;
  police_ = Creer_Police(dpi_);
  const auto changer = [this](HWND h) {
    if (h != nullptr) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(police_), TRUE);
  };
  for (const auto& c : description::Controles) changer(Controle(c.Nom));
  for (const auto& w : Controles_Win32)
    if (w.Legende != nullptr) changer(this->*w.Legende);
  if (ancienne != nullptr) DeleteObject(ancienne);
}

SIZE TForm1::Taille_Minimale() const {
  // The summary label's right edge; below the panel and the warnings, the grid's header and one row.
  const auto& g = description::Grille;
  RECT panneau, avertissements{};
  GetWindowRect(Panel1, &panneau);
  if (Montre(LabelAvertissements)) GetWindowRect(LabelAvertissements, &avertissements);
  const SIZE voulue = Taille_Cadre(Echelle(Resume.Left + Resume.Width),
                                   (panneau.bottom - panneau.top) + (avertissements.bottom - avertissements.top) +
                                       Echelle(2 * (g.Hauteur_Ligne + g.Epaisseur_Traits)) +
                                       2 * GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYHSCROLL));
  const RECT zone = Zone_Travail(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST));
  return {std::min(voulue.cx, zone.right - zone.left), std::min(voulue.cy, zone.bottom - zone.top)};
}

// ---- Handlers ----

void TForm1::FormCreate() { EditChemin_DossierChange(); }

void TForm1::EditChemin_DossierChange() {
  recap::Sous_Garde(Boites_, [this] {
    const recap::TControle_Dossier controle = recap::Controler_Dossier(Texte(EditChemin_Dossier));
    dossier_korvex_ = controle.KORVEX;
    Changer_Texte(LabelFichierTrouve, controle.Texte);
    Placer_Controles();
  });
}

void TForm1::Button_Calc_RecapClick() {
  const int precedent = Dernier_Calcul.Numero;
  const auto nouveau = [this, precedent] { return Dernier_Calcul.Numero != precedent; };
  recap::Clic_Calculer_Recap(
      Texte(EditChemin_Dossier), Texte(LabeledEdit_Mois), TOT_RUB, Cellules_Recap, Dernier_Calcul, Boites_,
      [this, nouveau] {
        Afficher_Calcul();
        if (nouveau()) StringGridRecap->Revenir_Au_Debut();
      },
      Curseur());
  // The recap is what the user works on next: the grid takes the keys (arrows, Ctrl+C...).
  if (nouveau() && recap::Grille_A_Jour(Dernier_Calcul)) SetFocus(StringGridRecap->Handle());
}

void TForm1::Afficher_Calcul() {
  StringGridRecap->Afficher(recap::Tableau_Affiche(Cellules_Recap, TOT_RUB, Dernier_Calcul));
  Changer_Texte(LabelResume, recap::Texte_Resume(Dernier_Calcul));
  Montrer_Avertissements(LabelAvertissements,
                         recap::Texte_Avertissements(recap::Avertissements_Affiches(Dernier_Calcul)));
  Placer_Controles();
}

// ---- The command table: the grid's menu and the shortcuts ----

recap::TEtat_Commandes TForm1::Etat_Commandes() const {
  return recap::Etat_Commandes(Dernier_Calcul, StringGridRecap->Tableau(), StringGridRecap->Cellule_Courante().Haut,
                               dossier_korvex_);
}

void TForm1::Executer(recap::TCommande Commande) {
  recap::Sous_Garde(Boites_, [this, Commande] {
    recap::TServices_Fenetre services = Services_Win32(*StringGridRecap, hwnd_, Dialogues_, Curseur());
    services.Ouvrir_Comparaison = [this] { Ouvrir_Comparaison(); };
    services.Ouvrir_Detail = [this](int rubrique) { Ouvrir_Detail(rubrique); };
    services.Ouvrir_Cumuls = [this] { Ouvrir_Cumuls(); };
    services.Ouvrir_Controles = [this] { Ouvrir_Controles(); };
    recap::Executer_Commande(Commande, StringGridRecap->Tableau(), Etat_Commandes(), services);
  });
}

// ---- The windows it opens ----

std::vector<TFenetre_Tableau*> TForm1::Ouvertes() const {
  std::vector<TFenetre_Tableau*> ouvertes;
  for (const auto* unique : {&Comparaison, &Cumuls, &Controles})
    if (*unique) ouvertes.push_back(unique->get());
  for (const auto& d : Details) ouvertes.push_back(d.get());
  return ouvertes;
}

std::vector<recap::TCadre> TForm1::Fenetres_Ouvertes() const {
  std::vector<recap::TCadre> cadres;
  for (const TFenetre_Tableau* f : Ouvertes()) cadres.push_back(Cadre_De(f->Handle()));
  return cadres;
}

std::unique_ptr<TFenetre_Tableau> TForm1::Nouvelle_Fenetre(std::unique_ptr<recap::TModele_Fenetre> Modele, HWND Source) {
  return std::make_unique<TFenetre_Tableau>(
      std::move(Modele), hwnd_, Source, Fenetres_Ouvertes(), Boites_, Dialogues_, [this](TFenetre_Tableau& f) { Fermer(f); },
      [this](std::unique_ptr<recap::TModele_Fenetre> m, const TFenetre_Tableau& source) {
        Ouvrir(std::move(m), source.Handle());
      });
}

void TForm1::Ouvrir(std::unique_ptr<recap::TModele_Fenetre> Modele, HWND Source) {
  auto fenetre = Nouvelle_Fenetre(std::move(Modele), Source);
  fenetre->Afficher();
  Details.push_back(std::move(fenetre));
}

void TForm1::Fermer(TFenetre_Tableau& Fenetre) {
  for (auto* unique : {&Comparaison, &Cumuls, &Controles})
    if (unique->get() == &Fenetre) return unique->reset();
  std::erase_if(Details, [&Fenetre](const auto& d) { return d.get() == &Fenetre; });
}

void TForm1::Ouvrir_Unique(std::unique_ptr<TFenetre_Tableau>& Fenetre, std::unique_ptr<recap::TModele_Fenetre> Modele) {
  if (Fenetre)
    Fenetre->Remplacer(std::move(Modele));
  else
    Fenetre = Nouvelle_Fenetre(std::move(Modele), hwnd_);
  Fenetre->Afficher();
}

void TForm1::Ouvrir_Comparaison() {
  if (Dernier_Calcul.Calcul) Ouvrir_Unique(Comparaison, recap::Modele_Comparaison(*Dernier_Calcul.Calcul));
}

void TForm1::Ouvrir_Cumuls() { Ouvrir_Unique(Cumuls, recap::Modele_Cumuls(Texte(EditChemin_Dossier), Texte(LabeledEdit_Mois))); }

void TForm1::Ouvrir_Controles() {
  if (Dernier_Calcul.Calcul) Ouvrir_Unique(Controles, recap::Modele_Controles(*Dernier_Calcul.Calcul));
}

void TForm1::Ouvrir_Detail(int Rubrique) {
  auto detail = recap::Clic_Detail(Dernier_Calcul, Rubrique, Boites_, Curseur());
  if (detail) Ouvrir(recap::Modele_Detail(std::move(*detail)), hwnd_);
}

// ---- Messages ----

bool TForm1::Traiter_Clavier(MSG& msg) {
  // The windows it opened first: each has its own shortcuts and its own tab order. A shortcut
  // may close the one it runs in: the list is walked on a copy.
  for (TFenetre_Tableau* f : Ouvertes())
    if (msg.hwnd == f->Handle() || IsChild(f->Handle(), msg.hwnd)) return f->Traiter_Clavier(msg);
  return Traiter_Clavier_Tableau(msg, hwnd_, StringGridRecap->Handle(), recap::TGenre_Fenetre::Recap,
                                 [this](recap::TCommande c) { Executer(c); });
}

LRESULT TForm1::Traiter(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (!pret_) return 0;  // the description's default text is no change
      if (LOWORD(wp) == Id_Chemin && HIWORD(wp) == EN_CHANGE) EditChemin_DossierChange();
      if (LOWORD(wp) == Id_Bouton && HIWORD(wp) == BN_CLICKED) Button_Calc_RecapClick();
      if (LOWORD(wp) == Id_Grille && HIWORD(wp) == Notification_Double_Clic) {
        if (const auto commande = recap::Commande_Activation(recap::TGenre_Fenetre::Recap)) Executer(*commande);
      }
      return 0;
    case WM_SIZE:
      if (Panel1 != nullptr) Placer_Controles();
      return 0;
    case WM_GETMINMAXINFO: {
      const SIZE minimum = Taille_Minimale();
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {minimum.cx, minimum.cy};
      return 0;
    }
    case WM_CONTEXTMENU:  // passed on by the grid: a right click, the menu key or Shift+F10
      if (StringGridRecap && reinterpret_cast<HWND>(wp) == StringGridRecap->Handle()) {
        const auto commande =
            Choisir_Au_Menu(recap::TGenre_Fenetre::Recap, Etat_Commandes(), *StringGridRecap, lp, Dialogues_, hwnd_);
        if (commande) Executer(*commande);
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      dpi_ = LOWORD(wp);
      Changer_Police();
      StringGridRecap->Changer_Dpi(dpi_);
      Prendre_Cadre_Propose(hwnd_, lp);
      Placer_Controles();
      return 0;
    }
    case WM_SETTINGCHANGE:
      if (lp != 0 && std::wcscmp(reinterpret_cast<const wchar_t*>(lp), L"intl") == 0) recap::Relire_Separateurs();
      break;
    case WM_SETCURSOR:
      if (Montrer_Attente(occupe_)) return TRUE;
      break;
    case WM_NEXTDLGCTL: Controle_Suivant(hwnd_, wp, lp); return 0;
    case WM_ACTIVATE: Garder_Focus(hwnd_, wp, focus_, StringGridRecap->Handle()); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

int Boucle_Messages(TForm1& Form1) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (Form1.Traiter_Clavier(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace win32
