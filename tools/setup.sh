#!/usr/bin/env bash
# Prepares this machine and checkout for building and testing:
#   1. installs the Debian packages the build needs (only those missing),
#   2. generates the zh_CN.UTF-8 locale (Wine's code page 936 needs it),
#   3. cross-builds static libpng for both Windows targets into
#      deps/<triple>/ (outside build/, so removing build/
#      does not fetch it again) from Debian's source package.
# Idempotent: when everything is present it only checks, in about a second.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
deps="$root/deps"

packages=(
  cmake make
  # The build machine's own compiler: it builds the form data generator,
  # which runs during the build.
  g++
  # -posix variants: std::thread does not build with the -win32 ones.
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  libz-mingw-w64-dev googletest
  # dpkg-dev unpacks source packages (apt-get source).
  dpkg-dev
  # fonts-wine is only recommended by Wine's library, but provides the
  # marlett font Wine draws window captions with.
  wine64 fonts-wine fonts-wqy-microhei locales
  xvfb xauth xdotool x11-apps x11-utils imagemagick
  # The native build of the Win32-free libraries: clang with its sanitizer
  # and libFuzzer runtimes, the host's libpng for the picture tests, and
  # the CPU emulator that runs the 32-bit call thunk.
  clang-14 libclang-rt-14-dev libpng-dev libunicorn-dev
  # make test checks the formatting of every source against .clang-format.
  clang-format-14
)
triples=(x86_64-w64-mingw32 i686-w64-mingw32)

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
  if [[ "$(id -u)" -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "setup: need root (or sudo) to run: $*" >&2
    exit 1
  fi
}

apt_updated=0
apt_update_once() {
  if ((!apt_updated)); then
    as_root apt-get update
    apt_updated=1
  fi
}

install_packages() {
  local missing=() p
  for p in "${packages[@]}"; do
    if [[ "$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)" != "ii " ]]; then
      missing+=("$p")
    fi
  done
  ((${#missing[@]})) || return 0
  echo "setup: installing missing Debian packages: ${missing[*]}"
  apt_update_once
  as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
}

ensure_locale() {
  if locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
    return 0
  fi
  echo "setup: generating locale zh_CN.UTF-8"
  # Enable it in locale.gen too, so a later locale-gen keeps it.
  if grep -qE '^#[[:space:]]*zh_CN\.UTF-8 UTF-8' /etc/locale.gen; then
    as_root sed -i -E 's/^#[[:space:]]*(zh_CN\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  elif ! grep -qE '^zh_CN\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen
}

# Unpacks Debian's libpng source package under deps/src (once) and
# prints its directory. Everything else it says goes to stderr, since the
# caller captures stdout.
libpng_source() {
  local dir
  dir="$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' 2>/dev/null | head -n1)"
  if [[ -n "$dir" ]]; then
    echo "$dir"
    return 0
  fi
  local scratch="$deps/mnemora-deb-src.sources" result
  result="$("$root/tools/enable-deb-src.sh" --out "$scratch")"
  if [[ "$result" != present ]]; then
    echo "setup: enabling source packages in /etc/apt/sources.list.d/mnemora-deb-src.sources" >&2
    as_root install -m 0644 "$scratch" /etc/apt/sources.list.d/mnemora-deb-src.sources
    rm -f "$scratch"
    apt_updated=0
    apt_update_once >&2
  fi
  mkdir -p "$deps/src"
  echo "setup: fetching Debian's libpng1.6 source package into deps/src" >&2
  local opts=(-q)
  # As root apt cannot hand the download to its sandbox user in our tree.
  [[ "$(id -u)" -eq 0 ]] && opts+=(-o APT::Sandbox::User=root)
  # Some mirrors lack the security suite's source files; the release's
  # own version is the fallback.
  local codename
  codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
  (cd "$deps/src" && apt-get source "${opts[@]}" libpng1.6 >&2) ||
    { [[ -n "$codename" ]] &&
      echo "setup: retrying with the $codename release's libpng1.6 source" >&2 &&
      (cd "$deps/src" && apt-get source "${opts[@]}" "libpng1.6/$codename" >&2); } ||
    { echo "setup: could not fetch libpng1.6 sources" >&2; exit 1; }
  dir="$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1)"
  [[ -n "$dir" ]] || { echo "setup: libpng source not unpacked" >&2; exit 1; }
  echo "$dir"
}

build_libpng() {
  local triple="$1" src="$2"
  local prefix="$deps/$triple" work="$deps/.build-$triple"
  local stamp="$prefix/.built-from"
  if [[ -f "$stamp" && -f "$prefix/include/png.h" ]]; then
    return 0
  fi
  echo "setup: cross-building static libpng for $triple"
  local libz
  libz="$(readlink -f "$("$triple-gcc-posix" -print-file-name=libz.a)")"
  [[ -f "$libz" ]] || { echo "setup: libz.a for $triple not found" >&2; exit 1; }
  rm -rf "$work" "$prefix"
  cmake -S "$src" -B "$work" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
    -DZLIB_LIBRARY="$libz" -DZLIB_INCLUDE_DIR="$(dirname "$(dirname "$libz")")/include" \
    >"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  cmake --build "$work" -j "$(nproc)" >>"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  cmake --install "$work" >>"$work.log" 2>&1 || { cat "$work.log" >&2; exit 1; }
  basename "$src" >"$stamp"
}

install_packages
ensure_locale

need_png=0
for t in "${triples[@]}"; do
  [[ -f "$deps/$t/.built-from" ]] || need_png=1
done
if ((need_png)); then
  mkdir -p "$deps"
  src="$(libpng_source)"
  for t in "${triples[@]}"; do
    build_libpng "$t" "$src"
  done
fi

# A Wine prefix made by an older version of the scripts is brought up to
# date here too (the font mapping), not only when a program next runs.
if [[ -d "$root/build/wineprefix" ]]; then
  source "$root/tools/wine-env.sh"
  wine_ensure_prefix
fi
