#include "recap/Bulletins.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "KORVEX_procs.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Octets.h"
#include "platform/Precision.h"
#include "platform/Textes.h"
#include "recap/Lecteur_Paies.h"

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

void Ouvrir_Paies(dbase::TTable& table, const std::string& chemin, const std::string& nom) {
  table.TableType = dbase::TTableType::ttDBase;
  table.DatabaseName = chemin;
  table.TableName = "PAIES.DBF";
  table.NomAffiche = nom;
  table.Open();
}

}  // namespace

namespace interne {

void Avertir_Table(const std::string& Nom, const std::vector<dbase::TOmission>& Omissions,
                   TAvertissements& Avertissements) {
  for (const dbase::TOmission& o : Omissions)
    Avertissements.push_back(
        textes::Avertissement_Table(Nom, dbase::Texte_Dommage(o), textes::Non_Lus(o.Premier, o.Dernier)));
}

TControle_Paies Controler(const std::string& Chemin, const std::string& Nom, const TChoix& Choix) {
  dbase::TTable table;
  Ouvrir_Paies(table, Chemin, Nom);
  return Controler_Paies(table, Choix);
}

TLecteur::TLecteur(const std::string& Chemin, const std::string& Nom, const TControle_Paies& Controle,
                   TDecodage* Decodage)
    : nom_(Nom), controle_(Controle), decodage_(Decodage) {
  Ouvrir_Paies(table_, Chemin, Nom);
}

TAvertissements TLecteur::Lire(const TChoix& Choix, const TVisiteur& Visiteur) {
  for (table_.First(); !table_.Eof(); table_.Next()) Lire_Enregistrement(Choix, Visiteur);
  Avertir_Table(nom_, table_.Omissions(), avertissements_);
  return std::move(avertissements_);
}

bool TLecteur::Lire_Lot(int64_t Premier, int64_t Dernier, const TChoix& Choix, const TVisiteur& Visiteur) {
  table_.Aller_A_Partage(Premier);
  if (table_.Eof()) return false;
  if (table_.RecNo() > Dernier) return true;
  if (!mois_) mois_ = table_.FieldByName("MOIS");
  // Most records are of other months: the table passes over them itself. The record it stops
  // on was just asked, unless its month is not ASCII: its choice is kept rather than asked
  // again, and serves the records behind it that hold the same month.
  std::optional<int> choix;
  const auto retenir = [&](std::string_view mois) { return (choix = Choisir(Choix, mois.substr(0, 7))).has_value(); };
  Lire_Enregistrement(Choix, Visiteur);
  for (;;) {
    if (choix && table_.Suivant_Pareil(*mois_, Dernier)) {
      Lire_Bulletin(*choix, Visiteur);
      continue;
    }
    choix.reset();
    if (!table_.Suivant_Retenu(*mois_, retenir, Dernier)) return true;
    if (choix)
      Lire_Bulletin(*choix, Visiteur);
    else
      Lire_Enregistrement(Choix, Visiteur);
  }
}

// A month that is no month is counted in none, whatever the caller retains: the check names it.
std::optional<int> TLecteur::Choisir(const TChoix& Choix, std::string_view debut_mois) const {
  if (!Mois_Valide(debut_mois)) return std::nullopt;
  return Choix(debut_mois);
}

void TLecteur::Lire_Enregistrement(const TChoix& Choix, const TVisiteur& Visiteur) {
  if (!mois_) mois_ = table_.FieldByName("MOIS");
  if (const auto choix = Choisir(Choix, Debut_Mois())) Lire_Bulletin(*choix, Visiteur);
}

// The month's first seven characters, without a copy when the field is ASCII.
std::string_view TLecteur::Debut_Mois() {
  if (const auto ascii = mois_->Texte_Ascii()) return ascii->substr(0, 7);
  mois_copie_ = mois_->AsString();
  return Debut(mois_copie_, 7);
}

void TLecteur::Lire_Bulletin(int choix, const TVisiteur& Visiteur) {
  if (!montants_) {
    montants_ = table_.FieldByName("MONTANTS");
    if (montants_->DataType() != dbase::TFieldType::ftMemo)
      throw EKorvex(textes::Table_Endommagee(nom_, textes::Champ_Pas_Memo(montants_->FieldName())));
  }
  const TBulletin bulletin{table_.RecNo(), [this] { return Champs_Bulletin(table_); }};
  if (controle_.Exclu(bulletin.Enregistrement)) return;
  std::string_view texte;
  try {
    texte = montants_->Texte(texte_memo_);
  } catch (const dbase::EMemo_Illisible& e) {
    return Omettre(bulletin, e.Defaut(), e.Fichier_Memo());
  }
  if (!Est_Texte_Memo(texte)) return Omettre(bulletin, textes::Memo_Pas_Texte, table_.Fichier_Memo());
  // Every memo the payroll application writes ends its first line: text without a CR is what
  // is left of one cut by a stray end mark, and it would count as a payslip without amounts.
  if (!texte.empty() && texte.find('\r') == std::string_view::npos)
    return Omettre(bulletin, textes::Memo_Sans_Ligne, table_.Fichier_Memo());
  if (decodage_) {
    if (choix < 0 || static_cast<size_t>(choix) >= cibles_.size()) throw EKorvex(textes::Erreur_Inattendue);
    decodage_->Comptes = cibles_[static_cast<size_t>(choix)];
  }
  try {
    if (decodage_)
      Memo_Montants_Decoder(texte, *decodage_);
    else
      Memo_Montants_Decoder(std::string(texte));
  } catch (const EPas_Texte&) {
    return Omettre(bulletin, textes::Memo_Pas_Texte, table_.Fichier_Memo());
  } catch (const EKorvex& e) {
    throw EKorvex(std::string(e.what()) + "\n" +
                  textes::Bulletin_En_Cause(bulletin.Enregistrement, nom_, Identite(bulletin.Champs())));
  }
  Visiteur(choix, bulletin);
}

void TLecteur::Omettre(const TBulletin& bulletin, const std::string& defaut, const std::string& memo) {
  avertissements_.push_back(textes::Avertissement_Memo(bulletin.Enregistrement, nom_, Identite(bulletin.Champs()),
                                                       montants_->FieldName(), defaut, memo));
}

bool Sous_Renommage(const std::string& Chemin, const TAfficherMessage& Message, const std::function<void()>& Trouve,
                    const std::function<void(const std::string& nom)>& Lire) {
  const std::string paies = Chemin_Paies(Chemin), temporaire = Chemin_Paies_Temporaire(Chemin);
  if (!plateforme::Fichier_Existe(paies)) {
    Message(Message_Paies_Absent(Chemin));
    return false;
  }
  // A stale PAIES.DBF would be read as this month's payslips.
  if (plateforme::Nom_Pris(temporaire)) throw EKorvex(textes::Temporaire_Existe(temporaire));
  TRenommageTemporaire renommage(paies, temporaire);
  std::exception_ptr erreur_lecture;
  try {
    if (Trouve) Trouve();
    Lire(renommage.Nom());
  } catch (...) {
    erreur_lecture = std::current_exception();
  }
  if (!renommage.Rendre())
    throw EKorvex(renommage.Message_Echec() + (erreur_lecture ? "\n" + Message_De(erreur_lecture) : ""));
  if (erreur_lecture) std::rethrow_exception(erreur_lecture);
  return true;
}

}  // namespace interne

std::string Chemin_Paies(const std::string& Dossier) { return Dossier + "\\PAIES.DTA"; }
std::string Chemin_Paies_Temporaire(const std::string& Dossier) { return Dossier + "\\PAIES.DBF"; }

std::string Message_Paies_Absent(const std::string& Chemin) {
  const std::string dta = Chemin_Paies(Chemin), dbf = Chemin_Paies_Temporaire(Chemin);
  if (!plateforme::Nom_Pris(dta) && plateforme::Nom_Pris(dbf)) return textes::Calcul_Interrompu(dta, dbf);
  return textes::Fichier_Non_Trouve(dta);
}

bool Est_Texte_Memo(std::string_view texte) {
  // A block of zeros read as a memo: its text starts with NULs, where padding only ends one.
  const size_t nul = texte.find('\0');
  if (nul != std::string_view::npos && (nul == 0 || texte.find_first_not_of('\0', nul) != std::string_view::npos))
    return false;
  // The first line, up to its CR, a word at a time while no byte of it is below 32: every memo
  // is asked.
  const size_t retour = std::min(texte.find('\r'), texte.size());
  size_t i = 0;
  for (; i + 8 <= retour; i += 8) {
    const uint64_t mot = plateforme::Lire_64_Petit(texte.data() + i);
    if (((mot - 0x2020202020202020ull) & ~mot & 0x8080808080808080ull) != 0) break;
  }
  for (; i < retour; ++i) {
    const char c = texte[i];
    if (static_cast<unsigned char>(c) < 32 && c != '\n' && c != '\t' && c != '\x1A') return false;
  }
  return true;
}

uint64_t Empreinte_Montant(int64_t Enregistrement, int64_t Dix_Milliemes) {
  // splitmix64's finaliser over the pair: every bit of both moves every bit of the result.
  uint64_t z = static_cast<uint64_t>(Enregistrement) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(Dix_Milliemes);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::optional<TAvertissements> Lire_Bulletins(const std::string& Chemin, const TChoix& Choix,
                                              const TVisiteur& Visiteur, const TAfficherMessage& Message,
                                              const TOptions_Lecture& Options) {
  plateforme::Fixer_Precision_Etendue();
  std::optional<TAvertissements> avertissements;
  const bool trouve = interne::Sous_Renommage(Chemin, Message, Options.Trouve, [&](const std::string& nom) {
    const TControle_Paies controle = interne::Controler(Chemin, nom, Choix);
    interne::TLecteur lecteur(Chemin, nom, controle);
    avertissements = lecteur.Lire(Choix, Visiteur);
    avertissements->insert(avertissements->end(), controle.Avertissements.begin(), controle.Avertissements.end());
  });
  if (!trouve) return std::nullopt;
  return avertissements;
}

}  // namespace recap
