#!/usr/bin/env bash
# Fails, naming the files, when a source file is not formatted as .clang-format says.
set -u
fmt=$1
bad=()
while IFS= read -r f; do
  if ! "$fmt" --dry-run --Werror "$f" >/dev/null 2>&1; then bad+=("$f"); fi
done < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
if [ ${#bad[@]} -gt 0 ]; then
  echo "not clang-formatted (run make format):"; printf '  %s\n' "${bad[@]}"; exit 1
fi
echo "all sources formatted"
