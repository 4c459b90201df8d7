#include "recap/Controle_Paies.h"

#include <bit>
#include <limits>
#include <map>

#include "dbase/Table.h"
#include "platform/Caracteres.h"
#include "platform/Octets.h"
#include "platform/Raccourcis.h"
#include "platform/Textes.h"
#include "recap/Lecteur_Paies.h"
#include "recap/Periode.h"

namespace recap {

namespace {

// A warning names at most this many records whose month is none; the count says the rest.
constexpr size_t Mois_Nommes = 10;

// Memo files up to this many blocks are marked in a bitmap (16 MB at most); larger ones sort
// their pointers instead.
constexpr uint64_t Blocs_En_Carte = uint64_t{1} << 27;

std::optional<dbase::TField> Champ(const dbase::TTable& table, const char* nom) {
  for (const dbase::TField& f : table.Fields())
    if (plateforme::Egal_Sans_Casse(f.FieldName(), nom)) return f;
  return std::nullopt;
}

TChamps_Bulletin Champs_De(dbase::TTable& table, int64_t enregistrement) {
  table.AfficherSupprimes = true;  // a deleted record is named too
  table.Aller_A(enregistrement);
  return Champs_Bulletin(table);
}

// Their month unknown, these records may be payslips of any month: each named one keeps who it is.
void Avertir_Mois(dbase::TTable& table, const TMois_Vus& mois, TAvertissements& avertissements) {
  if (mois.Nombre == 0) return;
  avertissements.Non_Comptes += mois.Nombre;
  std::vector<TOmission> omissions;
  std::vector<std::string> premiers;
  for (const auto& [numero, octets] : mois.Premiers) {
    TChamps_Bulletin champs = Champs_De(table, numero);
    premiers.push_back(textes::Enregistrement_Mois(numero, Identite(champs), octets));
    omissions.push_back({numero, numero, 1, std::nullopt, std::move(champs), 0});
  }
  const int64_t autres = mois.Nombre - static_cast<int64_t>(mois.Premiers.size());
  if (autres > 0) omissions.push_back({0, 0, autres, std::nullopt, std::nullopt, 0});
  if (mois.Nombre == 1) {
    const auto& [numero, octets] = mois.Premiers.front();
    avertissements.push_back(textes::Avertissement_Mois(numero, table.NomAffiche, Identite(*omissions.front().Champs), octets));
  } else {
    avertissements.push_back(textes::Avertissement_Mois_Plusieurs(mois.Nombre, table.NomAffiche, premiers));
  }
  for (TOmission& o : omissions) avertissements.Noter(std::move(o));
}

// The records that name each block met twice, found exactly, in the table's order: those shown
// are left out, and all named, when one of them is a payslip the scan reads. Which pointer was
// damaged no rule tells: a deleted record's memo is as likely the one the others read.
void Exclure_Partages(dbase::TTable& table, const TChoix& choix, const std::vector<uint64_t>& doubles,
                      TControle_Paies& controle) {
  const auto mois = Champ(table, "MOIS"), montants = Champ(table, "MONTANTS");
  if (!mois || !montants) return;
  const dbase::TChamp_Serie champ_mois = mois->Serie(), champ_montants = montants->Serie();
  struct TMembre {
    int64_t Numero;
    bool Montre, Mois_Valide;  // a record whose month is none is counted among those already
    std::string Mois;
  };
  std::map<uint64_t, std::vector<TMembre>> partages;
  std::map<uint64_t, bool> lus;
  dbase::TSerie s;
  for (int64_t premier = 1; table.Lire_Serie(premier, std::numeric_limits<int64_t>::max(), s);
       premier = s.Premier + s.Nombre) {
    for (int64_t k = 0; k < s.Nombre; ++k) {
      const char* e = s.Enregistrement(k);
      const bool montre = dbase::TSerie::Montre(e);
      if (!montre && *e != '*') continue;
      const auto bloc = champ_montants.Bloc_Memo(e);
      if (!bloc || !std::binary_search(doubles.begin(), doubles.end(), *bloc)) continue;
      const std::string_view octets = champ_mois.Nul(e) ? std::string_view() : champ_mois.Octets(e).substr(0, 7);
      const bool valide = Mois_Valide(octets);
      partages[*bloc].push_back({s.Premier + k, montre, valide, std::string(octets)});
      if (montre && valide && choix(octets)) lus[*bloc] = true;
    }
  }
  for (const auto& [bloc, numeros] : partages) {
    if (numeros.size() < 2 || !lus[bloc]) continue;
    std::vector<std::string> noms;
    std::vector<TOmission> omissions;
    for (const TMembre& m : numeros) {
      TChamps_Bulletin champs = Champs_De(table, m.Numero);
      noms.push_back(textes::Enregistrement_Identifie(m.Numero, Identite(champs), !m.Montre));
      if (!m.Montre) continue;
      controle.Exclus.push_back(m.Numero);
      if (m.Mois_Valide) ++controle.Avertissements.Non_Comptes;
      // Sound but for its amounts: who it is and its month are known.
      omissions.push_back({m.Numero, m.Numero, 1, m.Mois_Valide ? std::optional<std::string>(m.Mois) : std::nullopt,
                           std::move(champs), 0});
    }
    controle.Avertissements.push_back(textes::Avertissement_Memo_Partage(noms, table.NomAffiche, montants->FieldName(),
                                                                         bloc, table.Fichier_Memo()));
    for (TOmission& o : omissions) controle.Avertissements.Noter(std::move(o));
  }
  std::sort(controle.Exclus.begin(), controle.Exclus.end());
}

}  // namespace

void TMois_Vus::Noter(int64_t Enregistrement, std::string_view Octets) {
  if (Premiers.size() < Mois_Nommes) Premiers.emplace_back(Enregistrement, Octets_Visibles(Octets));
  ++Nombre;
}

void TMois_Vus::Noter_Valide(std::string_view Debut_Mois) {
  if (const auto rang = Rang_Mois(Debut_Mois)) Etendre(TPeriode{*rang, *rang});
}

void TMois_Vus::Etendre(const TPeriode& Mois) {
  if (!Etendue) Etendue = Mois;
  Etendue->Debut = std::min(Etendue->Debut, Mois.Debut);
  Etendue->Fin = std::max(Etendue->Fin, Mois.Fin);
}

void TMois_Vus::Ajouter(const TMois_Vus& Suite) {
  if (Suite.Etendue) Etendre(*Suite.Etendue);
  for (size_t i = 0; i < Suite.Premiers.size() && Premiers.size() < Mois_Nommes; ++i) Premiers.push_back(Suite.Premiers[i]);
  Nombre += Suite.Nombre;
}

TBlocs_Vus::TBlocs_Vus(uint64_t Blocs) : blocs_(Blocs), rapides_(plateforme::Raccourcis().Pointeurs) {
  if (blocs_ <= Blocs_En_Carte && rapides_) carte_.assign(static_cast<size_t>((blocs_ + 63) / 64), 0);
}

void TBlocs_Vus::Noter_Serie(const dbase::TSerie& Serie, const dbase::TChamp_Serie& Pointeurs) {
  const char* e = Serie.Octets;
  const int64_t nombre = Serie.Nombre;
  const size_t longueur = Serie.Longueur;
  const bool texte = Pointeurs.Octets(e).size() == 10;
  if (carte_.empty() || !texte) {
    for (int64_t k = 0; k < nombre; ++k, e += longueur)
      if (*e == ' ' || *e == '*') Noter(rapides_ ? Bloc_Approche(Pointeurs, e) : Bloc_Memo_Exact(Pointeurs, e));
    return;
  }
  // Most tables: ten-byte pointers and a bitmap. Records in a row mostly name blocks of one
  // word of it: that word is kept in a register while they do, rather than stored and loaded
  // back for each.
  uint64_t* const carte = carte_.data();
  const uint64_t blocs = blocs_;
  const size_t decalage = static_cast<size_t>(Pointeurs.Octets(e).data() - e);
  uint64_t indice = 0, mot = carte[0];
  for (int64_t k = 0; k < nombre; ++k, e += longueur) {
    if ((static_cast<unsigned char>(*e) | 0x0A) != '*') continue;  // a blank or "*", and some wrong flags
    const char* p = e + decalage;
    // Blanks, zeros or NULs before at most eight digits, the last one a digit: else exactly.
    const uint64_t bloc = (plateforme::Lire_16_Petit(p) & 0xCFCF) == 0 && static_cast<unsigned char>(p[9] - '0') <= 9
                              ? Huit_Chiffres(plateforme::Lire_64_Petit(p + 2))
                              : Bloc_Memo_Exact(Pointeurs, e);
    if (bloc - 1 >= blocs - 1) continue;  // 0, no memo, or a block beyond the file: none is shared
    if (bloc / 64 != indice) {
      carte[indice] = mot;
      indice = bloc / 64;
      mot = carte[indice];
    }
    const uint64_t bit = uint64_t{1} << (bloc % 64);
    if (mot & bit) doubles_.push_back(bloc);
    mot |= bit;
  }
  carte[indice] = mot;
}

void TBlocs_Vus::Joindre(TBlocs_Vus& Autre) {
  doubles_.insert(doubles_.end(), Autre.doubles_.begin(), Autre.doubles_.end());
  tous_.insert(tous_.end(), Autre.tous_.begin(), Autre.tous_.end());
  for (size_t i = 0; i < carte_.size() && i < Autre.carte_.size(); ++i) {
    // A block both readers met is met twice.
    for (uint64_t communs = carte_[i] & Autre.carte_[i]; communs != 0; communs &= communs - 1)
      doubles_.push_back(i * 64 + static_cast<uint64_t>(std::countr_zero(communs)));
    carte_[i] |= Autre.carte_[i];
  }
}

std::vector<uint64_t> TBlocs_Vus::Doubles() {
  if (carte_.empty()) {
    std::sort(tous_.begin(), tous_.end());
    for (size_t i = 1; i < tous_.size(); ++i)
      if (tous_[i] == tous_[i - 1]) doubles_.push_back(tous_[i]);
  }
  std::sort(doubles_.begin(), doubles_.end());
  doubles_.erase(std::unique(doubles_.begin(), doubles_.end()), doubles_.end());
  return doubles_;
}

uint64_t Bloc_Memo_Exact(const dbase::TChamp_Serie& Montants, const char* Enregistrement) {
  return Montants.Bloc_Memo(Enregistrement).value_or(0);
}

TControle_Paies Conclure_Controle(const interne::TSource& Source, const TChoix& Choix, const TMois_Vus& Mois,
                                  const std::vector<uint64_t>& Doubles) {
  TControle_Paies controle;
  controle.Mois_Table = Mois.Etendue;
  if (Mois.Nombre == 0 && Doubles.empty()) return controle;
  dbase::TTable table;
  interne::Ouvrir_Paies(table, Source);
  Avertir_Mois(table, Mois, controle.Avertissements);
  if (!Doubles.empty()) Exclure_Partages(table, Choix, Doubles, controle);
  return controle;
}

bool Mois_Valide(std::string_view Debut_Mois) { return Rang_Mois(Debut_Mois).has_value(); }

std::string Octets_Visibles(std::string_view Octets) {
  while (!Octets.empty() && (Octets.back() == ' ' || Octets.back() == '\0')) Octets.remove_suffix(1);
  std::string texte;
  for (const char c : Octets) {
    const auto o = static_cast<unsigned char>(c);
    if (o >= 32 && o < 127) {
      texte += c;
    } else {
      static const char chiffres[] = "0123456789ABCDEF";
      texte += {'\\', 'x', chiffres[o >> 4], chiffres[o & 15]};
    }
  }
  return texte;
}

TChamps_Bulletin Champs_Bulletin(const dbase::TTable& Table) {
  TChamps_Bulletin champs;
  for (const dbase::TField& f : Table.Fields()) {
    if (f.DataType() == dbase::TFieldType::ftString && !plateforme::Egal_Sans_Casse(f.FieldName(), "MOIS"))
      champs.emplace_back(f.FieldName(), f.AsString());
  }
  return champs;
}

std::string Identite(const TChamps_Bulletin& Champs) {
  std::string texte;
  for (const auto& [nom, valeur] : Champs) {
    if (!texte.empty()) texte += ", ";
    texte += nom + " " + valeur;
  }
  return texte;
}

}  // namespace recap
