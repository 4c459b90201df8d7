// The state of an open table, for the sources of the table layer alone: the file, its layout,
// the window over its records, the current record, and the checks a scan makes of each record.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dbase/Format.h"
#include "dbase/Memo.h"
#include "dbase/Pages_Code.h"
#include "dbase/Structure.h"
#include "dbase/Table.h"
#include "dbase/Tampon.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Invariant.h"
#include "platform/Textes.h"

namespace dbase {

// A deletion flag as a writer leaves it: shown or deleted.
inline bool Indicateur_Correct(char octet) { return octet == ' ' || octet == format::Marque_Supprime; }

struct TTable::TEtat {
  using TChamp = interne::TChamp;
  using TMemo = interne::TMemo;
  using TTampon = interne::TTampon;
  using TStructure = interne::TStructure;
  using TPageCode = interne::TPageCode;

  TEtat(const std::string& chemin_table, const std::string& nom_affiche, const plateforme::TInjecteurPannes& injecteur);

  std::string chemin;  // the file read
  std::string nom;     // the table as messages name it
  plateforme::TFichierLecture fichier;
  TStructure structure;
  const TPageCode* page;
  TTampon tampon;
  std::unique_ptr<TMemo> memo;
  int64_t nombre = 0;    // records that can be read, up to an end-of-table mark once one is met
  int64_t courant = -1;  // -1: no current record (empty table)
  int64_t verifies = 0;  // records from the first already checked for an end mark and their flag
  bool eof = true;
  const char* enregistrement = nullptr;
  std::vector<TOmission> omissions;

  std::string Enregistrement_Texte(int64_t i) const { return textes::Enregistrement(i + 1); }

  void Omettre(TDommage dommage, int64_t premier, int64_t dernier) {
    Ajouter_Omission(omissions, {dommage, premier, dernier, static_cast<int64_t>(structure.nombre_annonce)});
  }

  // What the file holds beyond the header against what the header announces: a table cut short
  // is read up to its last complete record, whole records beyond the announced ones are left
  // alone, and anything else means the header does not describe this file.
  void Mesurer_Fin() {
    const uint64_t longueur = structure.longueur_enregistrement;
    const uint64_t annonces = structure.nombre_annonce;
    const uint64_t complets = (fichier.Taille() - structure.longueur_entete) / longueur;
    if (complets < annonces) {
      nombre = static_cast<int64_t>(complets);
      Omettre(TDommage::Tronquee, nombre + 1, static_cast<int64_t>(annonces));
      return;
    }
    nombre = static_cast<int64_t>(annonces);
    const uint64_t debut = structure.longueur_entete + annonces * longueur;
    const uint64_t reste = fichier.Taille() - debut;
    if (reste == 0) return;
    std::string fin(static_cast<size_t>(std::min<uint64_t>(reste, longueur + 1)), '\0');
    fin.resize(fichier.Lire(debut, fin.data(), fin.size()));
    if (fin.empty() || fin[0] == format::Marque_Fin_Table) return;
    const uint64_t en_plus = reste / longueur, octets = reste % longueur;
    if (en_plus == 0 && fin.find_first_not_of(std::string("\0\x1A", 2)) == std::string::npos) return;
    char dernier = 0;
    if (octets == 1) fichier.Lire(fichier.Taille() - 1, &dernier, 1);
    if (en_plus == 0 || (octets != 0 && !(octets == 1 && dernier == format::Marque_Fin_Table)))
      interne::Erreur_Table(nom, textes::Taille_Incoherente(fichier.Taille(), structure.longueur_entete, annonces, longueur));
    Omettre(TDommage::Surplus, nombre + 1, nombre + static_cast<int64_t>(en_plus));
  }

  // Inline, its failure aside: a scan reads every record through here, twice.
  const char* Lire_Brut(int64_t i) {
    const char* p = tampon.Acceder(
        structure.longueur_entete + static_cast<uint64_t>(i) * structure.longueur_enregistrement,
        structure.longueur_enregistrement);
    if (p == nullptr) Erreur_Raccourcie(i);
    return p;
  }

  [[noreturn, gnu::cold]] void Erreur_Raccourcie(int64_t i) const {
    throw plateforme::EKorvex(textes::Table_Raccourcie(nom, Enregistrement_Texte(i)));
  }

  // Checks each record up to i once, in order: an end-of-table mark where a record starts ends
  // the table there, a wrong deletion flag is noted. False when i is past the table's end.
  bool Verifier_Jusqu_A(int64_t i) {
    for (; verifies <= i && verifies < nombre; ++verifies) {
      const char octet = *Lire_Brut(verifies);
      if (octet != ' ' && !Verifier_Indicateur(octet)) break;
    }
    return i < nombre;
  }

  // A flag other than "shown": false, the table ending here, on an end-of-table mark.
  [[gnu::cold]] bool Verifier_Indicateur(char octet) {
    if (octet == format::Marque_Fin_Table) {
      Omettre(TDommage::Marque_Fin, verifies + 1, nombre);
      nombre = verifies;
      return false;
    }
    if (!Indicateur_Correct(octet)) Omettre(TDommage::Indicateur, verifies + 1, verifies + 1);
    return true;
  }

  // Makes record i current-readable; false past the end.
  bool Charger(int64_t i) {
    if (i < 0 || !Verifier_Jusqu_A(i)) return false;
    enregistrement = Lire_Brut(i);
    return true;
  }

  // The window may have moved: point at the current record again.
  void Recharger() { enregistrement = courant < 0 ? nullptr : Lire_Brut(courant); }

  // The current record's bytes for a field reader: a series may have moved the window since.
  const char* Actuel() {
    if (enregistrement == nullptr && courant >= 0) Recharger();
    return enregistrement;
  }

  // The records from i on, up to dernier, that one window holds, each checked once.
  bool Serie(int64_t i, int64_t dernier, TSerie& serie) {
    if (i > dernier || !Charger(i)) return false;
    const uint64_t longueur = structure.longueur_enregistrement;
    size_t octets = 0;
    const char* r = tampon.Morceau(structure.longueur_entete + static_cast<uint64_t>(i) * longueur, octets);
    const int64_t fin = std::min({dernier + 1, nombre, i + static_cast<int64_t>(octets / longueur)});
    // Charger checked record i, which lies in the window from r: the flags read next lie there.
    KORVEX_INVARIANT(verifies > i && octets >= longueur && fin > i);
    // Each record's flag once, read where it lies: an end mark may end the table, and the
    // series, before fin.
    for (const char* drapeau = r + (verifies - i) * static_cast<int64_t>(longueur); verifies < fin;
         ++verifies, drapeau += longueur)
      if (*drapeau != ' ' && *drapeau != format::Marque_Supprime && !Verifier_Indicateur(*drapeau)) break;
    serie.Premier = i + 1;
    serie.Nombre = std::min(fin, nombre) - i;
    serie.Longueur = static_cast<size_t>(longueur);
    serie.Octets = r;
    if (courant >= 0) enregistrement = nullptr;
    return true;
  }

  // A record whose flag is wrong may be deleted or not: it is seen only with the deleted ones.
  bool Visible(bool supprimes) const { return supprimes || *enregistrement == ' '; }

  void Premier(bool supprimes) {
    courant = -1;
    eof = true;
    for (int64_t i = 0; Charger(i); ++i) {
      if (Visible(supprimes)) {
        courant = i;
        eof = false;
        return;
      }
    }
    enregistrement = nullptr;
  }

  bool Suivant(bool supprimes) {
    for (int64_t i = courant + 1; Charger(i); ++i) {
      if (Visible(supprimes)) {
        courant = i;
        return true;
      }
    }
    Recharger();
    return false;
  }

  void Aller(int64_t i, bool supprimes) {
    for (; Charger(i); ++i) {
      if (Visible(supprimes)) {
        courant = i;
        eof = false;
        return;
      }
    }
    eof = true;
    Recharger();
  }

  // The ASCII text of character field c in the current record, as Texte_Ascii gives it.
  std::optional<std::string_view> Texte_Ascii(const TChamp& c);

  // With every record shown a move goes straight to its target, yet no further than a scan
  // would: each record up to the target is checked once.
  void Sauter(int64_t n) {
    const int64_t cible = courant + n;
    Verifier_Jusqu_A(cible);
    if (cible >= nombre) {
      courant = nombre - 1;
      eof = true;
    } else {
      courant = cible;
    }
    Recharger();
  }

  // The memo's text, left in the memo file's window when it lies there and is ASCII, else in
  // tampon.
  std::string_view Texte_Memo(const TChamp& c, std::string& tampon);
  [[noreturn]] void Erreur_Memo(const TChamp& c, const std::string& detail) const;
  [[noreturn]] void Erreur_Valeur(const TChamp& c, std::string_view texte, const std::string& quoi) const;
};

}  // namespace dbase
