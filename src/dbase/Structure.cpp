#include "dbase/Structure.h"

#include <memory>

#include "platform/Textes.h"
#include "platform/Erreurs.h"
#include "dbase/Format.h"
#include "dbase/Pages_Code.h"

namespace dbase::interne {

using plateforme::EKorvex;
using namespace format;

namespace {

std::string Hexa2(uint8_t octet) {
  const char* chiffres = "0123456789ABCDEF";
  return std::string("0x") + chiffres[octet >> 4] + chiffres[octet & 15];
}

bool Famille_De_Version(uint8_t version, TFamille& famille) {
  switch (version) {
    case 0x30: case 0x31: case 0x32: famille = TFamille::VisualFoxPro; return true;
    case 0xF5: famille = TFamille::FoxPro; return true;
    case 0x03: case 0x83: famille = TFamille::DBase3; return true;
    default: break;
  }
  if ((version & 0x07) == 4) famille = TFamille::DBase7;
  else if ((version & 0x07) == 3 || version == 0x8E) famille = TFamille::DBase4;  // IV, 5, SQL
  else return false;
  return true;
}

TGenre Genre_De_Type(char type, TFamille famille) {
  const bool vfp = famille == TFamille::VisualFoxPro;
  const bool fox = vfp || famille == TFamille::FoxPro;
  const bool d7 = famille == TFamille::DBase7;
  switch (type) {
    case 'C': return TGenre::Texte;
    case 'N': case 'F': return TGenre::Numerique;
    case 'L': return TGenre::Logique;
    case 'D': return TGenre::Date;
    case 'M': return TGenre::Memo;
    case 'I': return TGenre::Entier;
    case '+': return d7 ? TGenre::Entier : TGenre::Autre;
    case 'B': return vfp ? TGenre::Double : TGenre::MemoBinaire;
    case 'G': case 'P': return TGenre::MemoBinaire;
    case 'W': return vfp ? TGenre::MemoBinaire : TGenre::Autre;
    case 'O': return d7 ? TGenre::Double : TGenre::Autre;
    case 'Y': return fox ? TGenre::Monnaie : TGenre::Autre;
    case 'T': return fox ? TGenre::DateHeure : TGenre::Autre;
    case '@': return d7 ? TGenre::Horodatage : TGenre::Autre;
    case 'V': return vfp ? TGenre::VarTexte : TGenre::Autre;
    case 'Q': return vfp ? TGenre::VarBinaire : TGenre::Autre;
    case '0': return vfp ? TGenre::Indicateurs : TGenre::Autre;
    default: return TGenre::Autre;
  }
}

// Fixed-size binary kinds: a field of another length would be read past its end.
uint32_t Longueur_Imposee(TGenre genre) {
  switch (genre) {
    case TGenre::Entier: return 4;
    case TGenre::Double: case TGenre::Monnaie: case TGenre::DateHeure: case TGenre::Horodatage: return 8;
    default: return 0;
  }
}

std::string Nom_Champ(const unsigned char* p, size_t taille, const TPageCode& page) {
  size_t n = 0;
  while (n < taille && p[n] != 0) ++n;
  while (n > 0 && p[n - 1] == ' ') --n;
  std::string nom;
  Ajouter_Depuis_Page(nom, reinterpret_cast<const char*>(p), n, page);
  return nom;
}

TChamp Lire_Descripteur(const unsigned char* d, const TStructure& s, const TPageCode& page,
                        const std::string& chemin, uint8_t& drapeaux) {
  const bool d7 = s.famille == TFamille::DBase7;
  TChamp c;
  c.nom = Nom_Champ(d, d7 ? Taille_Nom_Champ_DBase7 : Taille_Nom_Champ, page);
  c.type = static_cast<char>(d[d7 ? Descripteur_Type_DBase7 : Descripteur_Type]);
  c.genre = Genre_De_Type(c.type, s.famille);
  c.longueur = d[d7 ? Descripteur_Longueur_DBase7 : Descripteur_Longueur];
  c.decimales = d[d7 ? Descripteur_Decimales_DBase7 : Descripteur_Decimales];
  // Clipper and FoxPro keep the high byte of a long character field's length in its decimals.
  if (!d7 && c.genre == TGenre::Texte) {
    c.longueur += static_cast<uint32_t>(c.decimales) << 8;
    c.decimales = 0;
  }
  drapeaux = s.famille == TFamille::VisualFoxPro ? d[Descripteur_Drapeaux_VFP] : 0;
  c.cache = c.genre == TGenre::Indicateurs || (drapeaux & Drapeau_Systeme_VFP) != 0;
  c.gros_boutiste_signe = d7;
  if (c.genre == TGenre::Date && c.longueur != 8) c.genre = TGenre::Autre;
  const uint32_t imposee = Longueur_Imposee(c.genre);
  if (imposee != 0 && c.longueur != imposee)
    Erreur_Table(chemin, textes::Longueur_Champ_Imposee(c.nom, c.type, c.longueur, imposee));
  return c;
}

// Visual FoxPro numbers the bits of _NullFlags in field order: a varchar's length bit first,
// then its null bit.
void Numeroter_Indicateurs(TStructure& s, const std::vector<uint8_t>& drapeaux) {
  int bit = 0;
  for (size_t i = 0; i < s.champs.size(); ++i) {
    TChamp& c = s.champs[i];
    if (c.genre == TGenre::Indicateurs) {
      if (s.indicateurs < 0) s.indicateurs = static_cast<int>(i);
      continue;
    }
    if (c.genre == TGenre::VarTexte || c.genre == TGenre::VarBinaire) c.bit_longueur = bit++;
    if (drapeaux[i] & Drapeau_Nul_Permis_VFP) c.bit_nul = bit++;
  }
  const int bits = s.indicateurs < 0 ? 0 : static_cast<int>(s.champs[s.indicateurs].longueur) * 8;
  for (TChamp& c : s.champs) {
    if (c.bit_longueur >= bits) c.bit_longueur = -1;
    if (c.bit_nul >= bits) c.bit_nul = -1;
  }
}

// The descriptors, up to their 0x0D; returns the position of that mark.
uint32_t Lire_Descripteurs(const unsigned char* e, TStructure& s, const std::string& chemin) {
  const bool d7 = s.famille == TFamille::DBase7;
  const uint32_t pas = d7 ? Taille_Descripteur_DBase7 : Taille_Descripteur;
  const TPageCode& page = Page_Code(s.page_code);
  std::vector<uint8_t> drapeaux;
  uint32_t position = d7 ? Taille_Entete_DBase7 : Taille_Entete;
  uint32_t decalage = 1;  // the deletion byte
  while (position < s.longueur_entete && e[position] != Fin_Descripteurs) {
    if (position + pas > s.longueur_entete)
      Erreur_Table(chemin, textes::Descripteurs_Sans_Fin);
    uint8_t d = 0;
    TChamp c = Lire_Descripteur(e + position, s, page, chemin, d);
    c.decalage = decalage;
    decalage += c.longueur;
    s.a_memo = s.a_memo || c.genre == TGenre::Memo || c.genre == TGenre::MemoBinaire;
    s.champs.push_back(std::move(c));
    drapeaux.push_back(d);
    position += pas;
  }
  if (position >= s.longueur_entete)
    Erreur_Table(chemin, textes::Descripteurs_Sans_Fin);
  if (decalage != s.longueur_enregistrement)
    Erreur_Table(chemin, textes::Enregistrement_Incoherent(s.longueur_enregistrement, decalage));
  if (s.famille == TFamille::VisualFoxPro) Numeroter_Indicateurs(s, drapeaux);
  return position;
}

// Between the descriptors' end mark and the first record lie only padding bytes (after the
// Visual FoxPro link to its database): a header length grown over the first records would
// shift every field. dBase 7 may keep field properties there.
void Verifier_Bourrage(const unsigned char* e, uint32_t fin, const TStructure& s, const std::string& chemin) {
  if (s.famille == TFamille::DBase7) return;
  const uint32_t debut = fin + 1 + (s.famille == TFamille::VisualFoxPro ? Taille_Lien_Base_VFP : 0);
  for (uint32_t i = debut; i < s.longueur_entete; ++i) {
    if (e[i] != 0 && e[i] != Fin_Descripteurs && e[i] != static_cast<unsigned char>(Marque_Fin_Table))
      Erreur_Table(chemin, textes::Entete_Incoherente(s.longueur_entete));
  }
}

}  // namespace

void Erreur_Table(const std::string& chemin, const std::string& detail) {
  throw EKorvex(textes::Table_Endommagee(chemin, detail));
}

TStructure Lire_Structure(const plateforme::TFichierLecture& fichier, const std::string& chemin) {
  const uint64_t taille = fichier.Taille();
  unsigned char base[Taille_Entete];
  if (taille < Taille_Entete || fichier.Lire(0, base, Taille_Entete) < Taille_Entete)
    throw EKorvex(textes::Table_Trop_Courte(chemin, taille));
  TStructure s;
  s.version = base[Entete_Version];
  if (!Famille_De_Version(s.version, s.famille))
    throw EKorvex(textes::Table_Non_Reconnue(chemin, Hexa2(s.version)));
  s.nombre_annonce = Lire_32_Petit(base + Entete_Nombre_Enregistrements);
  s.longueur_entete = Lire_16_Petit(base + Entete_Longueur_Entete);
  s.longueur_enregistrement = Lire_16_Petit(base + Entete_Longueur_Enregistrement);
  if (s.longueur_entete > taille)
    throw EKorvex(textes::Table_Plus_Courte_Que_Entete(chemin, taille, s.longueur_entete));
  const uint32_t minimum = (s.famille == TFamille::DBase7 ? Taille_Entete_DBase7 : Taille_Entete) + 1;
  if (s.longueur_entete < minimum)
    Erreur_Table(chemin, textes::Entete_Trop_Petite(s.longueur_entete));
  std::unique_ptr<unsigned char[]> e(new unsigned char[s.longueur_entete]);
  if (fichier.Lire(0, e.get(), s.longueur_entete) < s.longueur_entete)
    throw EKorvex(textes::Entete_Tronquee(chemin));
  if (s.famille == TFamille::DBase7) {
    std::string nom(reinterpret_cast<const char*>(e.get()) + Entete_Nom_Pilote_DBase7, Taille_Nom_Pilote_DBase7);
    s.page_code = Page_De_Nom_Pilote(nom.substr(0, nom.find('\0')));
  } else {
    s.page_code = Page_De_Pilote(base[Entete_Pilote]);
  }
  const uint32_t fin = Lire_Descripteurs(e.get(), s, chemin);
  if (s.famille == TFamille::VisualFoxPro && s.longueur_entete < fin + 1 + Taille_Lien_Base_VFP)
    Erreur_Table(chemin, textes::Entete_Incoherente(s.longueur_entete));
  Verifier_Bourrage(e.get(), fin, s, chemin);
  return s;
}

}  // namespace dbase::interne
