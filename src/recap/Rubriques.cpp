#include "recap/Rubriques.h"

#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Textes.h"

namespace recap {

TRubriques::TRubriques(const std::string& Chemin) {
  table_.TableType = dbase::TTableType::ttDBase;
  table_.DatabaseName = Chemin + "\\";
  table_.TableName = "RUBRIQUE.DTA";
  table_.AfficherSupprimes = true;
  table_.Injecteur = plateforme::Injecteur_Installe();
  table_.Open();
  for (table_.First(); !table_.Eof(); table_.Next()) {
  }
  if (!table_.Omissions().empty())
    throw plateforme::EKorvex(
        textes::Table_Endommagee(plateforme::Fichier_Du_Dossier(Chemin, "RUBRIQUE.DTA"),
                                 dbase::Texte_Dommage(table_.Omissions().front())));
}

bool TRubriques::Aller(int rubrique) {
  table_.First();
  table_.MoveBy(rubrique - 1);
  return !table_.Eof();
}

std::string TRubriques::Libelle() const { return table_.FieldByName("LIBELLE").AsString(); }

int TRubriques::Colonne() const {
  const int32_t classe = table_.FieldByName("CLASSE").AsInteger();
  return classe == 1 ? Colonne_Gains : classe == 2 ? Colonne_Retenues : Colonne_Bases;
}

}  // namespace recap
