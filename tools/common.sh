# Shared settings of the project's scripts; sourced, never run.
# Every path is derived from the checkout, so several checkouts (worktrees) can build and test side by side.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="${VANTRY_BUILD:-$ROOT/build}"
DEPS="$BUILD/deps"
BUILD32="$BUILD/i686"
BUILD64="$BUILD/x86_64"

# Headless prefix for the tests; a second one with the X11 driver for tools/run and screenshots.
export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$BUILD/wine}"
WINEPREFIX_GUI="$BUILD/wine-gui"
# The project's own ODBC driver list: unixODBC, behind Wine's odbc32, reads odbcinst.ini from here.
export ODBCSYSINI="${ODBCSYSINI:-$BUILD/odbc}"
export WINEDEBUG="${WINEDEBUG:--all}"
# Nothing may offer to download a browser engine when help or HTML opens.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mshtml=}"

SQLITE_NPM_VERSION=5.1.7
SQLITE_NPM_SHA256=44cc9bdee02705a7b636f76968d745e21c1d0b2f1c62810c678bc3b0ececab1b
SQLITE_AUTOCONF=sqlite-autoconf-3440200
SQLITE_AUTOCONF_SHA256=1c6719a148bc41cf0f2bbbe3926d7ce3f5ca09d878f1246fcc20767b175bb407
# The 7-Zip console archiver (Windows builds of 7za, a superset of 7zr) as the npm package carries them.
SEVENZIP_NPM_VERSION=5.2.0
SEVENZIP_NPM_SHA256=04f9738ee00be8be53f5d06254a9e6e4b5117b17f8b74058477d870e62764a7d
SEVENZIP_IA32_SHA256=31fd52f8996986623cf52c3b4d0f7ac74a9dec63fc16c902cef673eed550c435
SEVENZIP_X64_SHA256=b0cfdeaf429f5cc53f85123dd8f5a5feb92c19d31aa34df257edf9a26be05f95
# Image codec libraries cross-built from Debian's source packages: package, pinned version, checksum of
# its .dsc (which in turn pins every archive; apt checks the .dsc against the signed Sources index).
IMAGE_LIBS=(
  "libjpeg-turbo 1:2.1.5-2 d718ead0dfbcbc8523665c02a7f7152e31039ded641d022868722623bb3b486d"
  "libpng1.6 1.6.39-2+deb12u5 7b86211030a34deb6b0a2cd7e1d9db0fe92443fd30cab537fb89b1e7f7c9f188"
)

# libodbcinst2:i386: the 32-bit SQLite driver loads it at run time to read a data source's settings,
# and no 32-bit package depends on it.
APT_PACKAGES=(
  wine wine64 wine32:i386 fonts-wine fonts-liberation
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 cmake ninja-build googletest libboost-dev
  libz-mingw-w64-dev nasm dpkg-dev
  unixodbc libsqliteodbc libodbc2:i386 libsqliteodbc:i386 libodbcinst2:i386
  xvfb xauth python3 curl ca-certificates
  sqlite3 imagemagick poppler-utils qpdf libtiff-tools python3-zxing-cpp zint ghostscript
  python3-numpy img2pdf
  hunspell-en-us hunspell-de-de hunspell-ru
)

log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }
die() { log "error: $*"; exit 1; }

# The loader matching a PE file's machine: /usr/lib/wine/wine64 for x86-64, wine for i386.
wine_loader_for() {
  local machine
  machine=$(od -An -tx1 -j "$(( $(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') + 4 ))" -N2 "$1" 2>/dev/null | tr -d ' \n')
  if [ "$machine" = "6486" ]; then echo /usr/lib/wine/wine64; else echo /usr/bin/wine; fi
}

# Whether this machine runs 32-bit programs at all: some kernels are built without 32-bit support,
# and there the 32-bit Wine loader cannot start.
can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
