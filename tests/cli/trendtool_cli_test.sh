#!/usr/bin/env bash
# trendtool on the command line: outputs, exit statuses and the demo data.
set -u
tool=$1
demo=$2
fixtures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # name expected-status actual-status
    if [ "$2" = "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $1 (expected $2, got $3)"
    fi
}

"$tool" export "$fixtures" three_columns.csv >"$work/out.csv" 2>"$work/err"
check "export exits 0" 0 $?
check "export writes only the summary to stdout" 0 "$(head -c 10 "$work/out.csv" | cmp -s - <(printf 'Vantorix\r\n'); echo $?)"
check "export writes nothing to stderr" 0 "$(test -s "$work/err"; echo $(( $? == 0 )))"

"$tool" export -o "$work/saved.csv" "$fixtures" three_columns.csv
check "export -o exits 0" 0 $?
check "export -o writes the same bytes" 0 "$(cmp -s "$work/out.csv" "$work/saved.csv"; echo $?)"

"$tool" export -o "$work/failed.csv" "$fixtures" value_not_a_number.csv 2>"$work/err"
check "a failing load exits 1" 1 $?
check "a failing load writes no output file" 1 "$(test -e "$work/failed.csv"; echo $?)"
check "the error names file and line" 0 "$(grep -q 'value_not_a_number.csv line 7' "$work/err"; echo $?)"

"$tool" info "$fixtures" no_value_columns.csv >/dev/null 2>&1
check "nothing loaded exits 2" 2 $?
"$tool" info "$fixtures" three_lines_only.csv >/dev/null 2>&1
check "no data rows exits 2" 2 $?
"$tool" info "$fixtures" missing.csv >/dev/null 2>&1
check "a missing file exits 1" 1 $?
"$tool" export --format=xml "$fixtures" three_columns.csv >/dev/null 2>&1
check "an unknown format is a usage error" 64 $?
"$tool" export "$fixtures" >/dev/null 2>&1
check "a missing NAME is a usage error" 64 $?
"$tool" frobnicate >/dev/null 2>&1
check "an unknown command is a usage error" 64 $?
"$tool" --help >"$work/help"
check "--help exits 0" 0 $?
"$tool" export --help | grep -q -- '--format'
check "export --help describes --format" 0 $?

"$tool" export --format=tsv "$fixtures" three_columns.csv earlier_day.csv >"$work/out.tsv"
check "tsv export of two files exits 0" 0 $?
check "tsv has a header and five rows" 6 "$(wc -l <"$work/out.tsv" | tr -d ' ')"
check "tsv rows are in time order" "2021/03/14 08:15:00" "$(sed -n 2p "$work/out.tsv" | cut -f1)"

"$tool" info --decimation=120 "$fixtures" ten_second_rows.csv >"$work/info"
check "info shows the decimation" 0 "$(grep -q '^decimation *120 s' "$work/info"; echo $?)"

"$demo" "$work/demo"
check "the demo data root is written" 0 $?
day="$work/demo/FT-101/DIAGDATA/2025/11"
"$tool" export "$day" FT-101_Trend_20251129.csv >"$work/first.csv"
check "a demo file exports" 0 $?
mkdir -p "$work/again"
cp "$work/first.csv" "$work/again/AgainTrend.csv"
"$tool" export "$work/again" AgainTrend.csv >"$work/second.csv"
check "a summary file reads back to the same summary" 0 "$(cmp -s "$work/first.csv" "$work/second.csv"; echo $?)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
