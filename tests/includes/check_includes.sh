#!/usr/bin/env bash
# Includes run one way: app -> view -> document / lot -> output -> data,
# and the command line cli -> lot -> output -> data; archive/ stands beside
# the core. A room includes only itself and the rooms below it, and so do
# its tests. Prints every include that runs the other way and fails if there
# is one.
set -uo pipefail
root=${1:-$(dirname "$0")/../..}
cd "$root" || exit 2

declare -A allowed=(
  [data]="data"
  [output]="output data"
  [archive]="archive data"
  [lot]="lot output data"
  [cli]="cli lot output data"
  [document]="document output data"
  [view]="view document lot output data"
  [app]="app view document cli lot archive output data"
)

bad=0
for room in "${!allowed[@]}"; do
  for file in $(git ls-files "$room/*.cpp" "$room/*.h" "tests/$room/*.cpp" "tests/$room/*.h"); do
    while IFS= read -r target; do
      included=${target%%/*}
      [ "$included" = "$target" ] && continue # a header of the tests' own
      case " ${allowed[$room]} " in
        *" $included "*) ;;
        *) echo "$file includes $target: $room may include only ${allowed[$room]}"; bad=1 ;;
      esac
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  done
done
exit $bad
