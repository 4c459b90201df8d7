#include "recap/Controle_Paies.h"

#include <cstring>
#include <limits>
#include <map>

#include "dbase/Table.h"
#include "platform/Caracteres.h"
#include "platform/Textes.h"
#include "recap/Periode.h"

namespace recap {

namespace {

// A warning names at most this many records with a month that is none; the count says the rest.
constexpr size_t Mois_Nommes = 10;

// Memo files up to this many blocks are marked in a bitmap (16 MB at most); larger ones sort
// their pointers instead.
constexpr uint64_t Blocs_En_Carte = uint64_t{1} << 27;

std::optional<dbase::TField> Champ(const dbase::TTable& table, const char* nom) {
  for (const dbase::TField& f : table.Fields())
    if (plateforme::Egal_Sans_Casse(f.FieldName(), nom)) return f;
  return std::nullopt;
}

// The blocks that more than one record names, each once, in increasing order.
class TBlocs_Vus {
public:
  explicit TBlocs_Vus(uint64_t blocs) : blocs_(blocs) {
    if (blocs_ <= Blocs_En_Carte) carte_.assign(static_cast<size_t>((blocs_ + 63) / 64), 0);
  }
  void Noter(uint64_t bloc) {
    if (bloc == 0 || bloc >= blocs_) return;  // no memo, or one the scan finds beyond the file
    if (carte_.empty()) return tous_.push_back(bloc);
    uint64_t& mot = carte_[static_cast<size_t>(bloc / 64)];
    const uint64_t bit = uint64_t{1} << (bloc % 64);
    if (mot & bit) doubles_.push_back(bloc);
    mot |= bit;
  }
  std::vector<uint64_t> Doubles() {
    if (carte_.empty()) {
      std::sort(tous_.begin(), tous_.end());
      for (size_t i = 1; i < tous_.size(); ++i)
        if (tous_[i] == tous_[i - 1]) doubles_.push_back(tous_[i]);
    }
    std::sort(doubles_.begin(), doubles_.end());
    doubles_.erase(std::unique(doubles_.begin(), doubles_.end()), doubles_.end());
    return doubles_;
  }

private:
  uint64_t blocs_;
  std::vector<uint64_t> carte_, tous_, doubles_;
};

// The month of a record shown, as the scan would take it: its first seven bytes, or nothing
// when the value is null. ASCII months are the same bytes in every page a table may have.
std::string_view Debut_Mois(const dbase::TChamp_Serie& mois, const char* enregistrement) {
  if (mois.Nul(enregistrement)) return {};
  const std::string_view octets = mois.Octets(enregistrement);
  return octets.substr(0, std::min<size_t>(7, octets.size()));
}

// Every record shown or deleted, series after series: Visiter(record number, bytes). A record
// whose flag is wrong is the table's to tell.
template <class TVisiter>
void Parcourir(dbase::TTable& table, const TVisiter& Visiter) {
  dbase::TSerie serie;
  for (int64_t premier = 1; table.Lire_Serie(premier, std::numeric_limits<int64_t>::max(), serie);
       premier = serie.Premier + serie.Nombre) {
    for (int64_t k = 0; k < serie.Nombre; ++k) {
      const char* enregistrement = serie.Enregistrement(k);
      if (dbase::TSerie::Montre(enregistrement) || *enregistrement == '*') Visiter(serie.Premier + k, enregistrement);
    }
  }
}

std::string Identite_De(dbase::TTable& table, int64_t enregistrement) {
  table.AfficherSupprimes = true;  // a deleted record is named too
  table.Aller_A(enregistrement);
  return Identite(Champs_Bulletin(table));
}

class TControleur {
public:
  TControleur(dbase::TTable& table, const TChoix& choix) : table_(table), choix_(choix) {}

  TControle_Paies Controler() {
    const auto mois = Champ(table_, "MOIS");
    if (!mois) return {};  // the scan raises the error, when it reads a record
    const auto montants = Champ(table_, "MONTANTS");
    const bool memo = montants && montants->DataType() == dbase::TFieldType::ftMemo;
    const dbase::TChamp_Serie champ_mois = mois->Serie(), champ_montants = memo ? montants->Serie() : champ_mois;
    TBlocs_Vus vus(memo ? table_.Blocs_Memo() : 0);
    // Most records hold the month of the one before: its bytes are checked once.
    char connu[7] = {};
    size_t longueur_connue = 8;  // no month has this length: the first is checked
    Parcourir(table_, [&](int64_t numero, const char* enregistrement) {
      // A deleted record keeps its memo: no other may name it.
      if (memo)
        if (const auto bloc = champ_montants.Bloc_Memo(enregistrement)) vus.Noter(*bloc);
      if (!dbase::TSerie::Montre(enregistrement)) return;
      const std::string_view debut = Debut_Mois(champ_mois, enregistrement);
      if (debut.size() != longueur_connue || std::memcmp(debut.data(), connu, debut.size()) != 0) {
        if (Mois_Valide(debut)) {
          std::memcpy(connu, debut.data(), debut.size());
          longueur_connue = debut.size();
        } else {
          Noter_Mois(numero, enregistrement, champ_mois);
        }
      }
    });
    Avertir_Mois();
    if (memo) Exclure_Partages(vus.Doubles(), champ_mois, champ_montants, montants->FieldName());
    return std::move(resultat_);
  }

private:
  void Noter_Mois(int64_t numero, const char* enregistrement, const dbase::TChamp_Serie& mois) {
    if (incorrects_.size() < Mois_Nommes)
      incorrects_.emplace_back(numero, Octets_Visibles(mois.Nul(enregistrement) ? "" : mois.Octets(enregistrement)));
    ++nombre_incorrects_;
  }

  void Avertir_Mois() {
    const std::string& nom = table_.NomAffiche;
    if (nombre_incorrects_ == 1) {
      const auto& [numero, octets] = incorrects_.front();
      resultat_.Avertissements.push_back(textes::Avertissement_Mois(numero, nom, Identite_De(table_, numero), octets));
    } else if (nombre_incorrects_ > 1) {
      std::vector<std::string> premiers;
      for (const auto& [numero, octets] : incorrects_)
        premiers.push_back(textes::Enregistrement_Mois(numero, Identite_De(table_, numero), octets));
      resultat_.Avertissements.push_back(textes::Avertissement_Mois_Plusieurs(nombre_incorrects_, nom, premiers));
    }
  }

  // The records that name each shared block, in the table's order: those shown are left out,
  // and all named, when one of them is a payslip the scan reads. Which pointer was damaged no
  // rule tells: a deleted record's memo is as likely the one the others read.
  void Exclure_Partages(const std::vector<uint64_t>& doubles, const dbase::TChamp_Serie& mois,
                        const dbase::TChamp_Serie& montants, const std::string& champ) {
    if (doubles.empty()) return;
    std::map<uint64_t, std::vector<std::pair<int64_t, bool>>> partages;  // records, and whether shown
    std::map<uint64_t, bool> lus;
    Parcourir(table_, [&](int64_t numero, const char* enregistrement) {
      const auto bloc = montants.Bloc_Memo(enregistrement);
      if (!bloc || !std::binary_search(doubles.begin(), doubles.end(), *bloc)) return;
      const bool montre = dbase::TSerie::Montre(enregistrement);
      partages[*bloc].emplace_back(numero, montre);
      const std::string_view debut = Debut_Mois(mois, enregistrement);
      if (montre && Mois_Valide(debut) && choix_(debut)) lus[*bloc] = true;
    });
    for (const auto& [bloc, numeros] : partages) {
      if (!lus[bloc]) continue;
      std::vector<std::string> noms;
      for (const auto& [numero, montre] : numeros) {
        noms.push_back(textes::Enregistrement_Identifie(numero, Identite_De(table_, numero), !montre));
        if (montre) resultat_.Exclus.push_back(numero);
      }
      resultat_.Avertissements.push_back(
          textes::Avertissement_Memo_Partage(noms, table_.NomAffiche, champ, bloc, table_.Fichier_Memo()));
    }
    std::sort(resultat_.Exclus.begin(), resultat_.Exclus.end());
  }

  dbase::TTable& table_;
  const TChoix& choix_;
  TControle_Paies resultat_;
  std::vector<std::pair<int64_t, std::string>> incorrects_;  // the first ones, their month shown
  int64_t nombre_incorrects_ = 0;
};

}  // namespace

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

TControle_Paies Controler_Paies(dbase::TTable& Table, const TChoix& Choix) {
  return TControleur(Table, Choix).Controler();
}

}  // namespace recap
