#!/usr/bin/env bash
# Checks what the tools enforce before any test runs: clang-format on every
# tracked source, includes pointing down the layers (check-layers.py), and
# clang-tidy (.clang-tidy) on the sources of src/, libs/ and tools/ changed
# since the merge-base with origin/main, or by the last commit when there is
# no origin/main or nothing on top of it. Needs build/compile_commands.json
# (scripts/setup.sh makes it).
#   scripts/check-style.sh          clang-tidy on the changed sources only
#   scripts/check-style.sh --all    clang-tidy on every source
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

all=false
case "${1:-}" in
--all) all=true ;;
"") ;;
*)
  echo "usage: scripts/check-style.sh [--all]" >&2
  exit 2
  ;;
esac

failed=()

if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror; then
  failed+=("clang-format: run clang-format -i on the files named above")
fi

if ! python3 scripts/check-layers.py "$top"; then
  failed+=("layers: see check-layers.py above (the README's Layout section)")
fi

# The sources clang-tidy looks at: tests, benchmarks and fuzz targets are left out.
tidy_roots=('src/*.cpp' 'libs/*.cpp' 'tools/*.cpp')

# Prints the base the changed files are taken against, or nothing.
ChangeBase() {
  local base=""
  if git rev-parse -q --verify origin/main >/dev/null; then
    base=$(git merge-base HEAD origin/main 2>/dev/null || true)
  fi
  # On main itself (a fresh clone, CI) nothing is on top of origin/main: the
  # last commit is what changed.
  if [ -z "$base" ] || [ "$base" = "$(git rev-parse HEAD)" ]; then
    base=$(git rev-parse -q --verify 'HEAD~1^{commit}' 2>/dev/null || true)
  fi
  echo "$base"
}

# The files of src/, libs/ or tools/ that include a header directly, by its
# folder's name or, beside it, by its own name.
IncludersOf() {
  local header=$1 name=${1##*/} folder=${1%/*}
  shift
  git grep -l -F "#include \"${folder##*/}/$name\"" -- "$@" || true
  git grep -l -F "#include \"$name\"" -- "$folder/*.cpp" "$folder/*.h" | grep -v -x -F "$header" || true
}

# A changed header is checked through one source that includes it (its own
# .cpp when it has one, else a direct includer, else one through the headers
# that include it), whose run reports the header's findings through the
# header filter of .clang-tidy; every includer of a widely used header would
# cost minutes.
SourceForHeader() {
  local header=$1 depth=${2:-0} own=${1%.h}.cpp found includer
  if [ -f "$own" ]; then
    echo "$own"
    return
  fi
  found=$(IncludersOf "$header" "${tidy_roots[@]}" | grep '\.cpp$' | head -n 1 || true)
  if [ -n "$found" ] || [ "$depth" -ge 3 ]; then
    echo "$found"
    return
  fi
  for includer in $(IncludersOf "$header" 'src/*.h' 'libs/*.h' 'tools/*.h' | sort -u); do
    found=$(SourceForHeader "$includer" $((depth + 1)))
    if [ -n "$found" ]; then
      echo "$found"
      return
    fi
  done
}

if $all; then
  mapfile -t sources < <(git ls-files -- "${tidy_roots[@]}")
else
  sources=()
  base=$(ChangeBase)
  if [ -n "$base" ]; then
    # Against the working tree: edits not yet committed count as changed too.
    while IFS= read -r file; do
      case "$file" in
      *.cpp) sources+=("$file") ;;
      *.h) sources+=("$(SourceForHeader "$file")") ;;
      esac
    done < <(git diff --name-only --diff-filter=d "$base" -- "${tidy_roots[@]}" 'src/*.h' 'libs/*.h' 'tools/*.h')
  fi
  if [ ${#sources[@]} -gt 0 ]; then
    mapfile -t sources < <(printf '%s\n' "${sources[@]}" | sed '/^$/d' | sort -u)
  fi
fi

if [ ${#sources[@]} -gt 0 ]; then
  if [ ! -f build/compile_commands.json ]; then
    echo "check-style: build/compile_commands.json is missing; run scripts/setup.sh first" >&2
    exit 1
  fi
  echo "clang-tidy on ${#sources[@]} source(s)"
  # Each file's report is printed whole, and only when it has a finding
  # (without the count of the warnings it hid in Qt's headers).
  # shellcheck disable=SC2016 # expanded by the sh of each file, not here
  tidy_one='out=$(clang-tidy -p build --quiet "$1" 2>&1) || { printf "%s\n" "$out" | grep -v "warnings generated\.$"; exit 1; }'
  if ! printf '%s\0' "${sources[@]}" | xargs -0 -n 1 -P 2 sh -c "$tidy_one" tidy; then
    failed+=("clang-tidy: fix the findings above, or justify one inline with // NOLINT(check): why")
  fi
else
  echo "clang-tidy: no changed source"
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo >&2
  echo "The style check failed:" >&2
  printf '  %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "The style check passed."
