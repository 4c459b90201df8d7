#include "recap/Fenetre_Tableau.h"

#include "recap/Fenetre_Comparaison.h"
#include "recap/Fenetre_Detail.h"

namespace recap {

namespace {

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

protected:
  TTableau Tableau() const override { return Tableau_Detail(detail_); }
  std::string Resume() const override { return Texte_Resume(detail_); }
  TEtat_Commandes Etat() const override { return Etat_Commandes(detail_); }

private:
  TDetail detail_;
};

}  // namespace

const description::TFenetre_Tableau& Description_Fenetre(TGenre_Fenetre Genre) {
  return Genre == TGenre_Fenetre::Comparaison ? description::Fenetre_Comparaison : description::Fenetre_Detail;
}

const description::TFenetre_Tableau& TModele_Fenetre::Description() const { return Description_Fenetre(Genre()); }

void TModele_Fenetre::Valider(const TBoitesMessages&, const TCurseur&) {}

TContenu_Fenetre TModele_Fenetre::Contenu() const {
  return {Appliquer_Vue(Tableau(), Vue), Resume(), Etat()};
}

std::unique_ptr<TModele_Fenetre> TModele_Fenetre::Activer(const TTableau&, int, const TBoitesMessages&,
                                                          const TCurseur&) {
  return nullptr;
}

std::unique_ptr<TModele_Fenetre> Modele_Comparaison(const TCalcul& Calcul) {
  return std::make_unique<TModele_Comparaison>(Calcul);
}

std::unique_ptr<TModele_Fenetre> Modele_Detail(TDetail Detail) { return std::make_unique<TModele_Detail>(std::move(Detail)); }

}  // namespace recap
