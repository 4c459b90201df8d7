# korvex-recap --xlsx on a copy of the sample folder, given as ".\KORVEX" from the copy's parent as
# the golden outputs were written, under a locale; then an independent reader (openpyxl) checks the
# workbook against the golden JSON and summary of the same recap.
#   cmake [-DEMULATEUR=wine] -DPROGRAMME=<korvex-recap> -DEXEMPLES=<examples/KORVEX>
#         -DGOLDEN=<tests/golden/exemple> -DLECTEUR=<tests/support/classeur.py> -DTRAVAIL=<scratch>
#         -DLOCALE=C|fr_FR.UTF-8 -DLOCPATH=<locales> -DDECIMAL=.|, -DCAS=02-2024|01-2024_03-2024
#         -P classeur-recap.cmake
cmake_minimum_required(VERSION 3.25)

set(ENV{LC_ALL} ${LOCALE})
set(ENV{LOCPATH} ${LOCPATH})
file(REMOVE_RECURSE "${TRAVAIL}")
file(MAKE_DIRECTORY "${TRAVAIL}/KORVEX")
foreach(nom PAIES.DTA PAIES.DBT RUBRIQUE.DTA)
  file(COPY_FILE "${EXEMPLES}/${nom}" "${TRAVAIL}/KORVEX/${nom}")
endforeach()

string(REPLACE "_" ";" mois "${CAS}")
execute_process(COMMAND ${EMULATEUR} ${PROGRAMME} --xlsx recap.xlsx .\\KORVEX ${mois}
  WORKING_DIRECTORY "${TRAVAIL}" RESULT_VARIABLE code OUTPUT_VARIABLE sortie ERROR_VARIABLE erreur)
if(NOT code EQUAL 0 OR NOT sortie STREQUAL "" OR NOT erreur STREQUAL "")
  message(FATAL_ERROR "${CAS} sous ${LOCALE} : code ${code}, sortie « ${sortie} », erreur « ${erreur} »")
endif()

execute_process(COMMAND /usr/bin/python3 ${LECTEUR} recap "${TRAVAIL}/recap.xlsx" "${GOLDEN}/${CAS}.json"
    "${GOLDEN}/${CAS}.resume" "${DECIMAL}"
  RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${CAS} sous ${LOCALE} : le classeur diffère de la récap attendue")
endif()
file(REMOVE_RECURSE "${TRAVAIL}")
