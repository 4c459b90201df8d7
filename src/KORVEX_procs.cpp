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

// Clearing the table: only the rubrics the last decoding stored can be non-zero (the decoder is
// the only writer of TAB_VALEURS), so zeroing those few leaves the same 899 zeros as zeroing all
// of them, at a fraction of the cost: a payslip stores some forty.
void Effacer_Valeurs() {
  for (int r : g_rubriques_decodees) {
    TAB_VALEURS[r] = 0.0L;
    g_rubrique_decodee[static_cast<size_t>(r)] = false;
  }
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

constexpr unsigned Chiffre(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c) - '0'); }

// The amount of a line whose rubric text and count are known.
void Stocker_Ligne(std::string_view texte_rubrique, int32_t rubrique, int64_t dix_milliemes) {
  const long double montant = static_cast<long double>(dix_milliemes) / 10000.0L;
  const long double grandeur = montant < 0 ? -montant : montant;
  if (rubrique == 0 || grandeur < Seuil_Negligeable) return;
  if (rubrique < TTAB_VALEURS::Premier || rubrique > TTAB_VALEURS::Dernier)
    Erreur_Rubrique(texte_rubrique);
  Stocker(rubrique, montant);
}

// The line that starts at p[debut] when it is as the payroll application writes it: three
// digits, then an optional sign, digits and at most four decimals after a point, up to a CR, an
// LF or the body's end. Read and stored in the same pass that finds its end (set in fin); any
// other line takes the general rules, which would give this one the same rubric and count.
bool Ligne_Courante(const char* p, size_t n, size_t debut, size_t& fin) {
  constexpr size_t Chiffres_Entiers_Max = 14;  // with four decimals, well within 64 bits
  if (n - debut < 4) return false;
  const unsigned c0 = Chiffre(p[debut]), c1 = Chiffre(p[debut + 1]), c2 = Chiffre(p[debut + 2]);
  if (c0 > 9 || c1 > 9 || c2 > 9) return false;
  size_t i = debut + 3;
  const bool negatif = p[i] == '-';
  if (negatif || p[i] == '+') ++i;
  uint64_t valeur = 0;
  const size_t premier = i;
  for (unsigned c; i < n && (c = Chiffre(p[i])) <= 9; ++i) valeur = valeur * 10 + c;
  const size_t entiers = i - premier;
  size_t decimales = 0;
  if (i < n && p[i] == '.') {
    ++i;
    const size_t virgule = i;
    for (unsigned c; i < n && (c = Chiffre(p[i])) <= 9 && i - virgule < 5; ++i) valeur = valeur * 10 + c;
    decimales = i - virgule;
  } else if (entiers == 0) {
    return false;
  }
  if ((i < n && p[i] != CR && p[i] != LF) || entiers > Chiffres_Entiers_Max || decimales > 4) return false;
  static constexpr uint64_t Puissances[5] = {10000, 1000, 100, 10, 1};
  valeur *= Puissances[decimales];
  fin = i;
  Stocker_Ligne(std::string_view(p + debut, 3), static_cast<int32_t>(c0 * 100 + c1 * 10 + c2),
                negatif ? -static_cast<int64_t>(valeur) : static_cast<int64_t>(valeur));
  return true;
}

void Decoder_Ligne(std::string_view ligne) {
  const size_t fin_rubrique = plateforme::Octets_Des_Caracteres(ligne, 3);
  if (fin_rubrique >= ligne.size()) return;  // fewer than four characters
  const std::string_view texte_rubrique = ligne.substr(0, fin_rubrique);
  const int32_t rubrique = plateforme::Texte_Vers_Entier(texte_rubrique);
  Stocker_Ligne(texte_rubrique, rubrique, plateforme::Texte_Vers_Montant(ligne.substr(fin_rubrique)));
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
  const char* p = corps.data();
  const size_t n = corps.size();
  size_t debut = 0;
  while (debut < n) {
    size_t fin = debut;
    if (!Ligne_Courante(p, n, debut, fin)) {
      while (fin < n && p[fin] != CR && p[fin] != LF) ++fin;
      Decoder_Ligne(corps.substr(debut, fin - debut));
    }
    if (fin < n && p[fin] == CR) ++fin;
    if (fin < n && p[fin] == LF) ++fin;
    debut = fin;
  }
}

}  // namespace

const std::vector<int>& Rubriques_Decodees() { return g_rubriques_decodees; }

void Memo_Montants_Decoder(const std::string& texte) {
  Effacer_Valeurs();
  std::string_view corps;
  if (!Trouver_Corps(texte, corps)) return;
  const Garde_Separateurs garde;
  Decoder_Lignes(corps);
}
