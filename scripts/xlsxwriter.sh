#!/usr/bin/env bash
# Builds libxlsxwriter, static, from Debian's source package and installs it into
# <build>/xlsxwriter; does nothing when it is already there. For Linux with the machine's
# compiler, against Debian's zlib; for Windows (second argument "windows") with our MinGW-w64
# toolchain, against Debian's zlib for MinGW-w64 (libz-mingw-w64-dev).
# Linux links it too: Debian's shared library brings OpenSSL, for an MD5 the library also has of
# its own, and loading and relocating that took a millisecond of every start of korvex-recap.
# The sources come only from Debian's archive, through apt-get source with a private apt
# configuration in the build folder: the machine's apt setup is neither used nor changed, and no
# root is needed. Nothing of them goes into the source tree.
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

# The machine's own Debian release: the version its package would give.
. /etc/os-release
apt="$build/xlsxwriter-apt"
rm -rf "$apt"
mkdir -p "$apt/listes/partial" "$apt/cache/archives/partial" "$apt/parts" "$apt/sources"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian ${VERSION_CODENAME:-bookworm} main" \
  >"$apt/sources.list"
options=(-q -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts"
         -o Dir::State::Lists="$apt/listes" -o Dir::Cache="$apt/cache")
# As root, apt would hand the download to its _apt user, who cannot write into the build folder.
[ "$(id -u)" -eq 0 ] && options+=(-o APT::Sandbox::User=root)
apt-get "${options[@]}" update >/dev/null
(cd "$apt/sources" && apt-get "${options[@]}" source libxlsxwriter >/dev/null)
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
