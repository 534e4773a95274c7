#!/usr/bin/env bash
# Times a mixed batch of cases as one `verosa-cli batch` process against the
# same cases as separate `verosa-cli run` processes, each measured several
# times (the best and the spread are what to report on a shared machine).
#
#   tools/compare_batch.sh [CASES] [REPEATS]      (defaults 10000 and 3)
#
# Run from the top of the repository after a build (./build/bin/verosa-cli).
set -euo pipefail
cases=${1:-10000}
repeats=${2:-3}
cli=${VEROSA_CLI:-./build/bin/verosa-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 tools/make_batch.py --cases "$cases" --seed 1 > "$work/batch.jsonl"

# Each case also as an --input file of its own, listed with its analysis.
python3 - "$work" <<'PY'
import json, os, sys
work = sys.argv[1]
os.mkdir(os.path.join(work, "cases"))
with open(os.path.join(work, "batch.jsonl"), encoding="utf-8") as lines, \
     open(os.path.join(work, "list"), "w", encoding="utf-8") as listing:
    for n, line in enumerate(lines, 1):
        path = os.path.join(work, "cases", "%d.json" % n)
        with open(path, "w", encoding="utf-8") as f:
            f.write(line)
        listing.write("%s %s\n" % (json.loads(line)["analysis"], path))
PY

seconds() { date +%s.%N; }
elapsed() { python3 -c "import sys; print('%.3f' % (float(sys.argv[2]) - float(sys.argv[1])))" "$1" "$2"; }

echo "cases: $cases, cores: $(nproc)"
for i in $(seq "$repeats"); do
    start=$(seconds)
    "$cli" batch "$work/batch.jsonl" > "$work/results.jsonl"
    end=$(seconds)
    echo "batch process, run $i: $(elapsed "$start" "$end") s"
done
for i in $(seq "$repeats"); do
    start=$(seconds)
    while read -r analysis file; do
        "$cli" run "$analysis" --input "$file" > /dev/null 2>&1 || true
    done < "$work/list"
    end=$(seconds)
    echo "separate run processes, run $i: $(elapsed "$start" "$end") s"
done
