// What the code relies on and no input can break, checked in every build: a broken invariant is
// a fault of ours, and no figure computed past it can be trusted. The program then raises an
// error that its handler's guard shows, the rename undone on the way; the tests and the fuzzers
// stop at once instead, so that the fault is found with its stack. The checks sit where faults
// hide and cost a comparison each, off the per-amount paths.
#pragma once

#include <stdexcept>

namespace plateforme {

// A broken invariant, when the program carries on: what() is the French message.
class EInvariant : public std::logic_error {
public:
  using std::logic_error::logic_error;
};

// Raises EInvariant, or writes what broke, where, and ends the process when that was asked.
[[noreturn]] void Invariant_Rompu(const char* Condition, const char* Fichier, int Ligne);

// The tests' mains ask for a broken invariant to end the process (the fuzzing build always does).
void Arreter_Sur_Invariant(bool Arreter) noexcept;

}  // namespace plateforme

#define KORVEX_INVARIANT(condition) \
  ((condition) ? static_cast<void>(0) : ::plateforme::Invariant_Rompu(#condition, __FILE__, __LINE__))
