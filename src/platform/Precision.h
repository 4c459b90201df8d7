// The precision of the x87 unit, which adds every amount: a 64-bit mantissa, rounding to
// nearest. Windows x64 starts a thread at 53 bits; whether its runtime then resets the unit is
// not ours to rely on, so every thread that adds amounts sets it first.
#pragma once

namespace plateforme {

// Sets the calling thread's x87 precision to a 64-bit mantissa and its rounding to nearest,
// leaving the exception masks as they are. Does nothing where there is no x87 control word.
void Fixer_Precision_Etendue() noexcept;

// The calling thread's x87 mantissa in bits (24, 53 or 64); 0 where there is no control word.
int Precision_Courante() noexcept;

// Sets the mantissa to 24, 53 or 64 bits, as another runtime would leave it: for tests.
void Fixer_Precision(int Bits) noexcept;

}  // namespace plateforme
