#!/usr/bin/env bash
# Builds libxlsxwriter, static, from Debian's source package and installs it into
# <build>/xlsxwriter; does nothing when it is already there. For Linux with the machine's
# compiler, against Debian's zlib; for Windows (second argument "windows") with our MinGW-w64
# toolchain, against Debian's zlib for MinGW-w64 (libz-mingw-w64-dev).
# Linux links it too: Debian's shared library brings OpenSSL, for an MD5 the library also has of
# its own, and loading and relocating that took a millisecond of every start of korvex-recap.
# The sources come from the archives the machine's apt is configured with (a mirror or a proxy
# as well), through apt-get source with a private apt configuration in the build folder: its
# "deb" entries turned to "deb-src". The machine's apt setup is neither changed nor used for
# anything else, and no root is needed. Nothing of them goes into the source tree.
# Usage: scripts/xlsxwriter.sh <build-dir> [windows]
set -euo pipefail

racine="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:?usage: $0 <build-dir>}")"
installe="$build/xlsxwriter"

if [ -f "$installe/lib/libxlsxwriter.a" ]; then exit 0; fi
if [ "${2:-}" = windows ]; then
  zlib=/usr/x86_64-w64-mingw32
  [ -f "$zlib/lib/libz.a" ] || { echo "zlib pour MinGW-w64 absente ($zlib/lib/libz.a) : paquet libz-mingw-w64-dev." >&2; exit 1; }
  cible=(-DCMAKE_TOOLCHAIN_FILE="$racine/cmake/mingw-w64.cmake"
         -DZLIB_INCLUDE_DIR="$zlib/include" -DZLIB_LIBRARY="$zlib/lib/libz.a")
else
  # Linked into position-independent programs.
  cible=(-DCMAKE_POSITION_INDEPENDENT_CODE=ON)
fi
command -v dpkg-source >/dev/null || { echo "dpkg-source absent : paquet dpkg-dev." >&2; exit 1; }

apt="$build/xlsxwriter-apt"
rm -rf "$apt"
mkdir -p "$apt/listes/partial" "$apt/cache/archives/partial" "$apt/parts" "$apt/sources"
# The machine's configured sources, their binary entries as source ones: one-line files
# (sources.list, *.list) and deb822 files (*.sources), as apt itself reads them.
configuration=$(apt-config shell etc Dir::Etc/d liste Dir::Etc::SourceList/f parts Dir::Etc::SourceParts/d)
eval "$configuration"
for f in "${liste:-/etc/apt/sources.list}" "${parts:-/etc/apt/sources.list.d/}"*.list; do
  [ -f "$f" ] && sed -n -E 's/^[[:space:]]*deb([[:space:]])/deb-src\1/p' "$f"
done >"$apt/sources.list"
for f in "${parts:-/etc/apt/sources.list.d/}"*.sources; do
  [ -f "$f" ] && sed -E 's/^(Types:).*\<deb\>.*$/\1 deb-src/' "$f" >"$apt/parts/$(basename "$f")"
done
if ! grep -qs 'deb-src' "$apt/sources.list" "$apt/parts/"*.sources; then
  echo "Aucune source apt « deb » configurée sur cette machine : impossible de récupérer les sources de libxlsxwriter." >&2
  exit 1
fi
options=(-q -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts"
         -o Dir::State::Lists="$apt/listes" -o Dir::Cache="$apt/cache")
# As root, apt would hand the download to its _apt user, who cannot write into the build folder.
[ "$(id -u)" -eq 0 ] && options+=(-o APT::Sandbox::User=root)
# A third-party archive may serve no sources: only Debian's libxlsxwriter matters here.
apt-get "${options[@]}" update >/dev/null 2>"$apt/update.log" || true
if ! (cd "$apt/sources" && apt-get "${options[@]}" source libxlsxwriter >/dev/null); then
  echo "Les sources de libxlsxwriter n'ont pas pu être récupérées par apt ($apt/update.log)." >&2
  exit 1
fi
sources=("$apt"/sources/libxlsxwriter-*/)

# USE_DTOA_LIBRARY: numbers are written by the library's own conversion, never through the C
# library's locale, where a French one would write "1,5" into the XML.
cmake -S "${sources[0]}" -B "$build/xlsxwriter-build" -G Ninja \
  $(command -v ccache >/dev/null && echo -DCMAKE_C_COMPILER_LAUNCHER=ccache) \
  "${cible[@]}" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$installe" \
  -DBUILD_SHARED_LIBS=OFF -DUSE_DTOA_LIBRARY=ON >/dev/null
cmake --build "$build/xlsxwriter-build"
cmake --install "$build/xlsxwriter-build" >/dev/null
