// What the code relies on and no input can break, checked in the test and sanitizer builds
// (KORVEX_INVARIANTS); the program itself does not pay for the checks.
#pragma once

namespace plateforme {

// Writes what broke, where, and ends the process: a broken invariant is a fault of ours.
[[noreturn]] void Invariant_Rompu(const char* Condition, const char* Fichier, int Ligne) noexcept;

}  // namespace plateforme

#ifdef KORVEX_INVARIANTS
#define KORVEX_INVARIANT(condition) \
  ((condition) ? static_cast<void>(0) : ::plateforme::Invariant_Rompu(#condition, __FILE__, __LINE__))
#else
#define KORVEX_INVARIANT(condition) static_cast<void>(0)
#endif
