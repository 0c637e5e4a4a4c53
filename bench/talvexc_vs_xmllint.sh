#!/usr/bin/env bash
# Times `talvexc gen` on a 20,000-block project against `xmllint --noout` on
# the same file (goal: within 3x). Needs libxml2-utils; uses hyperfine when
# installed, else a plain loop.
# Usage: bench/talvexc_vs_xmllint.sh [BUILD_DIR] [BLOCKS]
set -euo pipefail
build="${1:-build}"
blocks="${2:-20000}"
talvexc="$build/tools/talvexc"
[ -x "$talvexc" ] || { echo "no $talvexc; build the talvexc target first" >&2; exit 2; }
command -v xmllint >/dev/null || { echo "xmllint missing: apt-get install libxml2-utils" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
file="$work/big.lcc"

# Every block kind in turn, with typical parameters, as the editor writes them.
awk -v n="$blocks" 'BEGIN {
  ORS = "\r\n"
  print "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>"
  print "<TALVEX>"
  split("1 2 3 4 5 6 7 8 9 10 11 12 13 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32", t, " ")
  for (i = 0; i < n; i++) {
    k = t[i % 31 + 1]
    print "  <record>"
    print "    <CtrlNode type=\"" k "\">"
    if (k == 1 || k == 2) { print "      <mode>" i % 4 "</mode>"; print "      <wait>" i % 500 "</wait>" }
    else if (k == 3) { print "      <motorL>" i % 255 "</motorL>"; print "      <motorR>-" i % 255 "</motorR>" }
    else if (k == 5) { print "      <wait>" i % 1000 "</wait>" }
    else if (k == 6) { print "      <key>3</key>"; print "      <keycmd>-1</keycmd>"; print "      <content>1a2b3c4d</content>" }
    else if (k == 19) { for (d = 1; d <= 5; d++) print "      <data" d ">9</data" d ">"; print "      <speed>1</speed>" }
    else if (k == 20) { print "      <command>a=a+" i "</command>" }
    else if (k == 21 || k == 22 || k == 17) { print "      <var>" i % 26 "</var>"; print "      <index>" i % 8 "</index>" }
    else if (k == 26 || k == 28 || k == 29) { print "      <condition>a&lt;" i "</condition>" }
    else if (k == 23 || k == 25) { print "      <sub>MOVE" i % 7 "</sub>" }
    else { print "      <index>" i % 8 "</index>" }
    print "    </CtrlNode>"
    print "  </record>"
  }
  print "</TALVEX>"
}' > "$file"
echo "file: $blocks blocks, $(wc -c < "$file") bytes"

"$talvexc" gen "$file" > "$work/out.txt"
xmllint --noout "$file"
echo "program text: $(wc -l < "$work/out.txt") lines"

if command -v hyperfine >/dev/null; then
  hyperfine --warmup 2 --runs 20 -N "$talvexc gen $file" "xmllint --noout $file" 2>&1 | grep -v '^ *$' \
    || hyperfine --warmup 2 --runs 20 "$talvexc gen $file" "xmllint --noout $file"
else
  for cmd in "$talvexc gen $file" "xmllint --noout $file"; do
    start=$(date +%s%N)
    for _ in $(seq 20); do $cmd > /dev/null; done
    end=$(date +%s%N)
    echo "$cmd: $(( (end - start) / 20000000 )) ms per run"
  done
fi
