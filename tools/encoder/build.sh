#!/usr/bin/env bash
# Builds the program's encoder, ffmpeg.exe for 64-bit Windows, from Debian's
# source packages with Debian's patches: ffmpeg and the libraries the profiles
# use (x264, LAME, libogg, libvorbis, libtheora) and zimg for mapping HDR
# colours, all linked statically, so
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
# A source package that cannot be fetched or built stops the script with its
# name and a non-zero exit; nothing else is ever put in its place.
set -euo pipefail

script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
host=x86_64-w64-mingw32
# The same posix-thread compiler as the rest of the Windows build.
export CC=$host-gcc-posix CXX=$host-g++-posix
packages=(ffmpeg x264 lame libogg libvorbis libtheora zimg)
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
command -v nasm >/dev/null || die "nasm is missing (tools/setup.sh installs it)"
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
mkdir -p "$work/src" "$work/logs" "$prefix" "$work/out/licences"
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
echo "encoder: building ffmpeg $version for Windows in $work (once per version: 10 to 40 minutes on two cores, as busy as they are)" >&2

for p in "${packages[@]}"; do
  (cd "$work/src" && apt-get source -qq "$p") >"$work/logs/fetch-$p.log" 2>&1 ||
    die "the source package $p could not be fetched: $(tail -n 3 "$work/logs/fetch-$p.log" | tr '\n' ' ')"
done

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

autotools_build libogg
autotools_build libvorbis --with-ogg="$prefix" --disable-docs --disable-examples --disable-oggtest
autotools_build libtheora --with-ogg="$prefix" --disable-examples --disable-oggtest \
  --disable-vorbistest --disable-sdltest --disable-doc
# The library alone: ffmpeg needs neither the command-line frontend nor the decoder.
autotools_build lame --disable-frontend --disable-decoder --disable-gtktest
# The library alone, with its SIMD code: it maps HDR colours for the zscale filter.
autotools_build zimg --disable-testapp --disable-example --disable-unit-test

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
  # x264 is GPL, so the whole program is "GPL version 2 or later".
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
  --enable-encoder=mpeg4,msmpeg4v2,msmpeg4v3,mjpeg,mpeg1video,mpeg2video,rv10,rv20,svq1
  --enable-encoder=wmv1,wmv2,libx264,flv,h263,png,libtheora
  --enable-encoder=libmp3lame,mp2,pcm_alaw,ac3,adpcm_ima_wav,adpcm_ms,aac,libvorbis,wmav2
  # What the null muxer takes: the tests decode a file into it to check it.
  --enable-encoder=wrapped_avframe,pcm_s16le
  --enable-libx264 --enable-libmp3lame --enable-libvorbis --enable-libtheora
  # zscale (zimg) linearises HDR input for tonemap, which maps it to SDR.
  --enable-libzimg
  # The profiles' containers ("-target" picks dvd, vcd and svcd; ".wmv"
  # picks asf), and null, into which the tests decode a file to check it.
  --disable-muxers
  --enable-muxer=avi,asf,mpeg1system,mpeg1vcd,mpeg2svcd,mpeg2dvd,mp4,mov,tgp,flv,rm,mp3
  --enable-muxer=wav,ogg,adts,null
  # The filters ffmpeg inserts by itself (sizes, rates, formats, rotated
  # sources, trimming) and the tests' test-pattern and tone sources.
  --disable-filters
  --enable-filter=null,anull,format,aformat,scale,aresample,fps,trim,atrim
  --enable-filter=transpose,hflip,vflip,rotate,pan,apad,volume,testsrc,sine
  # HDR inputs: zscale converts and linearises, tonemap maps to SDR.
  --enable-filter=zscale,tonemap
  # Every decoder, demuxer, parser and bitstream filter stays: users add anything.
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
licence /usr/share/doc/libz-mingw-w64-dev/copyright "zlib-copyright"
{
  echo "ffmpeg.exe $version for 64-bit Windows is free software under the GNU"
  echo "General Public License, version 2 or later (ffmpeg-COPYING.GPLv2.txt)."
  echo "It contains x264 (GNU GPL, x264-COPYING.txt), LAME (GNU LGPL,"
  echo "lame-COPYING.txt), libogg, libvorbis and libtheora (BSD-style licences,"
  echo "libogg-COPYING.txt, libvorbis-COPYING.txt, libtheora-COPYING.txt), zimg"
  echo "(WTFPL, zimg-COPYING.txt) and zlib (zlib-copyright.txt). It was built"
  echo "from these Debian source"
  echo "packages, with Debian's patches:"
  printf '  %s\n' "${dscs[@]%.dsc}"
  echo "and zlib from Debian's package $zlib."
  echo "https://snapshot.debian.org/ keeps every version of them."
  echo "\"ffmpeg.exe -buildconf\" prints how it was configured."
} | sed 's/$/\r/' >"$out/licences/README.txt"

mv "$out" "$dir"
rm -rf "$work"
echo "encoder: built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s: $dir" >&2
echo "$dir"
