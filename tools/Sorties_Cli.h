// The exit statuses of korvex-recap, whatever it computes: scripts test them.
#pragma once

namespace cli {

inline constexpr int Sortie_Succes = 0;
inline constexpr int Sortie_Message = 1;  // one of the program's own messages
inline constexpr int Sortie_Erreur = 2;   // an error, as the error box shows it
inline constexpr int Sortie_Avertissements = 3;  // printed, with warnings: some payslips were left out
inline constexpr int Sortie_Usage = 64;   // bad arguments

}  // namespace cli
