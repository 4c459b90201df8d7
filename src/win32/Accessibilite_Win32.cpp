#include "win32/Accessibilite_Win32.h"

#include <oleacc.h>

#include <atomic>
#include <string>

#include "platform/Caracteres.h"
#include "platform/Textes.h"

namespace win32 {

namespace {

HRESULT Texte_Com(const std::string& utf8, BSTR* sortie) {
  if (sortie == nullptr) return E_POINTER;
  const std::wstring texte = plateforme::Vers_Utf16(utf8);
  *sortie = SysAllocStringLen(texte.data(), static_cast<UINT>(texte.size()));
  return *sortie != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The grid's client area: the cells are ours, the rest (the window's place, its parent, its
// keyboard shortcut...) is the system's standard object's.
class TAccessibleGrille : public IAccessible {
public:
  TAccessibleGrille(HWND hwnd, IAccessible* standard) : hwnd_(hwnd), standard_(standard) {}
  virtual ~TAccessibleGrille() { standard_->Release(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** objet) override {
    if (objet == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *objet = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *objet = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG reste = --references_;
    if (reste == 0) delete this;
    return reste;
  }

  // IDispatch: clients call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    if (n == nullptr) return E_POINTER;
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return standard_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
    const TGrille_Lisible* g = Grille();
    if (n == nullptr) return E_POINTER;
    if (g == nullptr) return E_FAIL;
    *n = g->Tableau_Lu().Nombre_Rangees() * g->Tableau_Lu().Nombre_Colonnes();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** p) override {
    if (p == nullptr) return E_POINTER;
    *p = nullptr;
    return S_FALSE;  // cells are simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT enfant, BSTR* nom) override {
    const TGrille_Lisible* g = Grille();
    if (g == nullptr) return E_FAIL;
    if (Soi(enfant)) return Texte_Com(g->Nom_Lu(), nom);
    int col, ligne;
    if (!Cellule(*g, enfant, col, ligne)) return E_INVALIDARG;
    return Texte_Com(recap::Nom_Accessible(g->Tableau_Lu(), col, ligne), nom);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT enfant, BSTR* valeur) override {
    const TGrille_Lisible* g = Grille();
    if (g == nullptr) return E_FAIL;
    if (Soi(enfant)) return standard_->get_accValue(enfant, valeur);
    int col, ligne;
    if (!Cellule(*g, enfant, col, ligne)) return E_INVALIDARG;
    return Texte_Com(g->Tableau_Lu().Texte(col, ligne), valeur);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT enfant, BSTR* d) override {
    if (Soi(enfant)) return standard_->get_accDescription(enfant, d);
    const TGrille_Lisible* g = Grille();
    int col, ligne;
    if (g == nullptr || !Cellule(*g, enfant, col, ligne)) return E_INVALIDARG;
    if (ligne > 0 && g->Tableau_Lu().Lignes[static_cast<size_t>(ligne - 1)].A_Signaler)
      return Texte_Com(textes::Ligne_A_Signaler, d);
    if (d != nullptr) *d = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT enfant, VARIANT* role) override {
    if (Soi(enfant)) return Entier(ROLE_SYSTEM_TABLE, role);
    const TGrille_Lisible* g = Grille();
    int col, ligne;
    if (g == nullptr || !Cellule(*g, enfant, col, ligne)) return E_INVALIDARG;
    return Entier(col == 0 ? ROLE_SYSTEM_ROWHEADER : ligne == 0 ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_CELL, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT enfant, VARIANT* etat) override {
    if (Soi(enfant)) return standard_->get_accState(enfant, etat);
    const TGrille_Lisible* g = Grille();
    int col, ligne;
    if (g == nullptr || !Cellule(*g, enfant, col, ligne)) return E_INVALIDARG;
    long e = STATE_SYSTEM_READONLY;
    if (col > 0 && ligne > 0) {
      e |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
      const recap::TZone choix = g->Selection(), courante = g->Cellule_Courante();
      if (choix.Contient(col, ligne)) e |= STATE_SYSTEM_SELECTED;
      if (GetFocus() == hwnd_ && col == courante.Gauche && ligne == courante.Haut) e |= STATE_SYSTEM_FOCUSED;
    }
    if (const RECT r = Rectangle(*g, col, ligne); IsRectEmpty(&r)) e |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    return Entier(e, etat);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT enfant, BSTR* aide) override {
    if (Soi(enfant)) return standard_->get_accHelp(enfant, aide);
    if (aide != nullptr) *aide = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT enfant, long* sujet) override {
    return standard_->get_accHelpTopic(f, enfant, sujet);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT enfant, BSTR* r) override {
    if (Soi(enfant)) return standard_->get_accKeyboardShortcut(enfant, r);
    if (r != nullptr) *r = nullptr;
    return S_FALSE;
  }
  // The current cell when the grid has the focus.
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    const TGrille_Lisible* g = Grille();
    if (focus == nullptr) return E_POINTER;
    VariantInit(focus);
    if (g == nullptr || GetFocus() != hwnd_) return S_FALSE;
    const recap::TZone c = g->Cellule_Courante();
    return Entier(Identifiant_Cellule(g->Tableau_Lu().Nombre_Colonnes(), c.Gauche, c.Haut), focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* choix) override { return get_accFocus(choix); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT enfant, BSTR* a) override {
    if (Soi(enfant)) return standard_->get_accDefaultAction(enfant, a);
    if (a != nullptr) *a = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long drapeaux, VARIANT enfant) override {
    if (Soi(enfant)) return standard_->accSelect(drapeaux, enfant);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* l, long* h, VARIANT enfant) override {
    if (Soi(enfant)) return standard_->accLocation(x, y, l, h, enfant);
    const TGrille_Lisible* g = Grille();
    int col, ligne;
    if (g == nullptr || !Cellule(*g, enfant, col, ligne)) return E_INVALIDARG;
    if (x == nullptr || y == nullptr || l == nullptr || h == nullptr) return E_POINTER;
    RECT r = Rectangle(*g, col, ligne);
    MapWindowPoints(hwnd_, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    *x = r.left, *y = r.top, *l = r.right - r.left, *h = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long sens, VARIANT depart, VARIANT* fin) override {
    return standard_->accNavigate(sens, depart, fin);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* enfant) override {
    return standard_->accHitTest(x, y, enfant);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT enfant) override {
    if (Soi(enfant)) return standard_->accDoDefaultAction(enfant);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  // The grid may be gone while a screen reader still holds this object.
  const TGrille_Lisible* Grille() const {
    return IsWindow(hwnd_) ? reinterpret_cast<const TGrille_Lisible*>(SendMessageW(hwnd_, Message_Grille_Lisible, 0, 0))
                           : nullptr;
  }
  static bool Soi(const VARIANT& enfant) { return enfant.vt == VT_I4 && enfant.lVal == CHILDID_SELF; }
  static bool Cellule(const TGrille_Lisible& g, const VARIANT& enfant, int& col, int& ligne) {
    const int colonnes = g.Tableau_Lu().Nombre_Colonnes();
    if (enfant.vt != VT_I4 || enfant.lVal < 1 || colonnes == 0) return false;
    col = (enfant.lVal - 1) % colonnes;
    ligne = (enfant.lVal - 1) / colonnes;
    return ligne < g.Tableau_Lu().Nombre_Rangees();
  }
  static RECT Rectangle(const TGrille_Lisible& g, int col, int ligne) { return g.Rectangle_Cellule(col, ligne); }
  static HRESULT Entier(long valeur, VARIANT* sortie) {
    if (sortie == nullptr) return E_POINTER;
    sortie->vt = VT_I4;
    sortie->lVal = valeur;
    return S_OK;
  }

  HWND hwnd_;
  IAccessible* standard_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

LONG Identifiant_Cellule(int colonnes, int col, int ligne) { return ligne * colonnes + col + 1; }

LRESULT Repondre_Accessibilite(HWND grille, WPARAM wp) {
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(grille, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
    return 0;
  auto* objet = new TAccessibleGrille(grille, standard);
  const LRESULT reponse = LresultFromObject(IID_IAccessible, wp, objet);
  objet->Release();  // LresultFromObject keeps its own reference
  return reponse;
}

void Annoncer_Cellule_Courante(HWND grille, LONG identifiant) {
  if (GetFocus() != grille) return;
  NotifyWinEvent(EVENT_OBJECT_FOCUS, grille, OBJID_CLIENT, identifiant);
}

}  // namespace win32
