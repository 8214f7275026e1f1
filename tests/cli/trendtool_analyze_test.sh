#!/usr/bin/env bash
# trendtool analyze and trendtool version on the command line.
set -u
tool=$1
fixtures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # name expected actual
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $1 (expected '$2', got '$3')"
    fi
}

# The value printed for one grid title.
value() {  # title file
    awk -F '\t' -v title="$1" '$1 == title { print $2 }' "$2"
}

analyze() {  # options... ; the output goes to $work/out, the errors to $work/err
    "$tool" analyze "$@" >"$work/out" 2>"$work/err"
}

trend=(analysis_every_kind.csv)
analyze --filter=2 "$fixtures" "${trend[@]}"
check "a trend with every kind of sample exits 0" 0 $?
cat >"$work/expected" <<'EOF'
TSample	10
VSample	9
VS/TS(%)	90.00
SPDVI	2
DVI	6
DVSP	3
DVSPI	6
DVSP5	2
DVSPI5	4
SPR(%)	22.22
DVSPR(%)	33.33
DVSP5R(%)	22.22
SPDVMAX	59.50
DVMAX	1.00
DVSPMAX	1.00
DVSPMAX5	1.00
EOF
check "analyze prints the sixteen grid rows" "" "$(diff "$work/expected" "$work/out")"

analyze "$fixtures" "${trend[@]}"
cp "$work/out" "$work/defaults"
analyze --threshold=0.5 --upper=100.0 --lower=0.5 --filter=5 "$fixtures" "${trend[@]}"
check "the defaults are the window's texts at creation" "" "$(diff "$work/defaults" "$work/out")"
check "with Filter(s) 5 the sign change comes before the settling" 1 "$(value DVSP5 "$work/defaults")"

analyze --filter=2 --lower=49.5 "$fixtures" "${trend[@]}"
check "a value on the lower band limit is out of band" 6 "$(value VSample "$work/out")"
check "out-of-band values still count as valid" 10 "$(value TSample "$work/out")"
analyze --filter=2 --upper=60.5 "$fixtures" "${trend[@]}"
check "a value on the upper band limit is out of band" 3 "$(value VSample "$work/out")"

analyze --upper=1 --lower=50 "$fixtures" "${trend[@]}"
check "Upper below Lower exits 0" 0 $?
check "Upper below Lower leaves no sample in band" "0 0.00 0.00" \
    "$(value VSample "$work/out") $(value 'VS/TS(%)' "$work/out") $(value DVSPMAX "$work/out")"

for row in "5 1 3 0.90" "0 2 8 0.90" "-1 1 1 0.80" "x 2 8 0.90"; do
    read -r filter dvsp5 dvspi5 max5 <<<"$row"
    analyze --filter="$filter" "$fixtures" analysis_settling.csv
    check "Filter(s) $filter: DVSP5 DVSPI5 DVSPMAX5" "$dvsp5 $dvspi5 $max5" \
        "$(value DVSP5 "$work/out") $(value DVSPI5 "$work/out") $(value DVSPMAX5 "$work/out")"
done

analyze --upper=abc "$fixtures" "${trend[@]}"
check "a parameter that is no number exits 1" 1 $?
check "the error names the text" 0 "$(grep -q "'abc' is not a valid floating point value" "$work/err"; echo $?)"
check "a parameter error prints no rows" "" "$(cat "$work/out")"
analyze "$fixtures" one_column.csv
check "a trend with one column exits 1" 1 $?
check "the missing second series is named" 0 "$(grep -q 'series index 1' "$work/err"; echo $?)"
analyze "$fixtures" missing.csv
check "analyze loads like export: a missing file exits 1" 1 $?
"$tool" analyze --help | grep -q -- '--threshold=TEXT'
check "analyze --help describes the parameters" 0 $?

check "the built trendtool carries its version" 1.2.0.11 "$("$tool" version "$tool")"
if command -v strip >/dev/null; then
    cp "$tool" "$work/trendtool-stripped"
    strip "$work/trendtool-stripped"
    check "a stripped trendtool keeps its version" 1.2.0.11 \
        "$("$tool" version "$work/trendtool-stripped")"
fi
check "/bin/ls has no version" 0.0.0.0 "$("$tool" version /bin/ls)"
check "a text file has no version" 0.0.0.0 "$("$tool" version "$fixtures/three_columns.csv")"
check "a missing path has no version" 0.0.0.0 "$("$tool" version "$work/missing")"
"$tool" version >/dev/null 2>&1
check "version without PATH is a usage error" 64 $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
