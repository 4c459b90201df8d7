// The printed pages drawn by GDI into an enhanced metafile (Wine has no printer): the text
// records must carry every text of the page, in UTF-16, at its place scaled to the device.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/Textes.h"
#include "platform/Caracteres.h"
#include "support/Message_Erreur.h"
#include "support/Grilles.h"
#include "win32/Impression_Gdi.h"

namespace {

struct TTexte_Emf {
  std::wstring texte;
  POINTL point;
  UINT alignement;
  RECTL cadre;  // what GDI drew, in device units  // TA_LEFT, TA_RIGHT or TA_CENTER
};

int CALLBACK Lire_Enregistrement(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM donnees) {
  auto& lus = *reinterpret_cast<std::pair<std::vector<TTexte_Emf>, UINT>*>(donnees);
  if (r->iType == EMR_SETTEXTALIGN) lus.second = reinterpret_cast<const EMRSETTEXTALIGN*>(r)->iMode;
  if (r->iType == EMR_EXTTEXTOUTW) {
    const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
    const auto* debut = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) + t->emrtext.offString);
    lus.first.push_back({std::wstring(debut, t->emrtext.nChars), t->emrtext.ptlReference,
                         lus.second & (TA_LEFT | TA_RIGHT | TA_CENTER), t->rclBounds});
  }
  return 1;
}

std::vector<TTexte_Emf> Textes_Emf(HENHMETAFILE emf) {
  std::pair<std::vector<TTexte_Emf>, UINT> lus{{}, TA_LEFT};
  EnumEnhMetaFile(nullptr, emf, Lire_Enregistrement, &lus, nullptr);
  return lus.first;
}

UINT Alignement_Attendu(recap::TAlignement a) {
  return a == recap::TAlignement::Droite ? TA_RIGHT : a == recap::TAlignement::Centre ? TA_CENTER : TA_LEFT;
}

recap::TTableau Tableau() {
  recap::TTableau t = test::Tableau_Grille(
      {{textes::Entetes_Grille, textes::Entetes_Grille + 5},
       {"1", "Salaire de base", "", "33149,34"},
       {"899", "Contribution exceptionnelle d'équilibre des régimes complémentaires de retraite", "", "", "-87,25"}});
  t.Titre = "Récap KORVEX — mois 02-2024";
  t.Dossier = "C:\\Données\\KORVEX";
  t.Resume = {"Résumé"};
  return t;
}

}  // namespace

TEST(Impression_Gdi, Textes_Et_Positions_Dans_Un_Metafichier) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  const double par_point_x = GetDeviceCaps(dc, LOGPIXELSX) / 72.0, par_point_y = GetDeviceCaps(dc, LOGPIXELSY) / 72.0;
  const auto pages = Mettre_En_Pages_Gdi(dc, Tableau());
  ASSERT_EQ(pages.size(), 1u);
  Dessiner_Page_Gdi(dc, pages[0]);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  ASSERT_NE(emf, nullptr);
  const auto lus = Textes_Emf(emf);
  DeleteEnhMetaFile(emf);

  const auto& attendus = pages[0].Textes;
  ASSERT_EQ(lus.size(), attendus.size());
  for (size_t i = 0; i < lus.size(); ++i) {
    SCOPED_TRACE(attendus[i].Texte);
    EXPECT_EQ(lus[i].texte, plateforme::Vers_Utf16(attendus[i].Texte));
    EXPECT_EQ(lus[i].point.x, std::lround(attendus[i].X * par_point_x));
    EXPECT_EQ(lus[i].point.y, std::lround(attendus[i].Y * par_point_y));
    EXPECT_EQ(lus[i].alignement, Alignement_Attendu(attendus[i].Alignement));
  }
  EXPECT_EQ(lus.front().texte, L"Récap KORVEX — mois 02-2024");
  EXPECT_EQ(lus.back().texte, L"Page 1 / 1");
  // The label cut to its column, measured by GDI itself, ends before the next column.
  const recap::TFormat_Page a4;
  const double fin_libelles = a4.Marge + 0.52 * (a4.Largeur - 2 * a4.Marge);
  int coupes = 0;
  for (const auto& t : lus) {
    if (t.texte.rfind(L"Contribution", 0) != 0) continue;
    ++coupes;
    EXPECT_EQ(t.texte.back(), L'…');
    EXPECT_LE(t.cadre.right, std::lround(fin_libelles * par_point_x));
  }
  EXPECT_EQ(coupes, 1);
}

// A context that is no printer refuses the job: the French message, nothing left open.
TEST(Impression_Gdi, Travail_Refuse) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(test::Message_Erreur([&] { Imprimer_Tableau_Gdi(dc, Tableau(), "Récap KORVEX 02-2024"); }),
            textes::Impression_Echouee);
  DeleteDC(dc);
}
