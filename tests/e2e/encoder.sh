#!/usr/bin/env bash
# The encoder the application folder ships: the build of the Debian source
# version apt offers now (not a copy from elsewhere), under the GPL, with the
# libraries the profiles use and the decoders and demuxers users' files need;
# it and the program import nothing but system DLLs, so they run on a clean
# Windows; its licence texts and its help page, with its version, ship too.
# Run by tools/test.sh with VM_ROOT and the Wine environment set.
set -euo pipefail
root=${VM_ROOT:?VM_ROOT must name the repository}
build=${VM_WIN_BUILD:-$root/build/win}
app="$root/build/app"
ffmpeg="$app/ffmpeg.exe"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
run() { wine "$ffmpeg" -hide_banner "$@" 2>&1 | tr -d '\r'; }

[ -f "$ffmpeg" ] || fail "no $ffmpeg (build the Windows targets first)"
cmp -s "$ffmpeg" "$root/build/deps/encoder/ffmpeg.exe" ||
  fail "build/app/ffmpeg.exe is not the encoder tools/setup.sh built (build/deps/encoder)"

echo "the version of the Debian source package"
expected=$("$root/tools/encoder/build.sh" --version)
first=$(wine "$ffmpeg" -version 2>/dev/null | tr -d '\r' | head -n1)
case "$first" in
  "ffmpeg version $expected "*) ;;
  *) fail "ffmpeg.exe reports \"$first\", expected version $expected" ;;
esac
config=$(run -buildconf)
for option in --enable-gpl --enable-libx264 --enable-libmp3lame --enable-libvorbis --enable-libtheora \
  --enable-libzimg --enable-libx265 --enable-libsvtav1 --enable-libvpx --enable-libopus --enable-libdav1d; do
  grep -qe "$option\$" <<<"$config" || fail "ffmpeg.exe was not configured with $option"
done
run -L | tr '\n' ' ' | grep -q 'GNU General Public License .*either version 2' ||
  fail "ffmpeg.exe does not report the GPL, version 2 or later"

echo "whatever users add is read: decoders, demuxers and the file protocol"
decoders=$(run -decoders | awk '$1 ~ /^[VAS]/ { print $2 }')
for d in h264 hevc vp8 vp9 libdav1d mpeg2video mpeg4 msmpeg4 wmv3 vc1 prores mjpeg theora flv \
  aac mp3 mp2 ac3 eac3 dca opus vorbis flac alac wmav2 pcm_s16le amrnb; do
  grep -qx "$d" <<<"$decoders" || fail "no $d decoder"
done
demuxers=$(run -demuxers | awk '$1 ~ /D/ { print $2 }')
for d in matroska,webm mov,mp4,m4a,3gp,3g2,mj2 mpegts mpeg avi asf flv ogg wav mp3 aac flac rm; do
  grep -qx "$d" <<<"$demuxers" || fail "no $d demuxer"
done
run -protocols | grep -qx ' *file' || fail "no file protocol"
echo "the newer formats are written"
encoders=$(run -encoders | awk '$1 ~ /^[VA]/ { print $2 }')
for e in libx265 libsvtav1 libvpx-vp9 libopus flac; do
  grep -qx "$e" <<<"$encoders" || fail "no $e encoder"
done
muxers=$(run -muxers | awk '$1 ~ /E/ { print $2 }')
for m in webm matroska flac opus ipod mp4; do
  grep -qx "$m" <<<"$muxers" || fail "no $m muxer"
done
filters=$(run -filters | awk '{ print $2 }')
for f in zscale tonemap; do
  grep -qx "$f" <<<"$filters" || fail "no $f filter (HDR inputs are mapped with it)"
done

echo "only system DLLs: the encoder and the program run on a clean Windows"
system='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|shlwapi|uxtheme|msimg32|psapi|bcrypt|msvcrt|ws2_32|winmm|version)\.dll$'
for exe in "$ffmpeg" "$app/Vidmorph.exe" "$app/AuxDmo.dll"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
  [ -n "$dlls" ] || fail "no imports read from $exe"
  others=$(tr 'A-Z' 'a-z' <<<"$dlls" | grep -Ev "$system" || true)
  [ -z "$others" ] || fail "$(basename "$exe") needs $(tr '\n' ' ' <<<"$others")beyond the system's DLLs"
done

echo "the licence texts and the help page ship with it"
for f in README.txt ffmpeg-COPYING.GPLv2.txt ffmpeg-COPYING.LGPLv2.1.txt ffmpeg-LICENSE.txt \
  x264-COPYING.txt lame-COPYING.txt libogg-COPYING.txt libvorbis-COPYING.txt \
  libtheora-COPYING.txt libtheora-LICENSE.txt zimg-COPYING.txt zlib-copyright.txt \
  dav1d-COPYING.txt x265-COPYING.txt svt-av1-LICENSE.txt svt-av1-PATENTS.txt libvpx-LICENSE.txt \
  libvpx-PATENTS.txt opus-COPYING.txt gcc-runtime-copyright.txt gcc-runtime-GPL-3.txt \
  mingw-w64-copyright.txt; do
  [ -s "$app/licences/$f" ] || fail "no licences/$f in the application folder"
done
grep -q "ffmpeg_$expected\b" "$app/licences/README.txt" || fail "licences/README.txt does not name ffmpeg_$expected"
grep -q "Version 2, June 1991" "$app/licences/ffmpeg-COPYING.GPLv2.txt" ||
  fail "licences/ffmpeg-COPYING.GPLv2.txt is not the GPL's text"
page="$build/help/encoder.html"
[ -f "$app/help.chm" ] && [ -f "$page" ] || fail "the help was not compiled"
grep -q "ffmpeg version $expected<" "$page" || fail "the help page does not name version $expected"
# The help file's directory of pages is stored uncompressed.
grep -aq '/encoder.html' "$app/help.chm" || fail "help.chm holds no encoder.html"
echo "the encoder's source ships as a download of its own"
source_zip="$build/dist/Vidmorph-encoder-$expected-source.zip"
[ -s "$source_zip" ] || fail "no $source_zip"
listing=$(unzip -Z1 "$source_zip")
grep -qx "source/build.sh" <<<"$listing" || fail "the source download holds no build.sh"
for p in ffmpeg x264 x265 svt-av1 libvpx dav1d opus lame libogg libvorbis libtheora zimg; do
  dsc=$(grep -E "^source/${p}_[^/]*\.dsc\$" <<<"$listing") || fail "the source download holds no $p .dsc"
  # Every file the .dsc names is there beside it.
  for f in $(unzip -p "$source_zip" "$dsc" | awk '/^Files:/ { on = 1; next } /^[^ ]/ { on = 0 } on { print $3 }'); do
    grep -qx "source/$f" <<<"$listing" || fail "the source download lacks $f, which $dsc names"
  done
done
grep -q "encoder-$expected-source.zip" "$page" || fail "the help page does not say where the source is"
echo "encoder: ok"
