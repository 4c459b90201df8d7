# Excel workbooks through libxlsxwriter, static, built from Debian's sources by
# scripts/xlsxwriter.sh (the Makefile runs it): with Debian's static zlib on Linux, and with its
# static zlib for MinGW-w64 on Windows, so that the programs there still import only Windows' own
# DLLs. Without KORVEX_XLSXWRITER_DIR, Linux falls back on Debian's shared library (pkg-config).
add_library(korvex_xlsxwriter INTERFACE)
set(KORVEX_XLSXWRITER_DIR "" CACHE PATH "libxlsxwriter built by scripts/xlsxwriter.sh")
if(KORVEX_XLSXWRITER_DIR)
  find_library(KORVEX_XLSXWRITER_LIB NAMES libxlsxwriter.a PATHS ${KORVEX_XLSXWRITER_DIR}/lib
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_library(KORVEX_ZLIB_LIB NAMES libz.a REQUIRED)
  target_include_directories(korvex_xlsxwriter SYSTEM INTERFACE ${KORVEX_XLSXWRITER_DIR}/include)
  target_link_libraries(korvex_xlsxwriter INTERFACE ${KORVEX_XLSXWRITER_LIB} ${KORVEX_ZLIB_LIB})
elseif(WIN32)
  message(FATAL_ERROR "KORVEX_XLSXWRITER_DIR : la libxlsxwriter de Windows (scripts/xlsxwriter.sh)")
else()
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(XLSXWRITER QUIET IMPORTED_TARGET xlsxwriter)
  endif()
  if(NOT XLSXWRITER_FOUND)
    message(FATAL_ERROR "libxlsxwriter est introuvable. Construisez avec « make » (il la construit une fois par "
                        "scripts/xlsxwriter.sh), ou passez -DKORVEX_XLSXWRITER_DIR=<dossier>/xlsxwriter après "
                        "« bash scripts/xlsxwriter.sh <dossier> », ou installez le paquet libxlsxwriter-dev.")
  endif()
  target_link_libraries(korvex_xlsxwriter INTERFACE PkgConfig::XLSXWRITER)
endif()
