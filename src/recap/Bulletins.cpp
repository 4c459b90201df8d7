#include "recap/Bulletins.h"

#include <cstring>
#include <exception>

#include "KORVEX_procs.h"
#include "dbase/Table.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Textes.h"

namespace recap {

using plateforme::EKorvex;

namespace {

// PAIES.DTA goes under its temporary name for the time of the scan and always comes back, under
// the very name it had: a folder copied from Windows may hold paies.dta.
class TRenommageTemporaire {
public:
  TRenommageTemporaire(std::string de, std::string vers)
      : de_(std::move(de)), vers_(std::move(vers)), retour_(plateforme::Nom_Exact(de_)) {
    if (auto raison = plateforme::Renommer_Sans_Remplacer(de_, vers_))
      throw EKorvex(textes::Renommage_Impossible(de_, vers_, *raison));
  }
  ~TRenommageTemporaire() { Rendre(); }
  TRenommageTemporaire(const TRenommageTemporaire&) = delete;
  TRenommageTemporaire& operator=(const TRenommageTemporaire&) = delete;

  // The file as messages name it: the folder as typed, then the name the file has again once
  // the scan is over, letter case included.
  std::string Nom() const {
    const size_t separateur = retour_.find_last_of("\\/");
    return de_.substr(0, de_.find_last_of('\\') + 1) + retour_.substr(separateur == std::string::npos ? 0 : separateur + 1);
  }

  // Renames the file back, once; false when that failed. It also runs from the destructor, so
  // it cannot throw: the message is made afterwards by Message_Echec, which may allocate.
  bool Rendre() noexcept {
    if (!rendu_) {
      rendu_ = true;
      try {
        raison_ = plateforme::Renommer_Sans_Remplacer(vers_, retour_);
      } catch (...) {
        inattendu_ = true;
      }
    }
    return !raison_ && !inattendu_;
  }
  std::string Message_Echec() const {
    return textes::Renommage_Impossible(vers_, de_, raison_ ? *raison_ : textes::Raison_Inattendue);
  }

private:
  std::string de_, vers_, retour_;
  std::optional<std::string> raison_;
  bool rendu_ = false, inattendu_ = false;
};

std::string Message_De(const std::exception_ptr& erreur) {
  try {
    std::rethrow_exception(erreur);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return textes::Erreur_Inattendue;
  }
}

// The first n characters (all of the text when shorter).
std::string_view Debut(std::string_view texte, size_t n) {
  return texte.substr(0, plateforme::Octets_Des_Caracteres(texte, n));
}

// "MATRICULE 00001, NOM DURAND Élodie": how the user finds the payslip in the payroll application.
std::string Identite(const TChamps_Bulletin& champs) {
  std::string texte;
  for (const auto& [nom, valeur] : champs) {
    if (!texte.empty()) texte += ", ";
    texte += nom + " " + valeur;
  }
  return texte;
}

// One scan of the renamed table. Fields are looked up at their first use, so that a table
// without payslips needs neither.
class TLecteur {
public:
  TLecteur(const std::string& chemin, const std::string& nom) : nom_(nom) {
    table_.TableType = dbase::TTableType::ttDBase;
    table_.DatabaseName = chemin;
    table_.TableName = "PAIES.DBF";
    table_.NomAffiche = nom;
    table_.Open();
  }

  TAvertissements Lire(const TChoix& Choix, const TVisiteur& Visiteur) {
    for (table_.First(); !table_.Eof(); table_.Next()) {
      if (!mois_) mois_ = table_.FieldByName("MOIS");
      if (const auto choix = Choix(Debut_Mois())) Lire_Bulletin(*choix, Visiteur);
    }
    for (const dbase::TOmission& o : table_.Omissions())
      avertissements_.push_back(
          textes::Avertissement_Table(nom_, dbase::Texte_Dommage(o), textes::Non_Lus(o.Premier, o.Dernier)));
    return std::move(avertissements_);
  }

private:
  // The month's first seven characters, without a copy when the field is ASCII: every record
  // is asked, and most are not read further.
  std::string_view Debut_Mois() {
    if (const auto ascii = mois_->Texte_Ascii()) return ascii->substr(0, 7);
    mois_copie_ = mois_->AsString();
    return Debut(mois_copie_, 7);
  }

  void Lire_Bulletin(int choix, const TVisiteur& Visiteur) {
    if (!montants_) {
      montants_ = table_.FieldByName("MONTANTS");
      if (montants_->DataType() != dbase::TFieldType::ftMemo)
        throw EKorvex(textes::Table_Endommagee(nom_, textes::Champ_Pas_Memo(montants_->FieldName())));
    }
    const TBulletin bulletin{table_.RecNo(), [this] { return Champs(); }};
    std::string texte;
    try {
      texte = montants_->AsString();
    } catch (const dbase::EMemo_Illisible& e) {
      return Omettre(bulletin, e.Defaut(), e.Fichier_Memo());
    }
    if (!Est_Texte_Memo(texte)) return Omettre(bulletin, textes::Memo_Pas_Texte, "");
    // Every memo the payroll application writes ends its first line: text without a CR is what
    // is left of one cut by a stray end mark, and it would count as a payslip without amounts.
    if (!texte.empty() && texte.find('\r') == std::string::npos) return Omettre(bulletin, textes::Memo_Sans_Ligne, "");
    try {
      Memo_Montants_Decoder(texte);
    } catch (const EKorvex& e) {
      throw EKorvex(std::string(e.what()) + "\n" +
                    textes::Bulletin_En_Cause(bulletin.Enregistrement, nom_, Identite(bulletin.Champs())));
    }
    Visiteur(choix, bulletin);
  }

  void Omettre(const TBulletin& bulletin, const std::string& defaut, const std::string& memo) {
    avertissements_.push_back(textes::Avertissement_Memo(bulletin.Enregistrement, nom_, Identite(bulletin.Champs()),
                                                         montants_->FieldName(), defaut, memo));
  }

  TChamps_Bulletin Champs() const {
    TChamps_Bulletin champs;
    for (const dbase::TField& f : table_.Fields()) {
      if (f.DataType() == dbase::TFieldType::ftString && !plateforme::Egal_Sans_Casse(f.FieldName(), "MOIS"))
        champs.emplace_back(f.FieldName(), f.AsString());
    }
    return champs;
  }

  std::string nom_;
  dbase::TTable table_;
  std::optional<dbase::TField> mois_, montants_;
  std::string mois_copie_;
  TAvertissements avertissements_;
};

}  // namespace

std::string Chemin_Paies(const std::string& Dossier) { return Dossier + "\\PAIES.DTA"; }
std::string Chemin_Paies_Temporaire(const std::string& Dossier) { return Dossier + "\\PAIES.DBF"; }

std::string Message_Paies_Absent(const std::string& Chemin) {
  const std::string dta = Chemin_Paies(Chemin), dbf = Chemin_Paies_Temporaire(Chemin);
  if (!plateforme::Nom_Pris(dta) && plateforme::Nom_Pris(dbf)) return textes::Calcul_Interrompu(dta, dbf);
  return textes::Fichier_Non_Trouve(dta);
}

bool Est_Texte_Memo(std::string_view texte) {
  // A block of zeros read as a memo: its text starts with NULs, where padding only ends one.
  const void* nul = std::memchr(texte.data(), '\0', texte.size());
  if (nul != nullptr) {
    const size_t debut = static_cast<size_t>(static_cast<const char*>(nul) - texte.data());
    if (debut == 0 || texte.find_first_not_of('\0', debut) != std::string_view::npos) return false;
  }
  for (char c : texte) {
    if (c == '\r') break;
    const auto octet = static_cast<unsigned char>(c);
    if (octet < 32 && c != '\n' && c != '\t' && c != '\x1A') return false;
  }
  return true;
}

std::optional<TAvertissements> Lire_Bulletins(const std::string& Chemin, const TChoix& Choix,
                                              const TVisiteur& Visiteur, const TAfficherMessage& Message,
                                              const std::function<void()>& Trouve) {
  const std::string paies = Chemin_Paies(Chemin), temporaire = Chemin_Paies_Temporaire(Chemin);
  if (!plateforme::Fichier_Existe(paies)) {
    Message(Message_Paies_Absent(Chemin));
    return std::nullopt;
  }
  // A stale PAIES.DBF would be read as this month's payslips.
  if (plateforme::Nom_Pris(temporaire)) throw EKorvex(textes::Temporaire_Existe(temporaire));
  TRenommageTemporaire renommage(paies, temporaire);
  TAvertissements avertissements;
  std::exception_ptr erreur_lecture;
  try {
    if (Trouve) Trouve();
    TLecteur lecteur(Chemin, renommage.Nom());
    avertissements = lecteur.Lire(Choix, Visiteur);
  } catch (...) {
    erreur_lecture = std::current_exception();
  }
  if (!renommage.Rendre())
    throw EKorvex(renommage.Message_Echec() + (erreur_lecture ? "\n" + Message_De(erreur_lecture) : ""));
  if (erreur_lecture) std::rethrow_exception(erreur_lecture);
  return avertissements;
}

}  // namespace recap
