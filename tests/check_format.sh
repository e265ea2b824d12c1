#!/usr/bin/env bash
# Fails, naming the files, when a source file is not formatted as .clang-format says.
set -u
fmt=$1
mapfile -t files < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
# One run over every file: it names each line that would change.
said=$("$fmt" --dry-run --Werror "${files[@]}" 2>&1) && exit_status=0 || exit_status=$?
mapfile -t bad < <(echo "$said" | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error:.*/\1/p' | sort -u)
if [ ${#bad[@]} -gt 0 ]; then
  echo "not clang-formatted (run make format):"; printf '  %s\n' "${bad[@]}"; exit 1
elif [ "$exit_status" != 0 ]; then
  echo "$said"; exit 1
fi
echo "all sources formatted"
