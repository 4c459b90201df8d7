// The separators come from the user's regional settings (GetLocaleInfoEx).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Separateurs.h"

namespace {

std::wstring Reglage(LCTYPE type) {
  wchar_t texte[16] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, texte, 16);
  return texte;
}

// Changes the user's settings as the regional settings panel does; puts them back afterwards.
struct SeparateursWindowsTest : ::testing::Test {
  std::wstring decimal = Reglage(LOCALE_SDECIMAL), milliers = Reglage(LOCALE_STHOUSAND);
  void TearDown() override {
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal.c_str());
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, milliers.c_str());
    plateforme::Fixer_Separateurs(U'.', U',');
  }
};

TEST_F(SeparateursWindowsTest, ReadsTheUsersSettingsWhenAsked) {
  struct Cas {
    const wchar_t* decimal;
    const wchar_t* milliers;
    char32_t attendu_decimal, attendu_milliers;
  };
  const std::vector<Cas> cas = {
      {L",", L"\u00A0", U',', U'\u00A0'},      // French
      {L".", L"\u2019", U'.', U'\u2019'},      // Swiss German
      {L",", L".", U',', U'.'},                // German
      {L"->", L"**", U'-', U'*'},              // only the first character counts
      {L"\U0001D7D8", L" ", U'\U0001D7D8', U' '},  // beyond the 16-bit range
  };
  for (const auto& k : cas) {
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, k.decimal));
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, k.milliers));
    plateforme::Lire_Separateurs_Utilisateur();
    EXPECT_EQ(plateforme::DecimalSeparator(), k.attendu_decimal) << static_cast<uint32_t>(k.attendu_decimal);
    EXPECT_EQ(plateforme::ThousandSeparator(), k.attendu_milliers) << static_cast<uint32_t>(k.attendu_milliers);
  }
}

}  // namespace
