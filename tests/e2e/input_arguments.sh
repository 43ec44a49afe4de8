#!/usr/bin/env bash
# What an input calls for, end to end with the shipped encoder: files made by
# Debian's own encoder as phones and cameras make them, converted as a run
# converts them (tests/helpers/convert_with_details.cpp, the details given as
# a probe tells them). Through the H.264 profile a 10-bit and a 4:2:2 source
# come out 8-bit 4:2:0; HDR (PQ and HLG) comes out mapped to SDR, as bright
# and as saturated as a reference mapping made by Debian's encoder, and far
# from the same file converted untreated; an 8-bit 4:2:0 source gets exactly
# the command line it gets without details.
# Run by tools/test.sh with VM_ROOT and the Wine environment set.
set -euo pipefail
root=${VM_ROOT:?VM_ROOT must name the repository}
build=${VM_WIN_BUILD:-$root/build/win}
app="$root/build/app"
convert="$build/helpers/convert_with_details.exe"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for f in "$app/ffmpeg.exe" "$convert"; do
  [ -f "$f" ] || fail "missing $f (build the Windows targets first)"
done
command -v ffmpeg >/dev/null || fail "no Debian ffmpeg (tools/setup.sh installs it)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
win() { winepath -w "$1"; }
appdir=$(win "$app")\\

# Two seconds of moving colour bars, 640x360.
make() {  # name, encoder arguments...
  local name=$1
  shift
  ffmpeg -nostdin -v error -y -f lavfi -i testsrc2=size=640x360:rate=25:duration=2 "$@" "$work/$name" ||
    fail "Debian's ffmpeg could not make $name"
}
x265=(-c:v libx265 -x265-params log-level=error)
make ten.mkv -pix_fmt yuv420p10le "${x265[@]}"
make fourtwotwo.mov -pix_fmt yuv422p -c:v libx264
make plain.mp4 -pix_fmt yuv420p -c:v libx264
tags() { echo -color_primaries bt2020 -colorspace bt2020nc -color_trc "$1"; }
make pq.mp4 -pix_fmt yuv420p10le "${x265[@]}" $(tags smpte2084)
make hlg.mkv -pix_fmt yuv420p10le "${x265[@]}" $(tags arib-std-b67)

# Converts with profile $1 in form $2 (long, short) from $3 to $4, details $5.
converted() {
  wine "$convert" "$appdir" "$1" "$2" "$(win "$work/$3")" "$(win "$work/$4")" "$5" \
    >"$work/$4.log" 2>&1 || fail "$4: the encoder failed: $(tail -n 3 "$work/$4.log")"
}
stream() {  # file, entry
  ffprobe -v error -select_streams v:0 -show_entries "stream=$2" -of default=nw=1:nk=1 "$work/$1"
}

echo "H.264 from 10-bit and 4:2:2 sources is 8-bit 4:2:0"
for form in long short; do
  converted 6 $form ten.mkv ten-$form.mp4 10:420:sdr
  converted 6 $form fourtwotwo.mov fourtwotwo-$form.mp4 8:422:sdr
  for out in ten-$form.mp4 fourtwotwo-$form.mp4; do
    [ "$(stream $out pix_fmt)" = yuv420p ] || fail "$out is $(stream $out pix_fmt), not yuv420p"
    [ "$(stream $out profile)" = High ] || fail "$out is H.264 $(stream $out profile), not High"
  done
done

echo "an 8-bit 4:2:0 source gets the command line it gets without details"
converted 6 long plain.mp4 plain-known.mp4 8:420:sdr
converted 6 long plain.mp4 plain-unknown.mp4 none
[ "$(head -n1 "$work/plain-known.mp4.log" | sed 's/-known\.mp4/.mp4/')" = \
  "$(head -n1 "$work/plain-unknown.mp4.log" | sed 's/-unknown\.mp4/.mp4/')" ] ||
  fail "the command lines differ: $(head -n1 "$work/plain-known.mp4.log")"

# The mean luma and saturation over every frame, in 8-bit units.
measure() {  # file
  ffmpeg -nostdin -v error -i "$work/$1" -vf format=yuv420p,signalstats,metadata=print:file=- -f null - |
    awk -F= '/YAVG/ { y += $2; n++ } /SATAVG/ { s += $2 }
             END { if (n == 0) exit 1; print y / n, s / n }'
}
# Whether a and b differ by at most tol (in 8-bit units).
near() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; exit !(d <= t && -d <= t) }'; }

echo "HDR is mapped to SDR, near a reference mapping and far from the untreated output"
tolerance=6  # of 255, brightness and saturation alike
for src in pq.mp4 hlg.mkv; do
  transfer=${src%%.*}
  ffmpeg -nostdin -v error -y -i "$work/$src" -vf "zscale=t=linear:npl=100,format=gbrpf32le,zscale=p=bt709,tonemap=tonemap=hable:desat=0,zscale=t=bt709:m=bt709:r=tv,format=yuv420p" \
    -c:v libx264 -qp 0 "$work/$transfer-reference.mkv" || fail "no reference mapping of $src"
  read -r ref_y ref_s < <(measure "$transfer-reference.mkv")
  # The H.264 profile keeps the source's size; the AVI profile's size row scales first.
  for case in "6 long mp4" "6 short mp4" "2 long avi"; do
    read -r profile form ext <<<"$case"
    out=$transfer-$profile-$form.$ext
    converted "$profile" "$form" "$src" "$out" 10:420:$transfer
    grep -q tonemap "$work/$out.log" || fail "$out was converted without mapping"
    read -r y s < <(measure "$out")
    echo "  $out: brightness $y, saturation $s; reference $ref_y, $ref_s"
    near "$y" "$ref_y" $tolerance && near "$s" "$ref_s" $tolerance ||
      fail "$out is not near the reference mapping"
    [ "$(stream "$out" color_transfer)" != smpte2084 ] && [ "$(stream "$out" color_transfer)" != arib-std-b67 ] ||
      fail "$out is still tagged HDR"
  done
  converted 6 long "$src" "$transfer-untreated.mp4" none
  read -r y s < <(measure "$transfer-untreated.mp4")
  echo "  untreated: brightness $y, saturation $s"
  near "$y" "$ref_y" $((tolerance * 3)) && near "$s" "$ref_s" $((tolerance * 3)) &&
    fail "the untreated output is as near the reference as a mapped one: the check tells nothing"
done
echo "input arguments: ok"
