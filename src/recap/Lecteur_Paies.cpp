#include "recap/Lecteur_Paies.h"

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Invariant.h"
#include "platform/Octets.h"
#include "platform/Raccourcis.h"
#include "platform/Textes.h"

namespace recap::interne {

using plateforme::EKorvex;

namespace {

std::optional<dbase::TField> Champ(const dbase::TTable& table, const char* nom) {
  for (const dbase::TField& f : table.Fields())
    if (plateforme::Egal_Sans_Casse(f.FieldName(), nom)) return f;
  return std::nullopt;
}

}  // namespace

void Ouvrir_Paies(dbase::TTable& Table, const TSource& Source) {
  Table.TableType = dbase::TTableType::ttDBase;
  Table.DatabaseName = Source.Chemin;
  Table.TableName = "PAIES.DBF";
  Table.NomAffiche = Source.Nom;
  Table.Injecteur = Source.Injecteur;
  Table.Open();
}

void Avertir_Table(const std::string& Nom, const std::vector<dbase::TOmission>& Omissions,
                   TAvertissements& Avertissements) {
  for (const dbase::TOmission& o : Omissions) {
    Avertissements.push_back(
        textes::Avertissement_Table(Nom, dbase::Texte_Dommage(o), textes::Non_Lus(o.Premier, o.Dernier)));
    Avertissements.Non_Comptes += o.Dernier - o.Premier + 1;
    Avertissements.Noter({o.Premier, o.Dernier, o.Dernier - o.Premier + 1, std::nullopt, std::nullopt, 0});
  }
}

TLecteur::TLecteur(const TSource& Source, const TControle_Paies& Controle, TDecodage* Decodage)
    : nom_(Source.Nom), controle_(Controle), decodage_(Decodage), meme_mois_(plateforme::Raccourcis().Meme_Mois) {
  Ouvrir_Paies(table_, Source);
}

bool TLecteur::Lire_Lot(int64_t Premier, int64_t Dernier, const TChoix& Choix, const TVisiteur& Visiteur) {
  dbase::TSerie serie;
  if (!table_.Lire_Serie(Premier, Dernier, serie)) return false;
  for (;;) {
    Lire_Serie(serie, Choix, Visiteur);
    const int64_t suivant = serie.Premier + serie.Nombre;
    if (suivant > Dernier || !table_.Lire_Serie(suivant, Dernier, serie)) return true;
  }
}

// The memo pointers, when the table has them, noted for every record from the first series.
void TLecteur::Trouver_Champs() {
  champs_cherches_ = true;
  const auto montants = Champ(table_, "MONTANTS");
  if (montants && montants->DataType() == dbase::TFieldType::ftMemo) {
    pointeurs_ = montants->Serie();
    blocs_ = TBlocs_Vus(table_.Blocs_Memo());
  }
}

// Every record of most months goes through here unread: what it costs a record is kept to a
// few words read in place, the fields' places and the last month held in locals.
void TLecteur::Lire_Serie(const dbase::TSerie& Serie, const TChoix& Choix, const TVisiteur& Visiteur) {
  if (!champs_cherches_) Trouver_Champs();
  if (pointeurs_) blocs_.Noter_Serie(Serie, *pointeurs_);
  dbase::TChamp_Serie champ_mois = mois_ ? *mois_ : dbase::TChamp_Serie();
  const char* e = Serie.Octets;
  const int64_t nombre = Serie.Nombre, premier = Serie.Premier;
  const size_t longueur = Serie.Longueur;
  for (int64_t k = 0; k < nombre; ++k, e += longueur) {
    // The records of a month not read, one after the other: two words compared and the next.
    if (connu_ && !choix_connu_ && !champ_mois.Peut_Etre_Nul()) {
      const size_t decalage = champ_mois.Decalage();
      const uint32_t debut = debut_connu_, fin = fin_connu_;
      while (k < nombre && (*e != ' ' || (plateforme::Lire_32_Petit(e + decalage) == debut &&
                                          plateforme::Lire_32_Petit(e + decalage + 3) == fin))) {
        ++k;
        e += longueur;
      }
      if (k == nombre) break;
    }
    if (*e != ' ') continue;  // deleted, or a wrong flag that the table notes
    if (!mois_) champ_mois = *(mois_ = table_.FieldByName("MOIS").Serie());
    // A month known is seven bytes at least: its two words can be read.
    const char* mois = champ_mois.Octets(e).data();
    if (connu_ && plateforme::Lire_32_Petit(mois) == debut_connu_ && plateforme::Lire_32_Petit(mois + 3) == fin_connu_ &&
        !champ_mois.Nul(e)) {
      if (choix_connu_) Lire_Bulletin(premier + k, *choix_connu_, Visiteur);
      continue;
    }
    if (const std::optional<int> choix = Choisir(Choix, premier + k, e)) Lire_Bulletin(premier + k, *choix, Visiteur);
  }
}

// The choice for a record whose month bytes are not those of the last month met: none for a
// month that is none, which is noted, whatever the caller retains.
std::optional<int> TLecteur::Choisir(const TChoix& Choix, int64_t Numero, const char* Enregistrement) {
  const std::string_view octets = mois_->Nul(Enregistrement) ? std::string_view() : mois_->Octets(Enregistrement);
  const std::string_view debut = octets.substr(0, 7);
  if (!Mois_Valide(debut)) {
    mois_vus_.Noter(Numero, octets);
    return std::nullopt;
  }
  mois_vus_.Noter_Valide(debut);
  const std::optional<int> choix = Choix(debut);
  if (meme_mois_) {
    connu_ = true;
    debut_connu_ = plateforme::Lire_32_Petit(debut.data());
    fin_connu_ = plateforme::Lire_32_Petit(debut.data() + 3);
    choix_connu_ = choix;
  }
  return choix;
}

void TLecteur::Lire_Bulletin(int64_t Numero, int Choix, const TVisiteur& Visiteur) {
  if (controle_.Exclu(Numero)) return;
  if (!montants_) {
    montants_ = table_.FieldByName("MONTANTS");
    if (montants_->DataType() != dbase::TFieldType::ftMemo)
      throw EKorvex(textes::Table_Endommagee(nom_, textes::Champ_Pas_Memo(montants_->FieldName())));
  }
  // The record lies in the series: making it current moves no window.
  table_.Aller_A(Numero);
  KORVEX_INVARIANT(table_.RecNo() == Numero);
  const TBulletin bulletin{Numero, [this] { return Champs_Bulletin(table_); }, decodage_};
  std::string_view texte;
  try {
    texte = montants_->Texte(texte_memo_);
  } catch (const dbase::EMemo_Illisible& e) {
    return Omettre(bulletin, e.Defaut(), e.Fichier_Memo());
  }
  if (!Est_Texte_Memo(texte)) return Omettre(bulletin, textes::Memo_Pas_Texte, table_.Fichier_Memo());
  // Every memo the payroll application writes ends its first line: text without a CR is what
  // is left of one cut by a stray end mark, and it would count as a payslip without amounts.
  if (!texte.empty() && texte.find('\r') == std::string_view::npos)
    return Omettre(bulletin, textes::Memo_Sans_Ligne, table_.Fichier_Memo());
  KORVEX_INVARIANT(decodage_ != nullptr);
  try {
    Memo_Montants_Decoder(texte, *decodage_);
  } catch (const EPas_Texte&) {
    return Omettre(bulletin, textes::Memo_Pas_Texte, table_.Fichier_Memo());
  } catch (const EKorvex& e) {
    throw EKorvex(std::string(e.what()) + "\n" +
                  textes::Bulletin_En_Cause(bulletin.Enregistrement, nom_, Identite(bulletin.Champs())));
  }
  Visiteur(Choix, bulletin);
}

void TLecteur::Omettre(const TBulletin& Bulletin, const std::string& Defaut, const std::string& Memo) {
  TChamps_Bulletin champs = Bulletin.Champs();
  avertissements_.push_back(
      textes::Avertissement_Memo(Bulletin.Enregistrement, nom_, Identite(champs), montants_->FieldName(), Defaut, Memo));
  ++avertissements_.Non_Comptes;
  // Its record is sound: who it is and its month are known, only its amounts are not.
  const std::string mois = table_.FieldByName("MOIS").AsString().substr(0, 7);
  avertissements_.Noter({Bulletin.Enregistrement, Bulletin.Enregistrement, 1, mois, std::move(champs), 0});
}

}  // namespace recap::interne
