// The memo file of a table: .DBT (dBase) or .FPT (FoxPro, Visual FoxPro).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Fichiers.h"
#include "dbase/Tampon.h"

namespace dbase::interne {

enum class TFormatMemo { Dbt, Fpt };

class TMemo {
public:
  // blocs_dbase3: a dBase III memo file, whose blocks are always 512 bytes.
  TMemo(const std::string& chemin, TFormatMemo format, bool blocs_dbase3, const plateforme::TInjecteurPannes& injecteur);

  const std::string& Chemin() const { return fichier_.Chemin(); }
  // The blocks the file holds, whole or begun: a pointer to a later one is damaged.
  uint64_t Blocs() const { return (fichier_.Taille() + taille_bloc_ - 1) / taille_bloc_; }

  // The raw bytes of the memo that starts at block bloc (never 0: an empty pointer is no memo),
  // in texte: left in the file's window when they lie in it, valid until the next read, else
  // copied into tampon. texte_attendu: the field holds text, which a FoxPro block must say.
  // Returns false, with the reason in erreur, when the pointer, the block or the length is wrong.
  bool Lire(uint64_t bloc, bool texte_attendu, std::string& tampon, std::string_view& texte, std::string& erreur);

private:
  bool Lire_Longueur(uint64_t position, uint64_t longueur, std::string& tampon, std::string_view& texte,
                     std::string& erreur);
  bool Marque_Doublee(uint64_t position);
  bool Lire_Jusqu_A_Fin(uint64_t position, std::string& tampon, std::string_view& texte, std::string& erreur);
  bool Fin_Effacee(uint64_t position, std::string_view texte) const;

  plateforme::TFichierLecture fichier_;
  TTampon tampon_;
  TFormatMemo format_;
  uint64_t taille_bloc_ = 512;
};

}  // namespace dbase::interne
