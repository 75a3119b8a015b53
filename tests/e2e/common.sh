# Helpers of the end-to-end checks. They run Windows programs under the Wine that
# scripts/test.sh prepared (WINEPREFIX, DISPLAY and WINE_LOADER are in the environment).

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok"; }

make_out_dir() {
  local dir
  dir=$(mktemp -d /tmp/quorlo-e2e.XXXXXX)
  echo "$dir"
}

# run_test_program EXE OUT_DIR ARGS...: runs it with QUORLO_TEST_OUT pointing at OUT_DIR.
run_test_program() {
  local exe=$1 out=$2
  shift 2
  QUORLO_TEST_OUT="Z:${out//\//\\}" "${WINE_LOADER:?}" "$exe" "$@" >"$out/program.log" 2>&1 </dev/null ||
    { cat "$out/program.log"; fail "$(basename "$exe") $*"; }
}

# probe FILE v|a FIELD: one field of the first video or audio stream.
probe() {
  ffprobe -v error -select_streams "$2:0" -count_frames -show_entries "stream=$3" -of default=nw=1:nk=1 "$1"
}

# expect_stream FILE v|a "key=value|key=value...": the stream has these properties.
expect_stream() {
  local file=$1 kind=$2 want=$3 have pair
  have=$(ffprobe -v error -select_streams "$kind:0" -count_frames -show_entries stream -of compact=nk=0 "$file")
  IFS='|' read -ra pairs <<<"$want"
  for pair in "${pairs[@]}"; do
    [[ "|$have|" == *"|$pair|"* ]] || fail "$(basename "$file"): expected $pair in: $have"
  done
}
