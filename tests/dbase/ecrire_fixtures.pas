{ Writes the Free Pascal TDbf fixtures of tests/dbase/fixtures (Debian's fpc and fp-units-db:
  `bash scripts/installer-dependances.sh fixtures` installs them).
  Build and run from the repository root:
    fpc -o/tmp/ecrire_fixtures -FU/tmp tests/dbase/ecrire_fixtures.pas && /tmp/ecrire_fixtures tests/dbase/fixtures }
program ecrire_fixtures;

{$mode objfpc}{$H+}{$codepage utf8}

uses
  cwstring, SysUtils, Classes, DB, dbf, dbf_fields;

type
  { The texts are already in the table's code page: TDbf must store their bytes as they are. }
  TTraducteur = class
    function Traduire(Table: TDbf; Src, Dest: PChar; ToOem: Boolean): Integer;
    procedure Page_Inconnue(Table: TDbf; var Action: TDbfLanguageAction);
  end;

{ Linux has no translation for the DOS pages; ours needs none, so the table stays writable. }
procedure TTraducteur.Page_Inconnue(Table: TDbf; var Action: TDbfLanguageAction);
begin
  Action := laForceANSI;
end;

function TTraducteur.Traduire(Table: TDbf; Src, Dest: PChar; ToOem: Boolean): Integer;
begin
  StrCopy(Dest, Src);
  Result := -1;
end;

{ The bytes of a UTF-8 text in code page Page, marked as the system's so that no one converts them again. }
function En_Page(const Texte: UTF8String; Page: Word): AnsiString;
var
  Brut: RawByteString;
begin
  Brut := Texte;
  SetCodePage(Brut, Page, True);
  SetCodePage(Brut, DefaultSystemCodePage, False);
  Result := Brut;
end;

procedure Champ(Defs: TDbfFieldDefs; const Nom: string; TypeNatif: Char; Taille, Decimales: Integer);
begin
  with Defs.AddFieldDef do
  begin
    FieldName := Nom;
    NativeFieldType := TypeNatif;
    if Taille > 0 then Size := Taille;
    Precision := Decimales;
  end;
end;

function Memo_Long: UTF8String;
var
  R: Integer;
begin
  Result := 'Bulletin de mars 2011'#13#10;
  for R := 1 to 60 do
    Result := Result + Format('%.3d%d.%.2d', [R, R * 10, R mod 100]) + #13#10;
end;

procedure Ecrire(const Dossier: string; Niveau: Integer; Pilote: Byte; Page: Word);
var
  Table: TDbf;
  Defs: TDbfFieldDefs;
  Traducteur: TTraducteur;
  Entier: Char;

  procedure Ajouter(const Nom, Mois: UTF8String; Classe: Integer; const Taux: string; Actif: Boolean;
                    Jour: TDateTime; const Memo: UTF8String);
  begin
    Table.Append;
    Table.FieldByName('NOM').AsString := En_Page(Nom, Page);
    Table.FieldByName('MOIS').AsString := Mois;
    Table.FieldByName('CLASSE').AsInteger := Classe;
    Table.FieldByName('TAUX').AsFloat := StrToFloat(Taux, DefaultFormatSettings);
    Table.FieldByName('ACTIF').AsBoolean := Actif;
    if Jour <> 0 then Table.FieldByName('NAISSANCE').AsDateTime := Jour;
    if Memo <> '' then Table.FieldByName('MONTANTS').AsString := En_Page(Memo, Page);
    Table.Post;
  end;

begin
  DefaultFormatSettings.DecimalSeparator := '.';
  Traducteur := TTraducteur.Create;
  Table := TDbf.Create(nil);
  Defs := TDbfFieldDefs.Create(nil);
  try
    Table.FilePathFull := Dossier;
    Table.TableName := 'tdbf_' + IntToStr(Niveau) + '.dbf';
    Table.TableLevel := Niveau;
    if Pilote <> 0 then Table.LanguageID := Pilote;
    Table.OnTranslate := @Traducteur.Traduire;
    Table.OnLanguageWarning := @Traducteur.Page_Inconnue;
    { An integer column where the level has one, a numeric one elsewhere. }
    if Niveau in [7, 30] then Entier := 'I' else Entier := 'N';
    Champ(Defs, 'NOM', 'C', 20, 0);
    Champ(Defs, 'MOIS', 'C', 10, 0);
    if Entier = 'I' then Champ(Defs, 'CLASSE', 'I', 4, 0) else Champ(Defs, 'CLASSE', 'N', 3, 0);
    Champ(Defs, 'TAUX', 'N', 8, 2);
    Champ(Defs, 'ACTIF', 'L', 1, 0);
    Champ(Defs, 'NAISSANCE', 'D', 8, 0);
    Champ(Defs, 'MONTANTS', 'M', 0, 0);  { the pointer size of the level }
    Table.CreateTableEx(Defs);
    Table.Open;
    Ajouter('Élève Noël', '03-2011', 1, '1.5', True, EncodeDate(2011, 3, 15), Memo_Long);
    Ajouter('Sans mémo', '03-2011/2', 2, '2.5', False, 0, '');
    Ajouter('Supprimé', '03-2011', 3, '0.5', True, EncodeDate(1999, 12, 31), 'Entête'#13#10'002100.00'#13#10);
    Ajouter('Façade', '04-2011', -2, '-3.5', False, EncodeDate(2000, 1, 1), 'Prime d''été'#13#10'0011520.00'#13#10);
    Table.First;
    Table.MoveBy(2);
    Table.Delete;
    Table.Close;
  finally
    Defs.Free;
    Table.Free;
    Traducteur.Free;
  end;
end;

var
  Dossier: string;
begin
  Dossier := IncludeTrailingPathDelimiter(ExpandFileName(ParamStr(1)));
  { Level 3 writes no language driver (byte 0): the texts are then in the Windows page. }
  Ecrire(Dossier, 3, $00, 1252);
  Ecrire(Dossier, 4, $02, 850);
  Ecrire(Dossier, 7, $57, 1252);
  Ecrire(Dossier, 25, $03, 1252);
  Ecrire(Dossier, 30, $03, 1252);
end.
