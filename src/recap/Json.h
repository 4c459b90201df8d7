// The JSON documents of the tables, as korvex-recap prints them: figures as the grid shows them,
// a text that is not UTF-8 replaced rather than costing the whole document. The shapes live here,
// beside the views, so that every program that prints them prints the same.
#pragma once

#include <string>

#include "recap/Comparaison.h"
#include "recap/Controles.h"
#include "recap/Cumuls.h"
#include "recap/Detail.h"
#include "recap/Resume.h"
#include "recap/Tableau.h"
#include "recap/Vues_Salaries.h"

namespace recap {

// The recap of a calculation, its rows read from the table the grid shows.
std::string Json_Recap(const TCalcul& Calcul, const TTableau& Tableau);
std::string Json_Comparaison(const TComparaison& Comparaison);
std::string Json_Cumuls(const TCumuls& Cumuls);
std::string Json_Detail(const TDetail& Detail);
std::string Json_Controles(const TControles& Controles);
std::string Json_Bulletin(const TVue_Bulletin& Vue);
std::string Json_Ecarts(const TEcarts& Ecarts);

}  // namespace recap
