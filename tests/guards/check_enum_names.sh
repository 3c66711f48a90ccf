#!/usr/bin/env bash
# Compiles enum_names_drift.cpp once per case: the matching name list must compile, and each list
# that drifts from its enumeration must fail with the message that says how.
#   check_enum_names.sh CXX SOURCE_DIR
set -uo pipefail
cxx=$1; source_dir=$2
expected=(
  ""
  "enumeration names must pair with the values 0, 1, 2... in order"
  "each enumeration name must be spelled as its enumerator"
  "the enumeration has a value after the last named one"
)
failed=0
for drift in "${!expected[@]}"; do
  output=$("$cxx" -std=c++20 -fsyntax-only -I"$source_dir" -DDRIFT="$drift" \
    "$source_dir/tests/guards/enum_names_drift.cpp" 2>&1)
  status=$?
  want=${expected[$drift]}
  if [[ -z "$want" ]]; then
    (( status == 0 )) || { echo "case $drift: the matching name list does not compile:"; echo "$output"; failed=1; }
  elif (( status == 0 )); then
    echo "case $drift: a drifting name list compiled; expected \"$want\""; failed=1
  elif ! grep -qF "$want" <<<"$output"; then
    echo "case $drift: failed, but not with \"$want\":"; echo "$output"; failed=1
  else
    echo "case $drift: refused: $want"
  fi
done
exit $failed
