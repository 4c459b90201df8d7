# Excel workbooks through libxlsxwriter: Debian's on Linux (pkg-config); on Windows a static one,
# built from Debian's sources by scripts/windows-xlsxwriter.sh, with Debian's static zlib for
# MinGW-w64, so that the programs still import only Windows' own DLLs.
add_library(korvex_xlsxwriter INTERFACE)
if(WIN32)
  set(KORVEX_XLSXWRITER_DIR "" CACHE PATH "libxlsxwriter built for Windows (scripts/windows-xlsxwriter.sh)")
  find_library(KORVEX_XLSXWRITER_LIB NAMES libxlsxwriter.a PATHS ${KORVEX_XLSXWRITER_DIR}/lib
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_library(KORVEX_ZLIB_LIB NAMES libz.a REQUIRED)
  target_include_directories(korvex_xlsxwriter SYSTEM INTERFACE ${KORVEX_XLSXWRITER_DIR}/include)
  target_link_libraries(korvex_xlsxwriter INTERFACE ${KORVEX_XLSXWRITER_LIB} ${KORVEX_ZLIB_LIB})
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
  target_link_libraries(korvex_xlsxwriter INTERFACE PkgConfig::XLSXWRITER)
endif()
