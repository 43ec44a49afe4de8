#!/usr/bin/env bash
# Builds the program's encoder, ffmpeg.exe for 64-bit Windows, from Debian's
# source packages with Debian's patches: ffmpeg and the libraries the profiles
# use (x264, x265, SVT-AV1, libvpx, LAME, Opus, libogg, libvorbis,
# libtheora), dav1d to read AV1 and zimg for mapping HDR colours, all linked
# statically, so
# that ffmpeg.exe needs no DLL beyond the system's own.
#
# The result is kept outside the repository, one folder per key (the source
# package versions, this script's commands and the compiler), so every clone
# on this machine finds it, and only a new source version or a change here
# builds again:  $VM_ENCODER_CACHE/<key>/  ffmpeg.exe  VERSION  licences/
# VM_ENCODER_CACHE defaults to /var/cache/vidmorph/encoder.
#
# Usage: build.sh            builds when needed, then prints the folder
#        build.sh --version  prints the version the built ffmpeg.exe reports
# The folder also keeps source/: the exact source packages built and this
# script, the encoder's corresponding source, which the build ships as a
# download of its own.
# A source package that cannot be fetched or built stops the script with its
# name and a non-zero exit; nothing else is ever put in its place.
set -euo pipefail

script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
host=x86_64-w64-mingw32
# The same posix-thread compiler as the rest of the Windows build.
export CC=$host-gcc-posix CXX=$host-g++-posix
packages=(ffmpeg x264 lame libogg libvorbis libtheora zimg dav1d x265 svt-av1 libvpx opus)
jobs=$(nproc)

die() {
  echo "encoder: $*" >&2
  exit 1
}

# The .dsc file apt fetches for a package; its name carries the version.
dsc_of() {
  local dsc
  dsc=$(apt-get source --print-uris -qq "$1" 2>/dev/null | grep -o '[^ ]*\.dsc ' | head -n1 || true)
  [ -n "$dsc" ] || die "the source package $1 is missing (apt-get source $1 finds none; deb-src not set up?)"
  echo "${dsc% }"
}

ffmpeg_dsc=$(dsc_of ffmpeg)
version=${ffmpeg_dsc#ffmpeg_}
version=${version%.dsc}  # upstream-revision, as ffmpeg -version shows it
if [ "${1:-}" = --version ]; then
  echo "$version"
  exit 0
fi

command -v "$CC" >/dev/null || die "$CC is missing (tools/setup.sh installs it)"
for tool in nasm cmake ninja meson; do
  command -v $tool >/dev/null || die "$tool is missing (tools/setup.sh installs it)"
done
dscs=()
for p in "${packages[@]}"; do dscs+=("$(dsc_of "$p")"); done
# zlib comes built for MinGW in a Debian package of its own.
zlib=$(dpkg-query -W -f='${Package} ${Version}' libz-mingw-w64-dev 2>/dev/null) ||
  die "libz-mingw-w64-dev is missing (tools/setup.sh installs it)"
# Comments change nothing in the build, so they do not count.
key=$({
  printf '%s\n' "${dscs[@]}" "$zlib"
  grep -v '^ *#' "$script" | sha256sum
  "$CC" -dumpfullversion
  nasm -v
  cmake --version | head -n1
  meson --version
} | sha256sum | cut -c1-16)

cache=${VM_ENCODER_CACHE:-/var/cache/vidmorph/encoder}
mkdir -p "$cache" 2>/dev/null && [ -w "$cache" ] || die "cannot write the cache folder $cache (set VM_ENCODER_CACHE)"
dir="$cache/ffmpeg-$version-$key"

# Clones building at once share one build: the later ones wait for it.
exec 9>"$cache/.lock"
if ! flock -n 9; then
  echo "encoder: waiting for another build in $cache" >&2
  flock 9
fi
if [ -f "$dir/ffmpeg.exe" ]; then
  echo "$dir"
  exit 0
fi

# Other work on the machine comes first; this build only takes what is left.
renice -n 10 -p $$ >/dev/null 2>&1 || true
started=$SECONDS
work="$dir.partial"
rm -rf "$work"
prefix="$work/prefix"
mkdir -p "$work/src" "$work/logs" "$prefix" "$work/out/licences" "$work/out/source"
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
echo "encoder: building ffmpeg $version for Windows in $work (once per version: 10 to 40 minutes on two cores, as busy as they are)" >&2

for p in "${packages[@]}"; do
  (cd "$work/src" && apt-get source -qq "$p") >"$work/logs/fetch-$p.log" 2>&1 ||
    die "the source package $p could not be fetched: $(tail -n 3 "$work/logs/fetch-$p.log" | tr '\n' ' ')"
done

# The packages as fetched, each .dsc with the files it names, and this script.
find "$work/src" -maxdepth 1 -type f -exec cp -t "$work/out/source/" {} +
cp "$script" "$work/out/source/build.sh"

source_dir() {
  local d
  d=$(find "$work/src" -maxdepth 1 -type d -name "$1-[0-9]*" | head -n1)
  [ -n "$d" ] || die "the source package $1 unpacked into no folder"
  echo "$d"
}

# Runs one build step of a package in its source folder; a failure names the package.
step() {
  local pkg=$1 log="$work/logs/$1.log"
  shift
  if ! (cd "$(source_dir "$pkg")" && "$@") >>"$log" 2>&1; then
    tail -n 25 "$log" >&2
    die "$pkg failed to build at \"$*\" (log: $log)"
  fi
}

# Debian regenerates these packages' build files, since its patches change
# their inputs; the same here, then a static library into the prefix.
autotools_build() {
  local pkg=$1
  shift
  echo "encoder: $pkg" >&2
  local macros=()
  [ -d "$(source_dir "$pkg")/m4" ] && macros=(-I m4)
  step "$pkg" autoreconf -f -i "${macros[@]}"
  step "$pkg" ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static "$@"
  step "$pkg" make -j"$jobs"
  step "$pkg" make install
}

# CMake and Meson builds cross-compile with these descriptions of the target.
cat >"$work/mingw.cmake" <<END
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $CC)
set(CMAKE_CXX_COMPILER $CXX)
set(CMAKE_RC_COMPILER $host-windres)
set(CMAKE_FIND_ROOT_PATH "$prefix" /usr/$host)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
END
cat >"$work/mingw.meson" <<END
[binaries]
c = '$CC'
cpp = '$CXX'
ar = '$host-ar'
strip = '$host-strip'
windres = '$host-windres'
pkgconfig = 'pkg-config'
[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
END

# A static release library into the prefix, from the CMake project in the
# package's folder $2.
cmake_build() {
  local pkg=$1 sub=$2
  shift 2
  echo "encoder: $pkg" >&2
  step "$pkg" cmake -S "$sub" -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR=lib "$@"
  step "$pkg" cmake --build build-win -j"$jobs"
  step "$pkg" cmake --install build-win
}

autotools_build libogg
autotools_build libvorbis --with-ogg="$prefix" --disable-docs --disable-examples --disable-oggtest
autotools_build libtheora --with-ogg="$prefix" --disable-examples --disable-oggtest \
  --disable-vorbistest --disable-sdltest --disable-doc
# The library alone: ffmpeg needs neither the command-line frontend nor the decoder.
autotools_build lame --disable-frontend --disable-decoder --disable-gtktest
# The library alone, with its SIMD code: it maps HDR colours for the zscale filter.
autotools_build zimg --disable-testapp --disable-example --disable-unit-test
# The library alone. Its stack protector and fortified string calls would need
# the compiler's libssp in every program that links it; ffmpeg's own code goes
# without both too.
autotools_build opus --disable-doc --disable-extra-programs --disable-stack-protector \
  CPPFLAGS=-D_FORTIFY_SOURCE=0

echo "encoder: dav1d" >&2
# The AV1 decoder as a library, with its assembly: no tools, no tests.
step dav1d meson setup build-win --cross-file="$work/mingw.meson" --prefix="$prefix" \
  --libdir=lib --buildtype=release --default-library=static -Denable_tools=false \
  -Denable_tests=false
step dav1d meson install -C build-win

# The H.265 encoder, 8-bit only (the profiles write 8-bit), the library alone.
cmake_build x265 source -DENABLE_SHARED=OFF -DENABLE_CLI=OFF -DHIGH_BIT_DEPTH=OFF
# What the C++ compiler links by itself, listed for a static link, names the
# runtime's DLLs; the C++ runtime alone is what a static link needs.
sed -i 's/^Libs.private:.*/Libs.private: -lstdc++/' "$prefix/lib/pkgconfig/x265.pc"

# The AV1 encoder library alone: no decoder, no programs, no tests.
cmake_build svt-av1 . -DBUILD_SHARED_LIBS=OFF -DBUILD_DEC=OFF -DBUILD_APPS=OFF -DBUILD_TESTING=OFF \
  -DREPRODUCIBLE_BUILDS=ON

echo "encoder: libvpx" >&2
# The VP9 encoder alone (VP8 and the VP9 decoder are ffmpeg's own), with its assembly.
step libvpx env CROSS=$host- ./configure --target=x86_64-win64-gcc --prefix="$prefix" \
  --disable-shared --enable-static --disable-vp8 --disable-vp9-decoder --as=nasm \
  --disable-examples --disable-tools --disable-docs --disable-unit-tests --disable-install-bins
step libvpx make -j"$jobs"
step libvpx make install

echo "encoder: x264" >&2
# The library alone, every bit depth (10-bit sources stay 10-bit), no readers of its own.
step x264 ./configure --host=$host --cross-prefix=$host- --prefix="$prefix" --enable-static \
  --disable-cli --disable-opencl --disable-avs --disable-swscale --disable-lavf --disable-ffms \
  --disable-gpac --disable-lsmash
step x264 make -j"$jobs"
step x264 make install-lib-static

ffmpeg_options=(
  --enable-cross-compile --target-os=mingw32 --arch=x86_64
  --cross-prefix=$host- --cc="$CC"
  --pkg-config=pkg-config --pkg-config-flags=--static
  --extra-cflags="-I$prefix/include"
  # Everything static: no DLL of a library or of the compiler's runtime.
  --extra-ldflags="-L$prefix/lib -static"
  # ffmpeg -version then shows the Debian revision: 5.1.9-0+deb12u1.
  --extra-version="${version##*-}"
  # x264 and x265 are GPL, so the whole program is "GPL version 2 or later".
  --enable-gpl
  # Only what is named below; nothing picked up from the build machine.
  --disable-autodetect --enable-w32threads --enable-zlib
  # The program runs ffmpeg.exe alone; no ffplay, no ffprobe, no manuals.
  --disable-programs --enable-ffmpeg --disable-doc
  # Release code, no debug information: a smaller build and a faster one.
  --disable-debug
  # The postprocessing filter is not among the filters below.
  --disable-postproc
  # Users add local files: no network, the file protocol, and pipe for "-".
  --disable-network --disable-protocols --enable-protocol=file,pipe
  # The tests make their clips from the test-pattern source (-f lavfi).
  --disable-devices --enable-indev=lavfi
  # The encoders the profiles' rows name, and the ones their containers pick
  # when a row names none: png (a source's cover picture in mp3) and
  # libtheora (video in ogg).
  --disable-encoders
  # libx265, libsvtav1, libvpx_vp9, libopus and flac write the newer formats.
  --enable-encoder=mpeg4,msmpeg4v2,msmpeg4v3,mjpeg,mpeg1video,mpeg2video,rv10,rv20,svq1
  --enable-encoder=libx265,libsvtav1,libvpx_vp9,libopus,flac
  --enable-encoder=wmv1,wmv2,libx264,flv,h263,png,libtheora
  --enable-encoder=libmp3lame,mp2,pcm_alaw,ac3,adpcm_ima_wav,adpcm_ms,aac,libvorbis,wmav2
  # What the null muxer takes: the tests decode a file into it to check it.
  --enable-encoder=wrapped_avframe,pcm_s16le
  --enable-libx264 --enable-libmp3lame --enable-libvorbis --enable-libtheora
  --enable-libx265 --enable-libsvtav1 --enable-libvpx --enable-libopus
  # dav1d reads AV1: ffmpeg's own AV1 decoder needs a hardware decoder.
  --enable-libdav1d
  # zscale (zimg) linearises HDR input for tonemap, which maps it to SDR.
  --enable-libzimg
  # The profiles' containers ("-target" picks dvd, vcd and svcd; ".wmv"
  # picks asf), and null, into which the tests decode a file to check it.
  --disable-muxers
  --enable-muxer=avi,asf,mpeg1system,mpeg1vcd,mpeg2svcd,mpeg2dvd,mp4,mov,tgp,flv,rm,mp3
  --enable-muxer=wav,ogg,adts,null
  # WebM, Matroska, FLAC, Opus (in Ogg) and M4A (ipod) for the newer formats.
  --enable-muxer=webm,matroska,flac,opus,ipod
  # The filters ffmpeg inserts by itself (sizes, rates, formats, rotated
  # sources, trimming) and the tests' test-pattern and tone sources.
  --disable-filters
  --enable-filter=null,anull,format,aformat,scale,aresample,fps,trim,atrim
  --enable-filter=transpose,hflip,vflip,rotate,pan,apad,volume,testsrc,sine
  # HDR inputs: zscale converts and linearises, tonemap maps to SDR.
  --enable-filter=zscale,tonemap
  # Every decoder, demuxer, parser and bitstream filter stays: users add anything,
  # but VP8 and VP9 are read by ffmpeg's own decoders (libvpx has the encoder alone).
  --disable-decoder=libvpx_vp8,libvpx_vp9
)
echo "encoder: ffmpeg" >&2
step ffmpeg ./configure "${ffmpeg_options[@]}"
step ffmpeg make -j"$jobs" ffmpeg.exe

out="$work/out"
ffmpeg_src=$(source_dir ffmpeg)
cp "$ffmpeg_src/ffmpeg.exe" "$out/"
echo "$version" >"$out/VERSION"

# The licence texts the build's parts ask to ship, as Windows text files.
licence() {
  sed 's/\r$//; s/$/\r/' "$1" >"$out/licences/$2.txt"
}
licence "$ffmpeg_src/LICENSE.md" "ffmpeg-LICENSE"
licence "$ffmpeg_src/COPYING.GPLv2" "ffmpeg-COPYING.GPLv2"
licence "$ffmpeg_src/COPYING.LGPLv2.1" "ffmpeg-COPYING.LGPLv2.1"
licence "$(source_dir x264)/COPYING" "x264-COPYING"
licence "$(source_dir lame)/COPYING" "lame-COPYING"
licence "$(source_dir libogg)/COPYING" "libogg-COPYING"
licence "$(source_dir libvorbis)/COPYING" "libvorbis-COPYING"
licence "$(source_dir libtheora)/COPYING" "libtheora-COPYING"
licence "$(source_dir libtheora)/LICENSE" "libtheora-LICENSE"
licence "$(source_dir zimg)/COPYING" "zimg-COPYING"
licence "$(source_dir dav1d)/COPYING" "dav1d-COPYING"
licence "$(source_dir x265)/COPYING" "x265-COPYING"
licence "$(source_dir svt-av1)/LICENSE.md" "svt-av1-LICENSE"
licence "$(source_dir svt-av1)/PATENTS.md" "svt-av1-PATENTS"
licence "$(source_dir libvpx)/LICENSE" "libvpx-LICENSE"
licence "$(source_dir libvpx)/PATENTS" "libvpx-PATENTS"
licence "$(source_dir opus)/COPYING" "opus-COPYING"
# The compiler's runtime linked in: the C++ library (GPL 3 with the GCC
# Runtime Library Exception) and the threads library of MinGW-w64.
licence /usr/share/doc/gcc-mingw-w64-base/copyright "gcc-runtime-copyright"
licence /usr/share/common-licenses/GPL-3 "gcc-runtime-GPL-3"
licence /usr/share/doc/mingw-w64-x86-64-dev/copyright "mingw-w64-copyright"
licence /usr/share/doc/libz-mingw-w64-dev/copyright "zlib-copyright"
{
  echo "ffmpeg.exe $version for 64-bit Windows is free software under the GNU"
  echo "General Public License, version 2 or later (ffmpeg-COPYING.GPLv2.txt)."
  echo "It contains x264 and x265 (GNU GPL, x264-COPYING.txt, x265-COPYING.txt),"
  echo "LAME (GNU LGPL, lame-COPYING.txt), libogg, libvorbis and libtheora"
  echo "(BSD-style licences, libogg-COPYING.txt, libvorbis-COPYING.txt,"
  echo "libtheora-COPYING.txt), SVT-AV1 (BSD 3-Clause Clear, svt-av1-LICENSE.txt,"
  echo "with the patent licence svt-av1-PATENTS.txt), libvpx (BSD-style,"
  echo "libvpx-LICENSE.txt, with the patent grant libvpx-PATENTS.txt), dav1d"
  echo "(BSD-style, dav1d-COPYING.txt), Opus (BSD-style, opus-COPYING.txt), zimg"
  echo "(WTFPL, zimg-COPYING.txt), zlib (zlib-copyright.txt), and the compiler's"
  echo "C++ runtime (GNU GPL 3 with the GCC Runtime Library Exception,"
  echo "gcc-runtime-copyright.txt, gcc-runtime-GPL-3.txt) and MinGW-w64's runtime"
  echo "and threads library (mingw-w64-copyright.txt). It was built from these"
  echo "Debian source packages, with Debian's patches:"
  printf '  %s\n' "${dscs[@]%.dsc}"
  echo "and zlib from Debian's package $zlib."
  echo "https://snapshot.debian.org/ keeps every version of them; the program's"
  echo "download page offers them with the script that built this encoder"
  echo "(Vidmorph-<version>-encoder-source.zip)."
  echo "\"ffmpeg.exe -buildconf\" prints how it was configured."
} | sed 's/$/\r/' >"$out/licences/README.txt"

mv "$out" "$dir"
rm -rf "$work"
echo "encoder: built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s: $dir" >&2
echo "$dir"
