#!/usr/bin/env bash
# The folders of src/ as a graph, from the includes that cross folders
# (#include "folder/..."): one line "from -> to (N)" an edge, N the include
# lines behind it.  Exits 1, naming the folders of each cycle found, when the
# graph has one: a folder must never reach, through others, a folder that
# includes it.
#   tools/folder_graph.sh [SOURCE_DIR]   (the clone's src/ by default)
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
edges=$(cd "$src" &&
  { grep -rE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z0-9_]+/' . || true; } |
  sed -nE 's|^\./([^/]+)/[^:]*:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/]+)/.*|\1 \2|p' |
  awk '$1 != $2' | sort | uniq -c)
[ -n "$edges" ] || exit 0
awk '{ printf "%s -> %s (%d)\n", $2, $3, $1 }' <<<"$edges"
# tsort orders the folders, and names the folders of a loop when there is one.
if ! loop=$(awk '{ print $2, $3 }' <<<"$edges" | tsort 2>&1 >/dev/null); then
  sed -nE 's/^tsort: .*contains a loop:$/folder_graph: a cycle of includes between these folders:/p
            s/^tsort: (.*)/  \1/p' <<<"$loop" >&2
  exit 1
fi
