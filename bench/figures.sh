# Sourced by the benchmarks. Prints one figure as a line that bench/all.sh
# gathers into its table:  FIGURE<TAB>name<TAB>value<TAB>goal<TAB>holds
#   figure NAME VALUE GOAL [NOTE]
# GOAL is "<= N", ">= N", "< N", "> N", or "-" for a figure shown without a
# goal; holds is then "yes", "no" or "-". NOTE, when given, is a sixth field
# shown beside the figure (a compared figure's CPU ratio and load average).
figure() {
  local name=$1 value=$2 goal=$3 note=${4:-} holds=-
  if [ "$goal" != "-" ]; then
    holds=$(awk -v v="$value" -v op="${goal%% *}" -v l="${goal#* }" 'BEGIN {
      v += 0; l += 0
      ok = (op == "<=") ? v <= l : (op == ">=") ? v >= l : (op == "<") ? v < l : (op == ">") ? v > l : -1
      print (ok < 0) ? "?" : ok ? "yes" : "no" }')
  fi
  if [ -n "$note" ]; then
    printf 'FIGURE\t%s\t%s\t%s\t%s\t%s\n' "$name" "$value" "$goal" "$holds" "$note"
  else
    printf 'FIGURE\t%s\t%s\t%s\t%s\n' "$name" "$value" "$goal" "$holds"
  fi
}
