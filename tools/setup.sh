#!/usr/bin/env bash
# Installs everything the build and the tests need, from Debian's packages and
# source packages. Safe to run again: each step checks before it installs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/build/deps"
mkdir -p "$deps"

need_apt=()
want_pkgs=(cmake g++ clang-14 clang-format libclang-rt-14-dev googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev wine wine64 fonts-wine fonts-liberation fonts-wqy-microhei xvfb xdotool x11-utils imagemagick
  dpkg-dev fp-utils nsis zip unzip ninja-build python3 librsvg2-bin
  nasm autoconf automake libtool pkg-config make ffmpeg libimage-exiftool-perl meson)
for p in "${want_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need_apt+=("$p")
done

src_list=/etc/apt/sources.list.d/vidmorph-src.sources
if [ ! -f "$src_list" ] && ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
  apt_update=1
fi

if [ ${#need_apt[@]} -gt 0 ] || [ "${apt_update:-0}" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ ${#need_apt[@]} -gt 0 ]; then
    echo "setup: installing ${need_apt[*]}"
    apt-get install -y -qq --no-install-recommends "${need_apt[@]}" >/dev/null
  fi
fi

# libpng for MinGW, cross-built from Debian's patched source.
png_prefix="$deps/mingw"
if [ ! -f "$png_prefix/lib/libpng16.a" ]; then
  echo "setup: cross-building libpng for MinGW"
  rm -rf "$deps/libpng-src" && mkdir -p "$deps/libpng-src"
  # The newest security source may be missing from the mirror; the release's patched one is there.
  (cd "$deps/libpng-src" && { apt-get source -qq libpng1.6 >/dev/null 2>&1 ||
     { rm -rf ./*; apt-get source -qq libpng1.6/bookworm >/dev/null 2>&1; }; })
  src=$(find "$deps/libpng-src" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n1)
  cmake -S "$src" -B "$deps/libpng-build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DCMAKE_INSTALL_PREFIX="$png_prefix" -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include -DPNG_ARM_NEON=off >/dev/null
  cmake --build "$deps/libpng-build" -j"$(nproc)" >/dev/null
  cmake --install "$deps/libpng-build" >/dev/null
fi

# GoogleTest for MinGW, from Debian's sources.
gt_prefix="$deps/mingw"
if [ ! -f "$gt_prefix/lib/libgtest.a" ]; then
  echo "setup: building GoogleTest for MinGW"
  cmake -S /usr/src/googletest -B "$deps/gtest-mingw" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gt_prefix" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$deps/gtest-mingw" -j"$(nproc)" >/dev/null
  cmake --install "$deps/gtest-mingw" >/dev/null
fi

# The Windows encoder, cross-built from Debian's source packages into a cache
# outside the repository, once per version; build/deps/encoder points at it.
encoder=$("$here/tools/encoder/build.sh") || { echo "setup: the encoder could not be built" >&2; exit 1; }
ln -sfn "$encoder" "$deps/encoder"
echo "setup: ready"
