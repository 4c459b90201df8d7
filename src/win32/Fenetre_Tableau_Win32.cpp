#include "win32/Fenetre_Tableau_Win32.h"

#include <algorithm>

#include "forms/Description_Form1.h"
#include "forms/Description_Tableaux.h"
#include "recap/Avertissements.h"
#include "win32/Commandes_Win32.h"
#include "win32/Controles_Win32.h"
#include "win32/Etiquette_Defilante_Win32.h"
#include "win32/Graphique_Win32.h"

namespace win32 {

namespace {

constexpr wchar_t Classe_Tableau[] = L"KorvexTableau";
constexpr DWORD Style_Tableau = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, Style_Etendu_Tableau = WS_EX_CONTROLPARENT;
enum : int {  // never IDOK nor IDCANCEL
  Id_Grille = 100,
  Id_Resume,
  Id_Avertissements,
  Id_Panneau,
  Id_Graphique,
  Id_Controles_Panneau = 200,  // then one a control, in the description's order
};

using description::TGenre_Controle;

// How Windows makes a control of a panel.
struct TClasse {
  const wchar_t* Classe;
  DWORD Style, Etendu;
};
TClasse Classe_Controle(TGenre_Controle genre) {
  switch (genre) {
    case TGenre_Controle::Libelle: return {L"STATIC", SS_LEFT, 0};  // "&" underlines its Alt letter
    case TGenre_Controle::Champ: return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    // A plain push button, as the main window's: Enter does not press it.
    case TGenre_Controle::Bouton: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case TGenre_Controle::Case: return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
  }
  return {L"STATIC", SS_LEFT, 0};
}

// The outer size of a client area of a table window.
SIZE Taille_Cadre(int largeur_client, int hauteur_client) {
  RECT cadre{0, 0, largeur_client, hauteur_client};
  AdjustWindowRectEx(&cadre, Style_Tableau, FALSE, Style_Etendu_Tableau);
  return {cadre.right - cadre.left, cadre.bottom - cadre.top};
}

recap::TCadre Cadre(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

void Placer(HWND h, int x, int y, int largeur, int hauteur) {
  SetWindowPos(h, nullptr, x, y, largeur, hauteur, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

recap::TCadre Cadre_De(HWND fenetre) {
  RECT r;
  GetWindowRect(fenetre, &r);
  return Cadre(r);
}

TFenetre_Tableau::TFenetre_Tableau(std::unique_ptr<recap::TModele_Fenetre> Modele, HWND Proprietaire, HWND Source,
                                   const std::vector<recap::TCadre>& Ouvertes, recap::TBoitesMessages Boites,
                                   TDialogues Dialogues, TFermeture Fermee, TOuverture Ouvrir)
    : modele_(std::move(Modele)), Boites_(std::move(Boites)), Dialogues_(std::move(Dialogues)),
      fermee_(std::move(Fermee)), ouvrir_(std::move(Ouvrir)) {
  Enregistrer_Classe_Fenetre(Classe_Tableau, &TFenetre_Tableau::Procedure);
  const recap::TCadre source = Cadre_De(Source);
  CreateWindowExW(Style_Etendu_Tableau, Classe_Tableau, L"", Style_Tableau, source.Gauche, source.Haut, 100, 100,
                  Proprietaire, nullptr, GetModuleHandleW(nullptr), this);
  dpi_ = Dpi_De(hwnd_);
  // The description's client size at this DPI, where the rules put it on Source's screen.
  const SIZE taille = Taille_Cadre(Echelle(Description().Largeur_Client), Echelle(Description().Hauteur_Client));
  const recap::TCadre place =
      recap::Placer_Fenetre(source, taille.cx, taille.cy, Cadre(Zone_Travail(MonitorFromWindow(Source, MONITOR_DEFAULTTONEAREST))),
                            Ouvertes, Echelle(description::Decalage_Fenetres));
  Placer(hwnd_, place.Gauche, place.Haut, place.Largeur, place.Hauteur);
  Creer_Controles();
  Changer_Police();
  Demarrer();
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
  const auto creer = [&](const wchar_t* classe, const char* texte, DWORD style, DWORD etendu, int id, HWND parent) {
    return CreateWindowExW(etendu, classe, Large(texte).c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  // Tab order is creation order: the panel's fields, button and check box, then the grid.
  if (!Description().Panneau.empty()) {
    PanelTableau = creer(Classe_Panneau(), "", WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, Id_Panneau, hwnd_);
    int id = Id_Controles_Panneau;
    for (const description::TControle_Panneau& c : Description().Panneau) {
      const TClasse k = Classe_Controle(c.Genre);
      const HWND h = creer(k.Classe, c.Texte, WS_VISIBLE | k.Style, k.Etendu, id++, PanelTableau);
      panneau_.emplace_back(c.Nom, h);
      if (c.Genre == TGenre_Controle::Champ) {
        SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
        Champs.push_back(h);
      }
      if (c.Genre == TGenre_Controle::Bouton) Bouton = h;
      if (c.Genre == TGenre_Controle::Case) CaseFiltre = h;
    }
  }
  GrilleTableau = std::make_unique<TGrilleWin32>(hwnd_, Id_Grille, RECT{}, dpi_);
  GrilleTableau->Permettre_Tri();
  if (Description().Hauteur_Graphique > 0) Graphique = Creer_Graphique(hwnd_, Id_Graphique);
  LabelResumeTableau = creer(L"STATIC", "", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, Id_Resume, hwnd_);
  LabelAvertissementsTableau = creer(L"STATIC", "", SS_LEFT | SS_NOPREFIX, 0, Id_Avertissements, hwnd_);
  const auto& rouge = description::Couleur_Erreur;
  Rendre_Defilante(LabelAvertissementsTableau, RGB(rouge.Rouge, rouge.Vert, rouge.Bleu));
  Rendre_Vivante(LabelResumeTableau);
  Rendre_Vivante(LabelAvertissementsTableau);
}

void TFenetre_Tableau::Placer_Controles() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const description::TFenetre_Tableau& d = Description();
  int haut = 0;
  if (PanelTableau != nullptr) {
    for (size_t i = 0; i < panneau_.size(); ++i) {
      const description::TControle_Panneau& c = d.Panneau[i];
      const HWND h = panneau_[i].second;
      Placer(h, Echelle(c.Left), Echelle(c.Top), Echelle(c.Width), Echelle(c.Height));
      if (c.Width > 0) continue;
      Ajuster_A_Son_Texte(h, police_);
      if (c.Genre == TGenre_Controle::Case) {  // its box and the gap before its text
        RECT r;
        GetWindowRect(h, &r);
        SetWindowPos(h, nullptr, 0, 0, r.right - r.left + GetSystemMetrics(SM_CXMENUCHECK) + Echelle(8),
                     Echelle(c.Height), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
      }
    }
    haut = Echelle(d.Hauteur_Panneau);
    Placer(PanelTableau, 0, 0, client.right, haut);
  }
  // Under the grid, the summary (its lines' room), then the warnings while they show.
  TEXTMETRICW mesures{};
  HDC dc = GetDC(LabelResumeTableau);
  const HGDIOBJ ancienne = SelectObject(dc, police_);
  GetTextMetricsW(dc, &mesures);
  SelectObject(dc, ancienne);
  ReleaseDC(LabelResumeTableau, dc);
  const int marge_x = Echelle(description::Marge_Resume_X), marge_y = Echelle(description::Marge_Resume_Y);
  const int largeur_resume = std::max(0, static_cast<int>(client.right) - 2 * marge_x);
  const int lignes = d.Lignes_Resume > 0 ? d.Lignes_Resume * mesures.tmHeight
                                         : Hauteur_Lignes(LabelResumeTableau, largeur_resume);
  const int resume = lignes + 2 * marge_y;
  const int avertissements =
      Montre(LabelAvertissementsTableau)
          ? recap::Hauteur_Avertissements(Hauteur_Voulue(LabelAvertissementsTableau, client.right),
                                          Hauteur_Ligne(LabelAvertissementsTableau), Marges_Verticales(), client.bottom)
          : 0;
  const int graphique = Graphique != nullptr ? Echelle(d.Hauteur_Graphique) : 0;
  const int bas_grille = std::max<int>(haut, client.bottom - resume - avertissements - graphique);
  Placer(GrilleTableau->Handle(), 0, haut, client.right, bas_grille - haut);
  if (Graphique != nullptr) Placer(Graphique, 0, bas_grille, client.right, graphique);
  Placer(LabelResumeTableau, marge_x, bas_grille + graphique + marge_y, largeur_resume, lignes);
  Placer(LabelAvertissementsTableau, 0, bas_grille + graphique + resume, client.right, avertissements);
}

HWND TFenetre_Tableau::Controle(std::string_view nom) const {
  if (nom == description::Nom_Grille) return GrilleTableau ? GrilleTableau->Handle() : nullptr;
  if (nom == description::Nom_Panneau) return PanelTableau;
  if (nom == description::Nom_Resume) return LabelResumeTableau;
  if (nom == description::Nom_Avertissements) return LabelAvertissementsTableau;
  if (nom == "Graphique") return Graphique;
  for (const auto& [n, h] : panneau_)
    if (n == nom) return h;
  return nullptr;
}

void TFenetre_Tableau::Changer_Police() {
  const HFONT ancienne = police_;
  police_ = Creer_Police(dpi_);
  const auto changer = [this](HWND h) { SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(police_), TRUE); };
  for (const auto& [nom, h] : panneau_) changer(h);
  for (HWND h : {GrilleTableau->Handle(), LabelResumeTableau, LabelAvertissementsTableau, Graphique})
    if (h != nullptr) changer(h);
  if (ancienne != nullptr) DeleteObject(ancienne);
}

// ---- What it shows ----

void TFenetre_Tableau::Remplacer(std::unique_ptr<recap::TModele_Fenetre> Modele) {
  modele_ = std::move(Modele);
  Demarrer();
}

void TFenetre_Tableau::Demarrer() {
  if (CaseFiltre != nullptr) modele_->Vue.Seulement_A_Signaler = SendMessageW(CaseFiltre, BM_GETCHECK, 0, 0) == BST_CHECKED;
  for (size_t i = 0; i < Champs.size() && i < modele_->Champs.size(); ++i)
    SetWindowTextW(Champs[i], Large(modele_->Champs[i].c_str()).c_str());
  if (PanelTableau != nullptr)
    Valider();
  else
    Montrer();
}

void TFenetre_Tableau::Valider() {
  for (size_t i = 0; i < Champs.size() && i < modele_->Champs.size(); ++i) modele_->Champs[i] = Texte(Champs[i]);
  modele_->Valider(Boites_, Curseur());
  Montrer();
}

void TFenetre_Tableau::Montrer() {
  const recap::TContenu_Fenetre contenu = modele_->Contenu();
  SetWindowTextW(hwnd_, Large(contenu.Tableau.Titre.c_str()).c_str());
  GrilleTableau->Nommer(contenu.Tableau.Titre);
  Montrer_Avertissements(LabelAvertissementsTableau, recap::Texte_Avertissements(contenu.Tableau.Avertissements));
  GrilleTableau->Afficher(contenu.Tableau);
  GrilleTableau->Revenir_Au_Debut();
  if (Graphique != nullptr) Montrer_Graphique(Graphique, contenu.Tableau);
  Changer_Texte(LabelResumeTableau, contenu.Resume);
  etat_ = contenu.Etat;
  Placer_Controles();
}

void TFenetre_Tableau::Commande_Panneau(int id, WORD notification) {
  const size_t i = static_cast<size_t>(id - Id_Controles_Panneau);
  if (id < Id_Controles_Panneau || i >= Description().Panneau.size() || notification != BN_CLICKED) return;
  const TGenre_Controle genre = Description().Panneau[i].Genre;
  if (genre == TGenre_Controle::Bouton) Valider();
  if (genre == TGenre_Controle::Case) {
    modele_->Vue.Seulement_A_Signaler = SendMessageW(CaseFiltre, BM_GETCHECK, 0, 0) == BST_CHECKED;
    Montrer();
  }
}

void TFenetre_Tableau::Activer_Rangee() {
  recap::Sous_Garde(Boites_, [this] {
    const TPlage c = GrilleTableau->Cellule_Courante();
    auto ouverte = modele_->Activer(GrilleTableau->Tableau(), c.Gauche, c.Haut, Boites_, Curseur());
    if (ouverte && ouvrir_) ouvrir_(std::move(ouverte), *this);
  });
}

// ---- The command table and the keys ----

void TFenetre_Tableau::Executer(recap::TCommande Commande) {
  recap::Sous_Garde(Boites_, [this, Commande] {
    recap::Executer_Commande(Commande, GrilleTableau->Tableau(), etat_,
                             Services_Win32(*GrilleTableau, hwnd_, Dialogues_, Curseur()));
  });
}

bool TFenetre_Tableau::Traiter_Clavier(MSG& msg) {
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  if (msg.message == WM_KEYDOWN && GetKeyState(VK_MENU) >= 0) {
    const int touche = msg.wParam == VK_ESCAPE ? recap::Touche_Echap : static_cast<int>(msg.wParam);
    if (recap::Touche_Ferme(Genre(), {touche, GetKeyState(VK_CONTROL) < 0})) {
      SendMessageW(hwnd_, WM_CLOSE, 0, 0);  // the owner deletes this object: nothing of it is touched after
      return true;
    }
  }
  if (msg.message == WM_CHAR && msg.wParam == VK_ESCAPE) return true;  // its key down closed the window
  // Enter in a field validates, as the user expects of a form; in the grid it opens what the
  // current row leads to, as a double click does.
  const bool champ = std::find(Champs.begin(), Champs.end(), msg.hwnd) != Champs.end();
  const bool grille = msg.hwnd == GrilleTableau->Handle();
  if ((champ || grille) && msg.wParam == VK_RETURN && (msg.message == WM_KEYDOWN || msg.message == WM_CHAR)) {
    if (msg.message == WM_KEYDOWN) champ ? Valider() : Activer_Rangee();
    return true;
  }
  return Traiter_Clavier_Tableau(msg, hwnd_, GrilleTableau->Handle(), Genre(), [this](recap::TCommande c) { Executer(c); });
}

// ---- Messages ----

LRESULT TFenetre_Tableau::Traiter(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == Id_Grille && HIWORD(wp) == Notification_Double_Clic) Activer_Rangee();
      if (LOWORD(wp) == Id_Grille && HIWORD(wp) == Notification_Entete) {
        modele_->Vue = recap::Cliquer_Entete(modele_->Vue, GrilleTableau->Entete_Clique());
        Montrer();
      }
      Commande_Panneau(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_CONTEXTMENU:  // passed on by the grid: a right click, the menu key or Shift+F10
      if (GrilleTableau && reinterpret_cast<HWND>(wp) == GrilleTableau->Handle()) {
        if (const auto commande = Choisir_Au_Menu(Genre(), etat_, *GrilleTableau, lp, Dialogues_, hwnd_))
          Executer(*commande);
        return 0;
      }
      break;
    case WM_SIZE:
      if (GrilleTableau) Placer_Controles();
      return 0;
    case WM_GETMINMAXINFO: {
      const SIZE minimum = Taille_Cadre(Echelle(Description().Largeur_Min), Echelle(Description().Hauteur_Min));
      const RECT zone = Zone_Travail(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST));
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {std::min(minimum.cx, zone.right - zone.left),
                                                           std::min(minimum.cy, zone.bottom - zone.top)};
      return 0;
    }
    case WM_DPICHANGED:
      dpi_ = LOWORD(wp);
      Changer_Police();
      GrilleTableau->Changer_Dpi(dpi_);
      Prendre_Cadre_Propose(hwnd_, lp);
      Placer_Controles();
      return 0;
    case WM_SETCURSOR:
      if (Montrer_Attente(occupe_)) return TRUE;
      break;
    case WM_NEXTDLGCTL: Controle_Suivant(hwnd_, wp, lp); return 0;
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
