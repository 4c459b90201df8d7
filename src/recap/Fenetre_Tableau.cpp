#include "recap/Fenetre_Tableau.h"

#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Controles.h"
#include "recap/Cumuls.h"
#include "recap/Fenetre_Comparaison.h"
#include "recap/Fenetre_Detail.h"
#include "recap/Vues_Salaries.h"

namespace recap {

namespace {

// What a double click reads again: a scan under the wait cursor, its messages and errors in the
// boxes, the window it opens if it made one.
template <class TLire>
std::unique_ptr<TModele_Fenetre> Lire_Pour_Fenetre(const TBoitesMessages& Boites, const TCurseur& Curseur, TLire lire) {
  std::unique_ptr<TModele_Fenetre> modele;
  const TBoitesMessages boites = Boites_Curseur_Normal(Boites, Curseur);
  Sous_Garde(boites, [&] {
    const auto attente = Curseur(true);
    modele = lire(boites.Message);
  });
  return modele;
}

// The payslip of a row whose first cell is its record (the detail's, the gaps', the controls'
// third): its view, read again.
std::unique_ptr<TModele_Fenetre> Ouvrir_Bulletin(const std::string& Dossier, const TTableau& Affiche, int Colonne, int Rangee,
                                                 const TBoitesMessages& Boites, const TCurseur& Curseur) {
  const TCellule* cellule = Affiche.Cellule(Colonne, Rangee);
  if (cellule == nullptr || cellule->Genre != TGenre_Cellule::Entier || cellule->Vide()) return nullptr;
  const auto enregistrement = static_cast<int64_t>(cellule->Valeur);
  return Lire_Pour_Fenetre(Boites, Curseur, [&](const TAfficherMessage& message) -> std::unique_ptr<TModele_Fenetre> {
    auto vue = Lire_Bulletin(Dossier, enregistrement, message);
    return vue ? Modele_Bulletin(std::move(*vue)) : nullptr;
  });
}

class TModele_Comparaison : public TModele_Fenetre {
public:
  explicit TModele_Comparaison(const TCalcul& Calcul) : fenetre_(Ouvrir_Comparaison(Calcul)) {
    Champs = {fenetre_.Mois_Reference, fenetre_.Seuil};
  }
  TGenre_Fenetre Genre() const override { return TGenre_Fenetre::Comparaison; }
  void Valider(const TBoitesMessages& Boites, const TCurseur& Curseur) override {
    fenetre_.Mois_Reference = Champs.at(0);
    fenetre_.Seuil = Champs.at(1);
    Clic_Comparer(fenetre_, Boites, Curseur);
  }
  // A rubric's row: who made it move, employee by employee, between two months.
  std::unique_ptr<TModele_Fenetre> Activer(const TTableau& Affiche, int, int Rangee, const TBoitesMessages& Boites,
                                           const TCurseur& Curseur) override {
    const auto rubrique = Rubrique_De_Rangee(Affiche, Rangee);
    const auto& c = fenetre_.Comparaison;
    if (!rubrique || !c || !c->Mois.Fin.empty() || !c->Reference.Fin.empty()) return nullptr;
    return Lire_Pour_Fenetre(Boites, Curseur, [&](const TAfficherMessage& message) -> std::unique_ptr<TModele_Fenetre> {
      auto ecarts = Ecarts_Par_Salarie(c->Dossier, c->Mois.Debut, c->Reference.Debut, *rubrique, message);
      return ecarts ? Modele_Ecarts(std::move(*ecarts)) : nullptr;
    });
  }

protected:
  TTableau Tableau() const override { return Tableau_Affiche(fenetre_); }
  std::string Resume() const override { return Texte_Resume(fenetre_); }
  TEtat_Commandes Etat() const override { return Etat_Commandes(fenetre_); }

private:
  TFenetre_Comparaison fenetre_;
};

class TModele_Detail : public TModele_Fenetre {
public:
  explicit TModele_Detail(TDetail Detail) : detail_(std::move(Detail)) {}
  TGenre_Fenetre Genre() const override { return TGenre_Fenetre::Detail; }
  std::unique_ptr<TModele_Fenetre> Activer(const TTableau& Affiche, int, int Rangee, const TBoitesMessages& Boites,
                                           const TCurseur& Curseur) override {
    return Ouvrir_Bulletin(detail_.Dossier, Affiche, 0, Rangee, Boites, Curseur);
  }

protected:
  TTableau Tableau() const override { return Tableau_Detail(detail_); }
  std::string Resume() const override { return Texte_Resume(detail_); }
  TEtat_Commandes Etat() const override { return Etat_Commandes(detail_); }

private:
  TDetail detail_;
};

// The cumuls: its two months, its click, and the detail of a month's cell, or of the period's.
class TModele_Cumuls : public TModele_Fenetre {
public:
  TModele_Cumuls(std::string Dossier, const std::string& Mois) : dossier_(std::move(Dossier)) {
    const auto mois = Mois_Champ(Mois);
    Champs = {mois ? "01" + mois->substr(2) : "", mois.value_or("")};
  }
  TGenre_Fenetre Genre() const override { return TGenre_Fenetre::Cumuls; }

  void Valider(const TBoitesMessages& Boites, const TCurseur& Curseur) override {
    cumuls_.reset();
    echec_ = true;
    const TBoitesMessages boites = Boites_Curseur_Normal(Boites, Curseur);
    Sous_Garde(boites, [&] {
      const TPeriode_Lue p = Lire_Periode_Cumuls(Champs.at(0), Champs.at(1));
      if (!p.Periode) return boites.Message(p.Message);
      const auto attente = Curseur(true);
      cumuls_ = Cumuler(dossier_, *p.Periode, boites.Message);
      echec_ = !cumuls_;
    });
  }

  std::unique_ptr<TModele_Fenetre> Activer(const TTableau& Affiche, int Colonne, int Rangee, const TBoitesMessages& Boites,
                                           const TCurseur& Curseur) override {
    const auto rubrique = Rubrique_De_Rangee(Affiche, Rangee);
    if (!cumuls_ || !rubrique || Colonne < 3) return nullptr;
    const size_t k = static_cast<size_t>(Colonne - 3);
    const bool periode = k >= cumuls_->Mois.size();
    return Lire_Pour_Fenetre(Boites, Curseur, [&](const TAfficherMessage& message) -> std::unique_ptr<TModele_Fenetre> {
      auto detail = periode ? Detailler(dossier_, cumuls_->Mois.front(), *rubrique, message, cumuls_->Periode)
                            : Detailler(dossier_, cumuls_->Mois[k], *rubrique, message);
      if (!detail) return nullptr;
      // What the detail reads is checked against what the cumuls read, as a recap's detail is.
      const TTAB_VALEURS& lu = periode ? cumuls_->Totaux_Periode : cumuls_->Totaux_Mois[k];
      if (!Memes_Bits(detail->Total, lu[*rubrique])) Avertir_Bulletins_Changes(detail->Avertissements);
      return Modele_Detail(std::move(*detail));
    });
  }

protected:
  TTableau Tableau() const override {
    if (cumuls_) return Tableau_Cumuls(*cumuls_);
    TTableau t;
    t.Designation = textes::Designation_Cumuls;
    t.Colonnes_Fixes = 3;
    t.Colonnes = {{textes::Entetes_Grille[0], 64, 1}, {textes::Entetes_Grille[1], 250, 1}, {textes::Entete_Colonne, 90, 1},
                  {textes::Entete_Total_Cumuls, 120, 1}};
    t.Titre = textes::Titre_Cumuls(Sans_Blancs(Champs.at(0)), Sans_Blancs(Champs.at(1)));
    return t;
  }
  std::string Resume() const override {
    if (!cumuls_) return echec_ ? textes::Aucun_Cumul : "";
    std::string texte;
    for (const std::string& l : Lignes_Resume_Cumuls(*cumuls_)) texte += (texte.empty() ? "" : "\n") + l;
    return texte;
  }
  TEtat_Commandes Etat() const override { return {cumuls_.has_value(), false, true}; }

private:
  std::string dossier_;
  std::optional<TCumuls> cumuls_;
  bool echec_ = false;
};

// The controls of a calculation's month: the reference and the threshold, the click, and a
// finding's payslip.
class TModele_Controles : public TModele_Fenetre {
public:
  explicit TModele_Controles(const TCalcul& Calcul) : dossier_(Calcul.Dossier), mois_(Calcul.Mois) {
    Champs = {Mois_Precedent(Calcul.Mois).value_or(""), Texte_Seuil(Seuil_Defaut, plateforme::DecimalSeparator())};
  }
  TGenre_Fenetre Genre() const override { return TGenre_Fenetre::Controles; }

  void Valider(const TBoitesMessages& Boites, const TCurseur& Curseur) override {
    controles_.reset();
    echec_ = true;
    const TBoitesMessages boites = Boites_Curseur_Normal(Boites, Curseur);
    Sous_Garde(boites, [&] {
      const auto seuil = Lire_Seuil(Champs.at(1));
      if (!seuil) return boites.Message(textes::Seuil_Incorrect);
      const auto attente = Curseur(true);
      controles_ = Controler({dossier_, mois_, Champs.at(0), *seuil}, boites.Message);
      echec_ = !controles_;
    });
  }
  std::unique_ptr<TModele_Fenetre> Activer(const TTableau& Affiche, int, int Rangee, const TBoitesMessages& Boites,
                                           const TCurseur& Curseur) override {
    return controles_ ? Ouvrir_Bulletin(dossier_, Affiche, 2, Rangee, Boites, Curseur) : nullptr;
  }

protected:
  TTableau Tableau() const override {
    if (controles_) return Tableau_Controles(*controles_);
    TControles vide;
    vide.Mois = mois_;
    TTableau t = Tableau_Controles(vide);
    t.Titre = textes::Titre_Sans_Controles(mois_);
    t.Resume.clear();
    return t;
  }
  std::string Resume() const override {
    if (!controles_) return echec_ ? textes::Aucun_Controle : "";
    std::string texte;
    for (const std::string& l : Lignes_Resume_Controles(*controles_)) texte += (texte.empty() ? "" : "\n") + l;
    return texte;
  }
  TEtat_Commandes Etat() const override { return {controles_.has_value(), false, true}; }

private:
  std::string dossier_, mois_;
  std::optional<TControles> controles_;
  bool echec_ = false;
};

class TModele_Bulletin : public TModele_Fenetre {
public:
  explicit TModele_Bulletin(TVue_Bulletin Vue) : vue_(std::move(Vue)) {}
  TGenre_Fenetre Genre() const override { return TGenre_Fenetre::Bulletin; }

protected:
  TTableau Tableau() const override { return Tableau_Bulletin(vue_); }
  std::string Resume() const override {
    TResume r;
    r.Bulletins = 1;
    r.Gains = Montant_De(vue_.Montants.Gains);
    r.Retenues = Montant_De(vue_.Montants.Retenues);
    const auto lignes = Lignes_Resume(r, plateforme::DecimalSeparator());
    return lignes[1] + "\n" + lignes[2];
  }
  TEtat_Commandes Etat() const override { return {true, false, true}; }

private:
  TVue_Bulletin vue_;
};

// The gaps of a rubric by employee; a row opens that employee's payslip.
class TModele_Ecarts : public TModele_Fenetre {
public:
  explicit TModele_Ecarts(TEcarts Ecarts) : ecarts_(std::move(Ecarts)) {}
  TGenre_Fenetre Genre() const override { return TGenre_Fenetre::Ecarts; }
  std::unique_ptr<TModele_Fenetre> Activer(const TTableau& Affiche, int, int Rangee, const TBoitesMessages& Boites,
                                           const TCurseur& Curseur) override {
    return Ouvrir_Bulletin(ecarts_.Dossier, Affiche, 0, Rangee, Boites, Curseur);
  }

protected:
  TTableau Tableau() const override { return Tableau_Ecarts(ecarts_); }
  std::string Resume() const override { return textes::Compte_Salaries(ecarts_.Lignes.size()); }
  TEtat_Commandes Etat() const override { return {true, false, true}; }

private:
  TEcarts ecarts_;
};

}  // namespace

const description::TFenetre_Tableau& Description_Fenetre(TGenre_Fenetre Genre) {
  switch (Genre) {
    case TGenre_Fenetre::Comparaison: return description::Fenetre_Comparaison;
    case TGenre_Fenetre::Cumuls: return description::Fenetre_Cumuls;
    case TGenre_Fenetre::Controles: return description::Fenetre_Controles;
    case TGenre_Fenetre::Bulletin: return description::Fenetre_Bulletin;
    case TGenre_Fenetre::Ecarts: return description::Fenetre_Ecarts;
    default: return description::Fenetre_Detail;
  }
}

const description::TFenetre_Tableau& TModele_Fenetre::Description() const { return Description_Fenetre(Genre()); }

void TModele_Fenetre::Valider(const TBoitesMessages&, const TCurseur&) {}

TContenu_Fenetre TModele_Fenetre::Contenu() const {
  return {Appliquer_Vue(Tableau(), Vue), Resume(), Etat()};
}

std::unique_ptr<TModele_Fenetre> TModele_Fenetre::Activer(const TTableau&, int, int, const TBoitesMessages&,
                                                          const TCurseur&) {
  return nullptr;
}

std::unique_ptr<TModele_Fenetre> Modele_Comparaison(const TCalcul& Calcul) {
  return std::make_unique<TModele_Comparaison>(Calcul);
}

std::unique_ptr<TModele_Fenetre> Modele_Detail(TDetail Detail) { return std::make_unique<TModele_Detail>(std::move(Detail)); }

std::unique_ptr<TModele_Fenetre> Modele_Cumuls(const std::string& Dossier, const std::string& Mois) {
  return std::make_unique<TModele_Cumuls>(Dossier, Mois);
}

}  // namespace recap

namespace recap {

std::unique_ptr<TModele_Fenetre> Modele_Controles(const TCalcul& Calcul) { return std::make_unique<TModele_Controles>(Calcul); }
std::unique_ptr<TModele_Fenetre> Modele_Bulletin(TVue_Bulletin Vue) { return std::make_unique<TModele_Bulletin>(std::move(Vue)); }
std::unique_ptr<TModele_Fenetre> Modele_Ecarts(TEcarts Ecarts) { return std::make_unique<TModele_Ecarts>(std::move(Ecarts)); }

}  // namespace recap
