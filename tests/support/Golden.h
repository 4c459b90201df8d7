// The sample folder's golden outputs (tests/golden/exemple): tests that need the sample's figures
// read them here rather than writing them again.
#pragma once

#include <string>
#include <vector>

namespace test {

// What korvex-recap writes, under the C locale, for the sample folder given as .\KORVEX: for a
// case, a month ("02-2024") or a period ("01-2024_03-2024"), in a format ("tsv", "csv", "json",
// "resume"). Raises std::runtime_error when the golden has no such file.
std::string Golden(const std::string& cas, const std::string& format);

// The command-line arguments of a case after the folder: its month, or its two months.
std::vector<std::string> Mois_Du_Cas(const std::string& cas);

}  // namespace test
