#include "KORVEX_procs.h"

#include "platform/Textes.h"
#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Entiers.h"
#include "platform/Montants.h"
#include "platform/Separateurs.h"

#include <array>
#include <string_view>

TTAB_VALEURS TAB_VALEURS;

namespace {

std::vector<int> g_rubriques_decodees;
std::array<bool, TTAB_VALEURS::Dernier + 1> g_rubrique_decodee{};

void Oublier_Rubriques_Decodees() {
  for (int r : g_rubriques_decodees) g_rubrique_decodee[static_cast<size_t>(r)] = false;
  g_rubriques_decodees.clear();
}

void Stocker(int rubrique, long double montant) {
  TAB_VALEURS[rubrique] = montant;
  if (!g_rubrique_decodee[static_cast<size_t>(rubrique)]) {
    g_rubrique_decodee[static_cast<size_t>(rubrique)] = true;
    g_rubriques_decodees.push_back(rubrique);
  }
}

constexpr char CR = 13;
constexpr char LF = 10;
constexpr char Fin_De_Fichier = 26;

// The user's separators while the decoding has its own in force.
char32_t Old_DecimalSeparator = U'.';
char32_t Old_ThousandSeparator = U',';

void Save_And_Set_Point_Decimal_Separateur() {
  Old_DecimalSeparator = plateforme::DecimalSeparator();
  Old_ThousandSeparator = plateforme::ThousandSeparator();
  plateforme::Fixer_Separateurs(U'.', U' ');
}

void Restore_Old_Separateurs() {
  plateforme::Fixer_Separateurs(Old_DecimalSeparator, Old_ThousandSeparator);
}

// The user's separators come back however the decoding ends.
class Garde_Separateurs {
public:
  Garde_Separateurs() { Save_And_Set_Point_Decimal_Separateur(); }
  ~Garde_Separateurs() { Restore_Old_Separateurs(); }
  Garde_Separateurs(const Garde_Separateurs&) = delete;
  Garde_Separateurs& operator=(const Garde_Separateurs&) = delete;
};

[[noreturn]] void Erreur_Rubrique(std::string_view texte) {
  throw plateforme::EKorvex(textes::Rubrique_Incorrecte(texte));
}

void Decoder_Ligne(std::string_view ligne) {
  const size_t fin_rubrique = plateforme::Octets_Des_Caracteres(ligne, 3);
  if (fin_rubrique >= ligne.size()) return;  // fewer than four characters
  const std::string_view texte_rubrique = ligne.substr(0, fin_rubrique);
  const int32_t rubrique = plateforme::Texte_Vers_Entier(texte_rubrique);
  const int64_t dix_milliemes = plateforme::Texte_Vers_Montant(ligne.substr(fin_rubrique));
  const long double montant = static_cast<long double>(dix_milliemes) / 10000.0L;
  const long double grandeur = montant < 0 ? -montant : montant;
  if (rubrique == 0 || grandeur < Seuil_Negligeable) return;
  if (rubrique < TTAB_VALEURS::Premier || rubrique > TTAB_VALEURS::Dernier)
    Erreur_Rubrique(texte_rubrique);
  Stocker(rubrique, montant);
}

// The body: after the first line and the run of breaks behind it, without the memo's last
// character when that is a control character. False when there is nothing after the first line.
bool Trouver_Corps(std::string_view texte, std::string_view& corps) {
  size_t i = 0;
  while (i < texte.size() && texte[i] != CR) ++i;
  while (i < texte.size() && (texte[i] == LF || texte[i] == CR || texte[i] == Fin_De_Fichier)) ++i;
  if (i >= texte.size()) return false;
  // A final printable character belongs to the last amount; only a terminator is dropped.
  const bool dernier_controle = static_cast<unsigned char>(texte.back()) < 32;
  corps = texte.substr(i, texte.size() - i - (dernier_controle ? 1 : 0));
  return true;
}

// Lines end at CR, LF or CR LF; a NUL ends the body.
void Decoder_Lignes(std::string_view corps) {
  corps = corps.substr(0, corps.find('\0'));
  const size_t n = corps.size();
  size_t debut = 0;
  while (debut < n) {
    size_t fin = debut;
    while (fin < n && corps[fin] != CR && corps[fin] != LF) ++fin;
    Decoder_Ligne(corps.substr(debut, fin - debut));
    if (fin < n && corps[fin] == CR) ++fin;
    if (fin < n && corps[fin] == LF) ++fin;
    debut = fin;
  }
}

}  // namespace

const std::vector<int>& Rubriques_Decodees() { return g_rubriques_decodees; }

void Memo_Montants_Decoder(const std::string& texte) {
  TAB_VALEURS.Effacer();
  Oublier_Rubriques_Decodees();
  std::string_view corps;
  if (!Trouver_Corps(texte, corps)) return;
  const Garde_Separateurs garde;
  Decoder_Lignes(corps);
}
