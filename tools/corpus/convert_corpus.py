#!/usr/bin/env python3
"""Converts the corpus of today's inputs with the console program and the
bundled encoder under Wine, and probes every output with Debian's ffprobe:
its container and codecs must be those its command line asked for, a picture
that a player showed upright must stay upright (the output's pixels upright,
no rotation tag left), and its duration must stay within a second of the
source's.

  convert_corpus.py APP CORPUS WORK --pairs    each input with one profile of
      its kind, chosen so that every container and every later profile is met
  convert_corpus.py APP CORPUS WORK --all      every input with every profile
      of its kind, in the long and the short form, and every quality row of
      the later video profiles

APP holds VidmorphCmd.exe and ffmpeg.exe; CORPUS is what make_corpus.sh made.
Prints one line per conversion and a summary; exits 1 when any failed.
"""
import concurrent.futures
import json
import os
import re
import subprocess
import sys

# The encoder's names for what it writes, as ffprobe names the result.
CODEC = {"libx264": "h264", "libx265": "hevc", "libsvtav1": "av1", "libvpx-vp9": "vp9",
         "msmpeg4": "msmpeg4v3", "flv": "flv1", "libmp3lame": "mp3", "libvorbis": "vorbis",
         "libopus": "opus"}
# A container argument (or, without one, the extension) and ffprobe's format name.
FORMAT = {"mp4": "mp4", "ipod": "mp4", "3gp": "mp4", "mov": "mp4", "avi": "avi", "asf": "asf",
          "mpeg": "mpeg", "dvd": "mpeg", "vcd": "mpeg", "svcd": "mpeg", "flv": "flv", "rm": "rm",
          "mp3": "mp3", "wav": "wav", "ogg": "ogg", "adts": "aac", "webm": "webm", "flac": "flac",
          ".wmv": "asf"}
# What each target means for the codecs, since its command line names none.
TARGET_CODECS = {"dvd": ("mpeg2video", "ac3"), "vcd": ("mpeg1video", "mp2"),
                 "svcd": ("mpeg2video", "mp2")}

AUDIO_ONLY = ("audio.flac", "audio.opus", "alac.m4a", "pcm24.wav")
# Each input with one profile, or two; together they meet one profile of every
# container and every profile added since the first 27.
PAIRS = [
    ("av1.mp4", 27), ("av1.webm", 29), ("av1.webm", 4), ("hevc8.mp4", 28), ("hevc10.mkv", 6),
    ("hevc10.mp4", 3), ("vp9_opus.webm", 32), ("vp9_opus.webm", 9), ("h264_aac.mov", 18),
    ("h264_aac.mov", 8), ("h264_aac.mov", 19), ("prores.mov", 2), ("prores.mov", 5),
    ("prores.mov", 20), ("vfr.mp4", 7),
    ("portrait.mp4", 27), ("portrait.mp4", 29), ("tracks.mkv", 28), ("tracks.mkv", 6),
    ("audio.flac", 31), ("audio.flac", 23), ("audio.opus", 30), ("audio.opus", 24),
    ("alac.m4a", 22), ("pcm24.wav", 26), ("truncated.mp4", 6),
]
VIDEO_PROFILES = list(range(0, 22)) + [27, 28, 29]
AUDIO_PROFILES = list(range(22, 27)) + [30, 31, 32]
QUALITY_PROFILES = (27, 28, 29)


def probe(path):
    out = subprocess.run(["ffprobe", "-v", "error", "-print_format", "json", "-show_format",
                          "-show_streams", path], capture_output=True, text=True)
    if out.returncode != 0:
        return None
    return json.loads(out.stdout)


def rotation(stream):
    for side in stream.get("side_data_list", []):
        if "rotation" in side:
            return int(side["rotation"]) % 360
    return int(stream.get("tags", {}).get("rotate", 0)) % 360


def shown_portrait(stream):
    w, h = stream["width"], stream["height"]
    if rotation(stream) in (90, 270):
        w, h = h, w
    return h > w


def first(info, kind):
    return next((s for s in info["streams"] if s["codec_type"] == kind
                 and not s.get("disposition", {}).get("attached_pic")), None)


def expected(command):
    """Container, video and audio codec a command line asks for."""
    args = command.split()
    def after(flag):
        return args[args.index(flag) + 1] if flag in args else None
    target = after("-target")
    if target:
        target = target.split("-")[-1]  # "pal-dvd" is a dvd
        video, audio = TARGET_CODECS[target]
        return FORMAT[target], video, audio
    out = command.rsplit('"', 2)[-2]
    fmt = FORMAT.get(after("-f") or os.path.splitext(out)[1])
    video = after("-vcodec")
    audio = None if "-an" in args else after("-acodec")
    return fmt, CODEC.get(video, video), CODEC.get(audio, audio)


def check(source, output, command, short_form_or_size_kept):
    """What is wrong with one output, or an empty string."""
    src, got = probe(source), probe(output)
    if got is None:
        return "ffprobe cannot read the output"
    fmt, video, audio = expected(command)
    problems = []
    if fmt not in got["format"]["format_name"].split(","):
        problems.append(f"container {got['format']['format_name']}, expected {fmt}")
    v, a = first(got, "video"), first(got, "audio")
    if video and first(src, "video"):
        if not v or v["codec_name"] != video:
            problems.append(f"video {v and v['codec_name']}, expected {video}")
        elif short_form_or_size_kept and first(src, "video").get("width"):
            if shown_portrait(v) != shown_portrait(first(src, "video")):
                problems.append("the picture turned")
            if rotation(v):
                problems.append(f"rotation tag {rotation(v)} left on turned pixels")
    if "-vn" in command.split() and v:
        problems.append(f"a video stream ({v['codec_name']}) in an audio file")
    if audio and (not a or a["codec_name"] != audio):
        problems.append(f"audio {a and a['codec_name']}, expected {audio}")
    length, want = float(got["format"].get("duration", 0)), float(src["format"]["duration"])
    if abs(length - want) > 1.0:
        problems.append(f"duration {length:.2f} s, source {want:.2f} s")
    return "; ".join(problems)


def run_cmd(app, args):
    return subprocess.run(["wine", "VidmorphCmd.exe"] + args, cwd=app, capture_output=True,
                          stdin=subprocess.DEVNULL)


def winpath(path):
    return subprocess.run(["winepath", "-w", path], capture_output=True,
                          text=True).stdout.strip()


def quality_rows(app, profile):
    """The labels of a profile's quality rows, read from --list-options."""
    text = run_cmd(app, ["--list-options", str(profile)]).stdout.decode("utf-8", "replace")
    return re.findall(r"CRF \d+", text)


def convert(app, work, profile, inputs, variant, extra):
    """One run of the console program; the report's entry for each input."""
    out = os.path.join(work, f"p{profile}-{variant.replace(' ', '_')}")
    os.makedirs(out, exist_ok=True)
    report, log = os.path.join(out, "report.json"), os.path.join(out, "run.log")
    run_cmd(app, ["--profile", str(profile), "--out", winpath(out), "--overwrite", "yes",
                  "--report", winpath(report), "--log", winpath(log)] + extra +
            [winpath(i) for i in inputs])
    if not os.path.exists(report):
        return {i: None for i in inputs}, ""
    files = json.load(open(report, encoding="utf-8"))["files"]
    return {i: f for i, f in zip(inputs, files)}, open(log, "rb").read().decode("utf-8", "replace")


def unix(path):
    return subprocess.run(["winepath", "-u", path], capture_output=True,
                          text=True).stdout.strip()


def main():
    app, corpus, work, mode = sys.argv[1:5]
    os.makedirs(work, exist_ok=True)
    names = sorted(os.listdir(corpus))
    runs = {}  # (profile, variant, extra) -> inputs
    if mode == "--pairs":
        for name, profile in PAIRS:
            runs.setdefault((profile, "long", ()), []).append(name)
    else:
        for profile in VIDEO_PROFILES + AUDIO_PROFILES:
            takes = [n for n in names if profile in AUDIO_PROFILES or n not in AUDIO_ONLY]
            runs[(profile, "long", ())] = takes
            runs[(profile, "short", ("--original",))] = takes
            if profile in QUALITY_PROFILES:
                for label in quality_rows(app, profile):
                    runs[(profile, label, ("--video-bitrate", label))] = takes
    def converted_and_checked(run):
        """One run of the console program and what is wrong with each output."""
        (profile, variant, extra), inputs = run
        paths = [os.path.join(corpus, n) for n in inputs]
        results, log = convert(app, work, profile, paths, variant, list(extra))
        checked = []
        for path in paths:
            name, entry = os.path.basename(path), results[path]
            if entry is None:
                problem = "the console program wrote no report"
            elif name == "truncated.mp4":
                # It must fail, and say why.
                problem = "" if entry["outcome"] == "failed" and entry["reason"] else \
                    f"outcome {entry['outcome']}, reason {entry['reason']!r}"
            elif entry["outcome"] != "converted":
                problem = f"{entry['outcome']}: {entry['reason']}"
            else:
                output = unix(entry["output"])
                command = next((line for line in log.splitlines()
                                if entry["output"] in line and "-i" in line), "")
                # A disc target sets its own frame (and pixel shape), as -s does.
                size_kept = ("--original" in extra or " -s " not in command) and \
                    " -target " not in command
                problem = check(path, output, command, size_kept) if command else \
                    "no command line in the log"
            checked.append((name, profile, variant, problem))
        return checked

    failed = passed = 0
    # Two runs at once: an encoder under Wine often waits rather than computes.
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for checked in pool.map(converted_and_checked, sorted(runs.items())):
            for name, profile, variant, problem in checked:
                state = "FAIL" if problem else "pass"
                failed += bool(problem)
                passed += not problem
                print(f"{name:15} {profile:2} {variant:7} {state}  {problem}", flush=True)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
