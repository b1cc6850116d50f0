#!/bin/bash
# Whole-process comparisons of mavix-cli with the peer spreadsheets that are installed
# (LibreOffice headless, Gnumeric's ssconvert): a 32000x26 CSV converted to CSV, the same
# sheet with 192,000 formulas written as values, and a PDF of the whole sheet. Prints the
# median of the runs, the peak memory and the ratios. Run it on a quiet machine:
#   bench/compare.sh [path/to/mavix-cli] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$here/build-release/src/mavix-cli}
[ -x "$cli" ] || cli=$here/build/src/mavix-cli
runs=${2:-3}
[ -x "$cli" ] || { echo "no mavix-cli: build first (./mavix.sh or ./test.sh)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Mixed data: texts, integers, decimals, Japanese; and a sheet whose last 6 columns are formulas.
awk 'BEGIN { srand(7); for (r = 1; r <= 32000; r++) { line = "";
    for (c = 1; c <= 26; c++) { k = (r * 31 + c * 17) % 5;
      v = (k == 0) ? "東京" r : (k == 1) ? int(rand() * 100000) : (k == 2) ? sprintf("%.2f", rand() * 1000) : (k == 3) ? "item-" c "-" r : -int(rand() * 500);
      line = line (c > 1 ? "," : "") v }
    print line } }' > "$work/data.csv"
awk 'BEGIN { for (r = 1; r <= 32000; r++) { line = "";
    for (c = 1; c <= 20; c++) line = line (c > 1 ? "," : "") (r * c % 997);
    split("A B C D E F", col, " ");
    for (f = 1; f <= 6; f++) line = line ",=" col[f] r "*2+" col[f + 1] r;
    print line } }' > "$work/formulas.csv"

# Median seconds and peak MiB of a command over the runs.
measure() {
    local times=() mems=() i
    for ((i = 0; i < runs; i++)); do
        /usr/bin/time -f "%e %M" -o "$work/t" "$@" > /dev/null 2>&1 || true
        read -r t m < "$work/t"
        times+=("$t"); mems+=("$m")
    done
    local tm mm
    tm=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}')
    mm=$(printf '%s\n' "${mems[@]}" | sort -n | awk '{a[NR] = $1} END {printf "%.0f", a[int((NR + 1) / 2)] / 1024}')
    echo "$tm $mm"
}

row() { printf '%-34s %8s s %6s MiB\n' "$1" "$2" "$3"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0) printf "%.1fx", b / a; else print "-" }'; }

echo "runs: $runs   machine load: $(cut -d' ' -f1-3 /proc/loadavg)"
read -r mt mm < <(measure "$cli" convert "$work/data.csv" "$work/out.csv")
row "mavix-cli convert CSV->CSV" "$mt" "$mm"
read -r mft mfm < <(measure "$cli" convert "$work/formulas.csv" "$work/values.csv" --values)
row "mavix-cli formulas->values" "$mft" "$mfm"
"$cli" convert "$work/data.csv" "$work/data.mvx"
read -r mpt mpm < <(measure "$cli" pdf "$work/data.mvx" "$work/data.pdf")
row "mavix-cli pdf of the sheet" "$mpt" "$mpm"

if command -v soffice > /dev/null; then
    read -r lt lm < <(measure soffice --headless --convert-to csv --outdir "$work/lo" "$work/data.csv")
    row "LibreOffice CSV->CSV" "$lt" "$lm"; echo "  ratio: $(ratio "$mt" "$lt")"
    read -r lft lfm < <(measure soffice --headless --convert-to csv --outdir "$work/lo" "$work/formulas.csv")
    row "LibreOffice formulas->values" "$lft" "$lfm"; echo "  ratio: $(ratio "$mft" "$lft")"
    read -r lpt lpm < <(measure soffice --headless --convert-to pdf --outdir "$work/lo" "$work/data.csv")
    row "LibreOffice PDF" "$lpt" "$lpm"; echo "  ratio: $(ratio "$mpt" "$lpt")"
fi
if command -v ssconvert > /dev/null; then
    read -r gt gm < <(measure ssconvert "$work/data.csv" "$work/g.csv")
    row "Gnumeric ssconvert CSV->CSV" "$gt" "$gm"; echo "  ratio: $(ratio "$mt" "$gt")"
    read -r gft gfm < <(measure ssconvert "$work/formulas.csv" "$work/gv.csv")
    row "Gnumeric formulas->values" "$gft" "$gfm"; echo "  ratio: $(ratio "$mft" "$gft")"
fi
