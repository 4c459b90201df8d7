# The Windows program must start with a double click on any Windows: it may import only DLLs
# that every Windows has, never a Qt, libstdc++, libgcc or winpthread DLL.
#   cmake -DOBJDUMP=<x86_64-w64-mingw32-objdump> -DPROGRAMME=<exe> -P windows-imports.cmake
cmake_minimum_required(VERSION 3.25)

set(systeme kernel32 user32 gdi32 comctl32 comdlg32 advapi32 shell32 ole32 oleaut32 oleacc msvcrt
  ntdll winspool.drv)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAMME} RESULT_VARIABLE code OUTPUT_VARIABLE sortie)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "objdump a échoué sur ${PROGRAMME}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" noms "${sortie}")
if(noms STREQUAL "")
  message(FATAL_ERROR "aucune DLL importée trouvée dans ${PROGRAMME} : sortie d'objdump inattendue")
endif()
foreach(ligne IN LISTS noms)
  # A DLL by its name alone; the printer spooler keeps its .drv.
  string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL]" "\\1" dll "${ligne}")
  string(REGEX REPLACE "DLL Name: " "" dll "${dll}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST systeme)
    message(FATAL_ERROR "${PROGRAMME} importe ${dll}.dll, qui n'est pas une DLL de Windows")
  endif()
  message(STATUS "importe ${dll}.dll")
endforeach()
