#!/usr/bin/env bash
# Makes the corpus of today's inputs in a folder, each a few seconds long, made
# by Debian's own encoder (and exiftool for a phone's rotation tag, which that
# encoder cannot write into MP4): the files the program must read.
# Usage: make_corpus.sh FOLDER [SECONDS]   (default 2 seconds)
# Prints one line per file: NAME DURATION, where DURATION is the length the
# converted file must keep.
set -euo pipefail
out=${1:?usage: make_corpus.sh FOLDER [SECONDS]}
t=${2:-2}
mkdir -p "$out"
export SVT_LOG=1  # SVT-AV1 tells its whole configuration otherwise
command -v ffmpeg >/dev/null || { echo "corpus: no Debian ffmpeg (tools/setup.sh installs it)" >&2; exit 1; }
command -v exiftool >/dev/null || { echo "corpus: no exiftool (tools/setup.sh installs it)" >&2; exit 1; }

pic="testsrc2=size=320x240:rate=30"
tone="sine=frequency=440:sample_rate=48000"
make() {
  local name=$1
  shift
  ffmpeg -v error -y "$@" -t "$t" "$out/$name" || { echo "corpus: Debian's ffmpeg could not make $name" >&2; exit 1; }
  echo "$name $t"
}
av() { echo -f lavfi -i "$pic" -f lavfi -i "$tone"; }

# shellcheck disable=SC2046
{
  make av1.mp4 $(av) -c:v libsvtav1 -preset 12 -c:a aac
  make av1.webm $(av) -c:v libsvtav1 -preset 12 -c:a libopus
  make hevc8.mp4 $(av) -c:v libx265 -preset ultrafast -tag:v hvc1 -c:a aac -x265-params log-level=error
  make hevc10.mkv $(av) -c:v libx265 -preset ultrafast -pix_fmt yuv420p10le -c:a aac -x265-params log-level=error
  make hevc10.mp4 $(av) -c:v libx265 -preset ultrafast -pix_fmt yuv420p10le -c:a aac -x265-params log-level=error
  make vp9_opus.webm $(av) -c:v libvpx-vp9 -deadline realtime -cpu-used 8 -c:a libopus
  make h264_aac.mov $(av) -c:v libx264 -preset ultrafast -c:a aac
  # An editing program's master, at 25 frames a second as in PAL countries.
  make prores.mov -f lavfi -i "testsrc2=size=320x240:rate=25" -f lavfi -i "$tone" \
    -c:v prores_ks -profile:v 1 -c:a pcm_s16le
  # A phone's variable frame rate: frames dropped unevenly, timestamps kept.
  make vfr.mp4 $(av) -vf "select='not(mod(n\,3))+lt(t\,0.5)'" -fps_mode vfr -c:v libx264 -preset ultrafast -c:a aac
  # Two audio tracks (stereo and mono, in two languages) and a subtitle track.
  printf '1\n00:00:00,000 --> 00:00:01,000\nHello\n' >"$out/subs.srt"
  make tracks.mkv $(av) -f lavfi -i "sine=frequency=880:sample_rate=44100" -i "$out/subs.srt" \
    -map 0:v -map 1:a -map 2:a -map 3:s -c:v libx264 -preset ultrafast -c:a aac -ac:a:1 1 \
    -c:s srt -metadata:s:a:0 language=eng -metadata:s:a:1 language=deu
  rm -f "$out/subs.srt"
  make audio.flac -f lavfi -i "$tone" -c:a flac
  make audio.opus -f lavfi -i "$tone" -c:a libopus
  make alac.m4a -f lavfi -i "$tone" -c:a alac
  # More than 16 bits makes the WAVE_FORMAT_EXTENSIBLE header.
  make pcm24.wav -f lavfi -i "$tone" -c:a pcm_s24le
}
# A portrait phone video: landscape pixels and a rotation tag, the way phones
# store it; players turn it upright.
ffmpeg -v error -y $(av) -t "$t" -c:v libx264 -preset ultrafast -c:a aac "$out/portrait.mp4"
exiftool -q -overwrite_original -Rotation=90 "$out/portrait.mp4" >/dev/null ||
  { echo "corpus: exiftool could not tag portrait.mp4" >&2; exit 1; }
echo "portrait.mp4 $t"
# An MP4 cut short, its index at the end lost: it must fail with a reason.
ffmpeg -v error -y $(av) -t "$t" -c:v libx264 -preset ultrafast -c:a aac "$out/whole.mp4"
head -c "$(($(stat -c %s "$out/whole.mp4") / 2))" "$out/whole.mp4" >"$out/truncated.mp4"
rm -f "$out/whole.mp4"
echo "truncated.mp4 -"
