#!/usr/bin/env bash
# The encoder's build script when a source package is missing or fails to
# build: it names the package, exits non-zero and leaves no encoder in its
# cache for a later run to pick up. apt-get is replaced by a stand-in that
# offers version 1.0-1 of every package as an unbuildable source, except the
# one named by FAKE_MISSING, which it does not know.
# Run by tools/test.sh with VM_ROOT set; needs neither Wine nor the network.
set -euo pipefail
root=${VM_ROOT:?VM_ROOT must name the repository}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
pkg=${*: -1}
if [ "$pkg" = "${FAKE_MISSING:-}" ]; then
  echo "E: Unable to find a source package for $pkg" >&2
  exit 100
fi
if [ "$2" = --print-uris ]; then
  echo "'http://example.invalid/${pkg}_1.0-1.dsc' ${pkg}_1.0-1.dsc 100 SHA256:00"
  exit 0
fi
mkdir -p "$pkg-1.0"
echo 'AC_INIT([' >"$pkg-1.0/configure.ac"
EOF
chmod +x "$work/bin/apt-get"

# Runs the build script with the stand-in; prints its messages, returns its exit code.
build() {
  PATH="$work/bin:$PATH" VM_ENCODER_CACHE="$work/cache" FAKE_MISSING=$1 \
    "$root/tools/encoder/build.sh" 2>&1 >"$work/stdout"
}

echo "a missing source package is named and stops the build"
for missing in ffmpeg libtheora; do
  if out=$(build "$missing"); then fail "the build went on without $missing: $out"; fi
  grep -q "the source package $missing is missing" <<<"$out" || fail "no word of $missing: $out"
  [ ! -s "$work/stdout" ] || fail "the build printed a folder without $missing: $(cat "$work/stdout")"
done

echo "a package that fails to build is named and stops the build"
if out=$(build ""); then fail "the build went on past an unbuildable package: $out"; fi
grep -q "libogg failed to build" <<<"$out" || fail "the failing package is not named: $out"
[ ! -s "$work/stdout" ] || fail "a failed build printed a folder: $(cat "$work/stdout")"
found=$(find "$work/cache" -name ffmpeg.exe)
[ -z "$found" ] || fail "a failed build left an encoder: $found"
echo "encoder build faults: ok"
