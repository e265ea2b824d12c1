#!/usr/bin/env bash
# clang-tidy, with the checks of .clang-tidy, over every .cpp of ours in the build's compile
# database, a few at a time; any finding fails. Usage: scripts/lint.sh build-folder [jobs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "$1" && pwd)
jobs=${2:-2}
tidy=${CLANG_TIDY:-clang-tidy}

# One entry for each of our sources: Qt's generated files (moc, resources) live in the build
# folder and are not ours, and a source that several targets share (the tests' main) is read
# once, not once per target. In a unity build (make's default) the entries are the unity files
# that include a few of our sources each: clang-tidy parses Qt's headers once for them all.
mkdir -p "$build/lint"
files=$(python3 - "$build/compile_commands.json" "$PWD" "$build" "$build/lint" <<'EOF'
import json, os, sys
db, root, build, out = sys.argv[1:]
ours = ("tests", "src", "bench", "tools")  # the tests first: they take longest
chosen = {}
for entry in json.load(open(db)):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    top = os.path.relpath(path, root).split(os.sep)[0]
    unity = "/Unity/unity_" in path and path.startswith(build + os.sep)
    if unity or (top in ours and path.endswith(".cpp") and not path.startswith(build + os.sep)):
        chosen.setdefault(path, entry)
with open(os.path.join(out, "compile_commands.json"), "w") as f:
    json.dump(list(chosen.values()), f, indent=1)
def rank(p):
    top = os.path.relpath(p, root).split(os.sep)[0]
    return (ours.index(top) if top in ours else len(ours), p)
order = sorted(chosen, key=rank)
print("\n".join(order))
EOF
)

[ -n "$files" ] || { echo "lint: no sources of ours in $build/compile_commands.json" >&2; exit 1; }

echo "lint: clang-tidy over $(wc -l <<<"$files") files, $jobs at a time"
start=$SECONDS
# clang-tidy counts the warnings it hid in the system's headers; those lines say nothing
# about our code.
set +o pipefail
# Our sources count as ours when a unity file includes them; a unity file's including .cpp
# files is how it is made, not a suspicious include.
xargs -P "$jobs" -n 1 "$tidy" -p "$build/lint" --quiet --warnings-as-errors='*' \
  --config-file="$PWD/.clang-tidy" --checks=-bugprone-suspicious-include \
  --header-filter="^$PWD/(src|tests|bench|tools)/.*\.(h|cpp)\$" <<<"$files" 2>&1 |
  { grep -Ev '^[0-9]+ warnings? generated\.$' || true; }
status=${PIPESTATUS[0]}
echo "lint: $((SECONDS - start)) s"
if [ "$status" -ne 0 ]; then
  echo "lint: clang-tidy found something (above)" >&2
  exit 1
fi
echo "lint: no findings"
