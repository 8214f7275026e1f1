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

# Consecutive runs over the demo data root.
month="$work/demo/FT-101/DIAGDATA/2025/11"
"$tool" export --consecutive --diagdata "$month" FT-101_Trend_20251128.csv >"$work/run.csv"
check "a DIAGDATA run exports" 0 $?
"$tool" export "$month" FT-101_Trend_20251128.csv FT-101_Trend_20251129.csv \
    FT-101_Trend_20251130.csv ../12/FT-101_Trend_20251201.csv ../12/FT-101_Trend_20251202.csv \
    ../12/FT-101_Trend_20251203.csv ../../2026/02/FT-101_Trend_20260201.csv \
    ../../2026/02/FT-101_Trend_20260202.csv >"$work/added.csv"
check "the run reads every file across years, the empty month passed over, as AddFile would" \
    0 "$(cmp -s "$work/run.csv" "$work/added.csv"; echo $?)"
"$tool" info --consecutive --diagdata --row-limit=3000 "$month" FT-101_Trend_20251128.csv >"$work/info"
check "the row limit ends the run after the file that reaches it" \
    "2025/11/30 23:59:00.000" "$(sed -n 's/^last time *//p' "$work/info")"
"$tool" info --consecutive "$month" FT-101_Trend_20251128.csv >"$work/info"
check "in the plug-in layout the run ends with the device's last folder" \
    "2025/12/03 23:59:00.000" "$(sed -n 's/^last time *//p' "$work/info")"
"$tool" info --consecutive "$work/demo/TIC-205/2026-01-11" TIC-205_Trend_20260111.csv >"$work/info"
check "a plug-in run goes on into the next folder" \
    "2026/01/12 23:59:50.000" "$(sed -n 's/^last time *//p' "$work/info")"
"$tool" info --consecutive --diagdata "$work/demo/TIC-205/2026-01-10" TIC-205_Trend_20260110.csv \
    >/dev/null 2>&1
check "--diagdata needs a folder below DIAGDATA" 64 $?
"$tool" info --row-limit=10 "$month" FT-101_Trend_20251128.csv >/dev/null 2>&1
check "--row-limit without --consecutive is a usage error" 64 $?
"$tool" info --consecutive "$month" FT-101_Trend_20251128.csv FT-101_Trend_20251129.csv \
    >/dev/null 2>&1
check "--consecutive takes one NAME" 64 $?
"$tool" info --consecutive "$month" missing_Trend.csv 2>"$work/err" >/dev/null
check "a missing first file exits 1" 1 $?
check "the message names the file" 0 "$(grep -q 'cannot open .*missing_Trend.csv' "$work/err"; echo $?)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
