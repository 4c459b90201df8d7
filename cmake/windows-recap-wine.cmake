# Runs korvex-recap.exe under Wine from the Linux side on a copy of the sample folder, the folder
# given the Windows way, and checks its status, its output and that the folder is left as it was.
#   cmake -DEMULATEUR=wine -DPROGRAMME=<korvex-recap.exe> -DEXEMPLES=<examples/KORVEX>
#         -DTRAVAIL=<scratch folder> -DFORME=absolu|relatif|accent|console|lien -P windows-recap-wine.cmake
# "console" writes to a terminal (a pseudo-terminal made by script(1)), where the program writes
# UTF-16 to the Windows console rather than bytes to a file. "lien" gives --xlsx a Linux symbolic
# link, which Wine shows as the file it leads to, then a named pipe.
cmake_minimum_required(VERSION 3.25)

function(echec message)
  message(FATAL_ERROR "${FORME} : ${message}")
endfunction()

# Wine reads the arguments of a Linux command line in the locale's character set.
set(ENV{LC_ALL} C.UTF-8)

file(REMOVE_RECURSE "${TRAVAIL}")
set(parent "${TRAVAIL}")
if(FORME STREQUAL "accent")
  set(parent "${TRAVAIL}/Données été")
endif()
file(MAKE_DIRECTORY "${parent}/KORVEX")
foreach(nom PAIES.DTA PAIES.DBT RUBRIQUE.DTA)
  file(COPY_FILE "${EXEMPLES}/${nom}" "${parent}/KORVEX/${nom}")
endforeach()

# A folder of the Linux file system is on Wine's Z: drive.
string(REPLACE "/" "\\" windows "Z:${parent}\\KORVEX")
if(FORME STREQUAL "relatif")
  set(windows ".\\KORVEX")
endif()

if(FORME STREQUAL "console")
  find_program(SCRIPT script REQUIRED)
  execute_process(COMMAND ${SCRIPT} -qec "'${EMULATEUR}' '${PROGRAMME}' '${windows}' 02-2024" /dev/null
    WORKING_DIRECTORY "${parent}" RESULT_VARIABLE code OUTPUT_VARIABLE sortie ERROR_VARIABLE erreur)
  # The console expands the tabs and ends lines its own way: look for the texts only.
  foreach(texte "N° RUB" "Heures supplémentaires 25 %" "Prime d'ancienneté" "Net à payer" "27789.86")
    string(FIND "${sortie}" "${texte}" trouve)
    if(NOT code EQUAL 0 OR trouve EQUAL -1)
      echec("code ${code}, « ${texte} » absent de la console :\n${sortie}")
    endif()
  endforeach()
  if(NOT EXISTS "${parent}/KORVEX/PAIES.DTA" OR EXISTS "${parent}/KORVEX/PAIES.DBF")
    echec("PAIES.DTA n'a pas retrouvé son nom")
  endif()
  file(REMOVE_RECURSE "${TRAVAIL}")
  return()
endif()

if(FORME STREQUAL "lien")
  # The workbook goes where the link leads, and the link stays.
  file(WRITE "${parent}/vrai.xlsx" "ancien")
  file(CREATE_LINK vrai.xlsx "${parent}/lien.xlsx" SYMBOLIC)
  execute_process(COMMAND ${EMULATEUR} ${PROGRAMME} --xlsx "Z:${parent}/lien.xlsx" ${windows} 02-2024
    WORKING_DIRECTORY "${parent}" RESULT_VARIABLE code ERROR_VARIABLE erreur)
  file(READ "${parent}/vrai.xlsx" debut LIMIT 4 HEX)
  set(cible "pas un lien")
  if(IS_SYMLINK "${parent}/lien.xlsx")
    file(READ_SYMLINK "${parent}/lien.xlsx" cible)
  endif()
  if(NOT code EQUAL 0 OR NOT debut STREQUAL "504b0304" OR NOT cible STREQUAL "vrai.xlsx")
    echec("lien : code ${code}, début ${debut}, le lien mène à « ${cible} » : ${erreur}")
  endif()
  # A pipe is refused, and stays a pipe.
  execute_process(COMMAND mkfifo "${parent}/tube.xlsx" COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "/" "\\" tube "Z:${parent}/tube.xlsx")
  execute_process(COMMAND ${EMULATEUR} ${PROGRAMME} --xlsx "${tube}" ${windows} 02-2024
    WORKING_DIRECTORY "${parent}" RESULT_VARIABLE code ERROR_VARIABLE erreur)
  execute_process(COMMAND test -p "${parent}/tube.xlsx" RESULT_VARIABLE pas_tube)
  set(attendu "Impossible d'enregistrer le fichier ${tube} : c'est un tube nommé, non un fichier ordinaire : rien n'a été écrit.\n")
  if(NOT code EQUAL 2 OR NOT erreur STREQUAL attendu OR NOT pas_tube EQUAL 0)
    echec("tube : code ${code}, ${erreur}")
  endif()
  file(GLOB restes "${parent}/*.tmp*")
  if(restes)
    echec("fichiers temporaires laissés : ${restes}")
  endif()
  file(REMOVE_RECURSE "${TRAVAIL}")
  return()
endif()

execute_process(COMMAND ${EMULATEUR} ${PROGRAMME} ${windows} 02-2024
  WORKING_DIRECTORY "${parent}" RESULT_VARIABLE code OUTPUT_VARIABLE sortie ERROR_VARIABLE erreur)
if(NOT code EQUAL 0)
  echec("code ${code} pour ${windows} : ${erreur}")
endif()
string(FIND "${sortie}" "N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n1\tSalaire de base\t\t33149.34\t\n" entete)
string(FIND "${sortie}" "\n27\tNet à payer\t27789.86\t\t\n30\tHeures d'absence\t7\t\t\n" fin)
if(NOT entete EQUAL 0 OR fin EQUAL -1)
  echec("sortie inattendue pour ${windows} :\n${sortie}")
endif()
if(NOT erreur STREQUAL "")
  echec("sortie d'erreur non vide : ${erreur}")
endif()
if(NOT EXISTS "${parent}/KORVEX/PAIES.DTA" OR EXISTS "${parent}/KORVEX/PAIES.DBF")
  echec("PAIES.DTA n'a pas retrouvé son nom")
endif()

# A folder without PAIES.DTA is the program's own message, with the path as typed.
string(REPLACE "KORVEX" "ABSENT" absent "${windows}")
execute_process(COMMAND ${EMULATEUR} ${PROGRAMME} ${absent} 02-2024
  WORKING_DIRECTORY "${parent}" RESULT_VARIABLE code OUTPUT_VARIABLE sortie ERROR_VARIABLE erreur)
if(NOT code EQUAL 1 OR NOT erreur STREQUAL "Fichier ${absent}\\PAIES.DTA Non trouvé\n")
  echec("dossier absent : code ${code}, ${erreur}")
endif()

file(REMOVE_RECURSE "${TRAVAIL}")
