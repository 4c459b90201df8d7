#include <gtest/gtest.h>

#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "platform/Entiers.h"
#include "platform/Format_Nombres.h"
#include "platform/Montants.h"
#include "platform/Separateurs.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

using plateforme::Format_General;
using plateforme::Texte_Vers_Entier;
using plateforme::Texte_Vers_Montant;

namespace {

std::string Message_Erreur_Entier(const std::string& texte) {
  return test::Message_Erreur([&] { Texte_Vers_Entier(texte); });
}

std::string Message_Erreur_Montant(const std::string& texte, char32_t separateur = U'.') {
  return test::Message_Erreur([&] { Texte_Vers_Montant(texte, separateur); });
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Integer rules

TEST(TexteVersEntier, AcceptsDecimalAndHexadecimalTexts) {
  const struct {
    const char* texte;
    int32_t attendu;
  } cas[] = {
      {"007", 7},          {" 12", 12},         {"-12", -12},         {"+5", 5},
      {"  -0", 0},         {"$1F", 31},         {"x1f", 31},          {"X10", 16},
      {"0x10", 16},        {"0XfF", 255},       {"$FFFFFFFF", -1},    {"$80000000", INT32_MIN},
      {"2147483647", INT32_MAX},                {"-2147483648", INT32_MIN},
      {"0", 0},            {"-99", -99},        {"999", 999},         {"00000000000012", 12},
  };
  for (const auto& c : cas) EXPECT_EQ(Texte_Vers_Entier(c.texte), c.attendu) << c.texte;
}

TEST(TexteVersEntier, RefusesEverythingElseWithTheUntrimmedText) {
  const char* refuses[] = {"",     "   ",  "12 ",  "1 2",         "\t12",        "1.0",
                           "+",    "-",    "$",    "x",           "0x",          "-$1",
                           "+0x1", "$1G",  "12a",  "2147483648",  "-2147483649", "$123456789",
                           "0x 1", "1e3",  "٣"};
  for (const char* texte : refuses)
    EXPECT_EQ(Message_Erreur_Entier(texte),
              std::string("'") + texte + "' n'est pas une valeur entière correcte");
}

// ---------------------------------------------------------------------------------------------
// Amount rules: ten-thousandths from the exact decimal text

TEST(TexteVersMontant, GivesTheCountOfTenThousandthsRoundedHalfToEven) {
  const struct {
    const char* texte;
    int64_t attendu;
  } cas[] = {
      {"1520.00", 15200000},
      {"-35.5", -355000},
      {"+2", 20000},
      {"  7  ", 70000},
      {"5.", 50000},
      {".5", 5000},
      {".", 0},
      {"-.", 0},
      {"1E", 10000},
      {"1e+", 10000},
      {"1.5e+2", 1500000},
      {"25E-1", 25000},
      {"0E999", 0},
      {"0.0089", 89},
      {"1.23455", 12346},
      {"1.23445", 12344},
      {"0.00025", 2},
      {"0.00035", 4},
      {"0.000250000000000000000000001", 3},
      {"-0.00025", -2},
      {"0.00005", 0},
      {"0.00004999", 0},
      {"1e-4999", 0},
      {"-0.00001", 0},
      {"000000000000000000000000001.5", 15000},
      {"1.50000000000000000000000000", 15000},
      {"0.000000000000000000000000000000000000001e39", 10000},
      {"100000000000000000000000000000e-29", 10000},
      {"922337203685477.5807", INT64_MAX},
      {"-922337203685477.5808", INT64_MIN},
      {"922337203685477.58069", INT64_MAX},
      {"1e14", 1000000000000000000},
  };
  for (const auto& c : cas) EXPECT_EQ(Texte_Vers_Montant(c.texte, U'.'), c.attendu) << c.texte;
}

TEST(TexteVersMontant, RefusesBadTextsAndCountsBeyondSixtyFourBits) {
  const char* refuses[] = {"",
                           " ",
                           "+",
                           "-",
                           "E5",
                           "1.2.3",
                           "1,5",
                           "1 500.00",
                           "1\t",
                           "1\x1A",
                           "--1",
                           "- 1",
                           "1E5x",
                           "1EE5",
                           "0E9999",
                           "1e15",
                           "922337203685477.5808",
                           "-922337203685477.5809",
                           "922337203685477.58075",
                           "99999999999999999999999999",
                           "1,000.00"};
  for (const char* texte : refuses)
    EXPECT_EQ(Message_Erreur_Montant(texte),
              std::string("'") + texte + "' n'est pas une valeur en virgule flottante correcte");
}

TEST(TexteVersMontant, UsesTheGivenDecimalSeparatorOnly) {
  EXPECT_EQ(Texte_Vers_Montant("12,5", U','), 125000);
  EXPECT_EQ(Message_Erreur_Montant("12.5", U','),
            "'12.5' n'est pas une valeur en virgule flottante correcte");
  EXPECT_EQ(Texte_Vers_Montant("12\u066B25", U'\u066B'), 122500);  // a two-byte separator
  EXPECT_EQ(Message_Erreur_Montant("12\xD9", U'\u066B'),
            "'12\xD9' n'est pas une valeur en virgule flottante correcte");
}

TEST(TexteVersMontant, WithoutSeparatorReadsTheCurrentOne) {
  const char32_t decimal = plateforme::DecimalSeparator(), milliers = plateforme::ThousandSeparator();
  plateforme::Fixer_Separateurs(U',', U' ');
  EXPECT_EQ(Texte_Vers_Montant("3,25"), 32500);
  EXPECT_THROW(Texte_Vers_Montant("3.25"), plateforme::EKorvex);
  plateforme::Fixer_Separateurs(U'.', U',');
  EXPECT_EQ(Texte_Vers_Montant("3.25"), 32500);
  plateforme::Fixer_Separateurs(decimal, milliers);
}

// ---------------------------------------------------------------------------------------------
// General format, 15 significant digits

TEST(FormatGeneral, WritesTotalsAsTheGridShowsThem) {
  const long double cent_dix = static_cast<long double>(1001000) / 10000.0L;
  const long double deux_cent_vingt = static_cast<long double>(2002000) / 10000.0L;
  const struct {
    long double valeur;
    char32_t separateur;
    const char* attendu;
  } cas[] = {
      {1520.0L, U',', "1520"},
      {1234.5L, U',', "1234,5"},
      {1234.5L, U'.', "1234.5"},
      {-87.25L, U',', "-87,25"},
      {1E16L, U'.', "1E16"},
      {1.5E-5L, U',', "1,5E-5"},
      {1.5E20L, U'.', "1.5E20"},
      {-1.5E20L, U'.', "-1.5E20"},
      {123456789012.345L, U',', "123456789012,345"},
      {-123456789012.345L, U'.', "-123456789012.345"},
      {cent_dix + deux_cent_vingt, U',', "300,3"},
      {0.0L, U',', "0"},
      {-0.0L, U',', "0"},
      {0.1L, U'.', "0.1"},
      {0.009L, U'.', "0.009"},
      {1.0L / 3.0L, U'.', "0.333333333333333"},
      {-2.0L / 3.0L, U'.', "-0.666666666666667"},
      {1234.5L, U'\u066B', "1234\u066B5"},
  };
  for (const auto& c : cas)
    EXPECT_EQ(Format_General(c.valeur, c.separateur), c.attendu) << c.attendu;
}

TEST(FormatGeneral, ChoosesPlainNotationFromOneTenThousandthToBelowTenToTheFifteen) {
  const struct {
    long double valeur;
    const char* attendu;
  } cas[] = {
      {0.0001L, "0.0001"},
      {0.00012L, "0.00012"},
      {0.0000999999999999999999L, "0.0001"},  // rounds up to the boundary
      {0.0000999999999999999L, "9.99999999999999E-5"},
      {0.000099999999999999L, "9.9999999999999E-5"},
      {0.00001L, "1E-5"},
      {999999999999999.0L, "999999999999999"},
      {999999999999999.4L, "999999999999999"},
      {999999999999999.5L, "1E15"},  // rounds up past the boundary
      {1E15L, "1E15"},
      {1234567890123456.0L, "1.23456789012346E15"},
      {123456789012345678.0L, "1.23456789012346E17"},
      {1E100L, "1E100"},
      {1E-100L, "1E-100"},
      {1E4000L, "1E4000"},
  };
  for (const auto& c : cas) EXPECT_EQ(Format_General(c.valeur, U'.'), c.attendu) << c.attendu;
}

TEST(FormatGeneral, RoundsTo18DigitsThenHalfUpOnTheSixteenth) {
  const struct {
    long double valeur;
    const char* attendu;
  } cas[] = {
      // Exact values just below a half at the sixteenth digit: 18 digits end in ...500, so the
      // sixteenth digit rounds up, where a single rounding to 15 digits would not.
      {std::nextafter(1.000000000000005L, 0.0L), "1.00000000000001"},  // 1.0000000000000049999
      {99999999999999.95L, "100000000000000"},  // 99999999999999.9499969...
      {99999999999999.94L, "99999999999999.9"},
      {1.000000000000004L, "1"},
      {0.1234567890123455L, "0.123456789012346"},
      {0.1234567890123454L, "0.123456789012345"},
      {1.0L - std::ldexp(1.0L, -64), "1"},  // 0.99999999999999999995
      {2.0L - std::ldexp(1.0L, -62), "2"},
  };
  for (const auto& c : cas) EXPECT_EQ(Format_General(c.valeur, U'.'), c.attendu) << c.attendu;
}

TEST(FormatGeneral, CoversTheWholeExtendedRange) {
  EXPECT_EQ(Format_General(std::numeric_limits<long double>::max(), U'.'), "1.18973149535723E4932");
  EXPECT_EQ(Format_General(std::numeric_limits<long double>::min(), U'.'), "3.36210314311209E-4932");
  EXPECT_EQ(Format_General(std::numeric_limits<long double>::denorm_min(), U'.'),
            "3.64519953188247E-4951");
  EXPECT_EQ(Format_General(-std::numeric_limits<long double>::infinity(), U'.'), "-INF");
  EXPECT_EQ(Format_General(std::numeric_limits<long double>::quiet_NaN(), U'.'), "NAN");
}

TEST(FormatGeneral, IgnoresTheCLibraryLocale) {
  const std::string avant = std::setlocale(LC_ALL, nullptr);
#ifdef _WIN32
  const char* francaise = "French_France.1252";
#else
  const char* francaise = "fr_FR.UTF-8";
#endif
  if (std::setlocale(LC_ALL, francaise) == nullptr) GTEST_SKIP() << "locale " << francaise << " absente";
  EXPECT_EQ(Format_General(1234.5L, U'.'), "1234.5");
  EXPECT_EQ(Format_General(1.5E-5L, U'.'), "1.5E-5");
  EXPECT_EQ(Format_General(123456789012.345L, U'.'), "123456789012.345");
  EXPECT_EQ(Texte_Vers_Montant("1234.5", U'.'), 12345000);
  std::setlocale(LC_ALL, avant.c_str());
}

#ifdef __GLIBC__
namespace {

// Significant digits and exponent (value = d.ddd x 10^exposant) of a formatted text.
struct Forme_Decimale {
  std::string chiffres;
  int exposant = 0;
  bool operator==(const Forme_Decimale&) const = default;
};

Forme_Decimale Normaliser(const std::string& chiffres_bruts, int exposant_premier) {
  Forme_Decimale f;
  const size_t debut = chiffres_bruts.find_first_not_of('0');
  f.chiffres = chiffres_bruts.substr(debut);
  f.exposant = exposant_premier - static_cast<int>(debut);
  f.chiffres.erase(f.chiffres.find_last_not_of('0') + 1);
  return f;
}

// Reads back what Format_General wrote, checking its notation on the way.
Forme_Decimale Relire(std::string texte) {
  if (texte[0] == '-') texte.erase(0, 1);
  const size_t e = texte.find('E');
  const std::string mantisse = texte.substr(0, e);
  const size_t point = mantisse.find('.');
  std::string chiffres = mantisse;
  if (point != std::string::npos) chiffres.erase(point, 1);
  const int entiers = static_cast<int>(point == std::string::npos ? mantisse.size() : point);
  const int exposant = e == std::string::npos ? 0 : std::stoi(texte.substr(e + 1));
  return Normaliser(chiffres, entiers - 1 + exposant);
}

// Reference: glibc's exact conversion to 18 digits, then half up on the sixteenth by hand.
Forme_Decimale Reference(long double v) {
  char tampon[64];
  std::snprintf(tampon, sizeof tampon, "%.17Le", v < 0 ? -v : v);
  std::string texte = tampon;
  const size_t e = texte.find('e');
  std::string chiffres;
  for (size_t k = 0; k < e; ++k)
    if (texte[k] >= '0' && texte[k] <= '9') chiffres += texte[k];
  int exposant = std::stoi(texte.substr(e + 1));
  const bool haut = chiffres[15] >= '5';
  chiffres.resize(15);
  if (haut) {
    int k = 14;
    for (; k >= 0 && chiffres[k] == '9'; --k) chiffres[k] = '0';
    if (k < 0) {
      chiffres.insert(chiffres.begin(), '1');
      ++exposant;
    } else {
      ++chiffres[k];
    }
  }
  return Normaliser(chiffres, exposant);
}

}  // namespace

TEST(FormatGeneral, AgreesWithAnExactReferenceOnRandomValues) {
  std::mt19937_64 alea(20110301);
  for (int k = 0; k < 20000; ++k) {
    // Mostly amounts of the size totals have, some anywhere in the range.
    const int exposant = k % 20 == 0 ? static_cast<int>(alea() % 32000) - 16000
                                     : static_cast<int>(alea() % 140) - 80;
    const long double v = std::ldexp(static_cast<long double>(alea() | (uint64_t{1} << 63)),
                                     exposant - 63) * (k % 2 ? -1 : 1);
    const std::string texte = Format_General(v, U'.');
    ASSERT_EQ(Relire(texte), Reference(v)) << texte;
    const int e = Reference(v).exposant;
    EXPECT_EQ(texte.find('E') != std::string::npos, e < -4 || e >= 15) << texte;
  }
}
#endif
