#include "recap/Bulletins.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <utility>

#include "KORVEX_procs.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Invariant.h"
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
    ++En_Cours;
  }
  ~TRenommageTemporaire() { Rendre(); }

  // The renames of this thread's scans not yet undone: each rename is paired with its return.
  static inline thread_local int En_Cours = 0;
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
      --En_Cours;
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

}  // namespace

namespace interne {

bool Sous_Renommage(const std::string& Chemin, const TAfficherMessage& Message, const std::function<void()>& Trouve,
                    const std::function<void(const std::string& nom)>& Lire) {
  const std::string paies = Chemin_Paies(Chemin), temporaire = Chemin_Paies_Temporaire(Chemin);
  if (!plateforme::Fichier_Existe(paies)) {
    Message(Message_Paies_Absent(Chemin));
    return false;
  }
  // A stale PAIES.DBF would be read as this month's payslips.
  if (plateforme::Nom_Pris(temporaire)) throw EKorvex(textes::Temporaire_Existe(temporaire));
  const int avant = TRenommageTemporaire::En_Cours;
  TRenommageTemporaire renommage(paies, temporaire);
  std::exception_ptr erreur_lecture;
  try {
    if (Trouve) Trouve();
    Lire(renommage.Nom());
  } catch (...) {
    erreur_lecture = std::current_exception();
  }
  const bool rendu = renommage.Rendre();
  // The rename is undone before the scan ends, whatever the reading did.
  KORVEX_INVARIANT(TRenommageTemporaire::En_Cours == avant);
  if (!rendu)
    throw EKorvex(renommage.Message_Echec() + (erreur_lecture ? "\n" + Message_De(erreur_lecture) : ""));
  if (erreur_lecture) std::rethrow_exception(erreur_lecture);
  return true;
}

}  // namespace interne

std::string Chemin_Paies(const std::string& Dossier) { return plateforme::Fichier_Du_Dossier(Dossier, "PAIES.DTA"); }
std::string Chemin_Paies_Temporaire(const std::string& Dossier) {
  return plateforme::Fichier_Du_Dossier(Dossier, "PAIES.DBF");
}

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

std::optional<int64_t> TPaie::Compte(int rubrique) const {
  const auto trouve = std::lower_bound(Comptes.begin(), Comptes.end(), std::make_pair(rubrique, INT64_MIN));
  if (trouve == Comptes.end() || trouve->first != rubrique) return std::nullopt;
  return trouve->second;
}

TPaie Paie_Decodee(int Choix, const TBulletin& Bulletin) {
  TPaie paie;
  paie.Enregistrement = Bulletin.Enregistrement;
  paie.Choix = Choix;
  paie.Champs = Bulletin.Champs();
  for (const int r : Bulletin.Rubriques()) paie.Comptes.emplace_back(r, Bulletin.Compte(r));
  std::sort(paie.Comptes.begin(), paie.Comptes.end());
  return paie;
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
    constexpr int64_t Tous = std::numeric_limits<int64_t>::max();
    const interne::TSource source{Chemin, nom, plateforme::Injecteur_Installe()};
    // Every record is met once before any payslip is read: the visitor never sees a payslip
    // whose memo another record names.
    const TControle_Paies aucun;
    interne::TLecteur verificateur(source, aucun);
    verificateur.Lire_Lot(1, Tous, [](std::string_view) { return std::optional<int>(); }, {});
    const TControle_Paies controle =
        Conclure_Controle(source, Choix, verificateur.Prendre_Mois(), verificateur.Blocs().Doubles());
    // The scan's own decoder state, in counts: each payslip's are taken by the visitor, then
    // dropped, so that the next finds its rubrics' lists empty.
    const auto comptes = std::make_unique<TComptes_Rubriques>();
    TDecodage decodage;
    decodage.Comptes = comptes.get();
    decodage.Lister = true;
    interne::TLecteur lecteur(source, controle, &decodage);
    lecteur.Lire_Lot(1, Tous, Choix, [&](int choix, const TBulletin& bulletin) {
      Visiteur(choix, bulletin);
      for (const int r : decodage.Rubriques) (*comptes)[static_cast<size_t>(r)].clear();
    });
    avertissements = lecteur.Prendre_Avertissements();
    interne::Avertir_Table(nom, lecteur.Prendre_Omissions(), *avertissements);
    avertissements->Ajouter(controle.Avertissements);
  });
  if (!trouve) return std::nullopt;
  return avertissements;
}

}  // namespace recap
