// Tab in a window of ours. Qt links the controls of a window and of the windows it owns in one
// chain, so that Tab would leave the comparison for the main window: each window goes round its
// own controls instead.
#pragma once

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <vector>

// The focus to the control after (or before) the one that has it, in that order, wrapping
// round; true, as focusNextPrevChild returns when the key is handled.
inline bool Tabuler(const std::vector<QWidget*>& Ordre, bool Suivant) {
  if (Ordre.empty()) return false;
  const auto courant = std::find(Ordre.begin(), Ordre.end(), QApplication::focusWidget());
  const long n = static_cast<long>(Ordre.size());
  long i = courant == Ordre.end() ? (Suivant ? -1 : 0) : courant - Ordre.begin();
  for (long pas = 0; pas < n; ++pas) {  // a disabled or hidden control is passed over
    i = ((Suivant ? i + 1 : i - 1) % n + n) % n;
    QWidget* w = Ordre[static_cast<size_t>(i)];
    if (w->isEnabled() && w->isVisible()) {
      w->setFocus(Suivant ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return true;
}
