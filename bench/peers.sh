#!/usr/bin/env bash
# Start-up time and peak memory of Morvanta beside two desktop vocabulary
# trainers from Debian, KWordQuiz and Parley, all opened on the same generated
# words: Morvanta on its table, the peers on the same words as a KVTML file.
# Each program starts under a virtual X server (xvfb-run) and /usr/bin/time -v;
# "to window" is the wall time until its window, titled with the opened words,
# is mapped; "max RSS" is /usr/bin/time's peak, the program closed a moment
# after its window showed. One untimed start first, then the median of the runs.
#
# Usage: bench/peers.sh [BUILD_DIR]
#   BUILD_DIR holds bin/Morvanta, bin/morvanta-cli and bin/make_table; default
#   build-run/ (built here as scripts/run builds it when missing).
#   PEERS_WORDS (10000), PEERS_RUNS (5), PEERS_SETTLE (seconds open after the
#   window shows, 2) change the defaults.
# Needs xvfb-run, xdotool and /usr/bin/time (packages xvfb, xdotool, time). A peer
# that is not installed (packages kwordquiz, parley) is skipped; nothing here
# installs anything.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
words="${PEERS_WORDS:-10000}"
runs="${PEERS_RUNS:-5}"
settle="${PEERS_SETTLE:-2}"
title=peers${words}

# Inside the virtual X server: measure NAME TITLE-PATTERN COMMAND...
if [ "${1:-}" = --inside ]; then
  work="$2"
  shift 2
  ms_now() { echo $(($(date +%s%N) / 1000000)); }
  median() { sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "-") }'; }
  measure() {
    local name="$1" pattern="$2"
    shift 2
    : >"$work/$name.ms"
    : >"$work/$name.kb"
    for run in $(seq 0 "$runs"); do
      local start timed=""
      # A program ended by a signal leaves its file's lock behind, which the next start would ask about.
      rm -rf "$HOME/.local/share/stalefiles"
      start=$(ms_now)
      /usr/bin/time -v -o "$work/$name.time" "$@" >"$work/$name.log" 2>&1 &
      local timer=$!
      local deadline=$((start + 60000))
      until xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1; do
        if [ "$(ms_now)" -gt "$deadline" ] || ! kill -0 "$timer" 2>/dev/null; then break; fi
        sleep 0.02
      done
      xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 && timed=$(($(ms_now) - start))
      sleep "$settle"
      # The program is the only child of /usr/bin/time.
      local program
      program=$(ps -o pid= --ppid "$timer" | head -n 1 | tr -d ' ')
      [ -n "$program" ] && kill -TERM "$program" 2>/dev/null || true
      wait "$timer" 2>/dev/null || true
      [ "$run" -eq 0 ] && continue  # the untimed start: caches, first-run files
      [ -n "$timed" ] && echo "$timed" >>"$work/$name.ms"
      awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/$name.time" >>"$work/$name.kb"
    done
    local ms kb
    ms=$(median <"$work/$name.ms")
    kb=$(median <"$work/$name.kb")
    printf '%s\t%s\t%s\n' "$name" "$ms" "$kb" >>"$work/results"
  }
  measure Morvanta 'Morvanta' "$work/Morvanta"
  if command -v kwordquiz >/dev/null; then
    measure KWordQuiz "$title" kwordquiz "$work/$title.kvtml"
  fi
  if command -v parley >/dev/null; then
    measure Parley "$title" parley "$work/$title.kvtml"
  fi
  exit 0
fi

for tool in xvfb-run xdotool /usr/bin/time; do
  if ! command -v "$tool" >/dev/null; then
    echo "peers.sh needs $tool (apt-get install xvfb xdotool time)." >&2
    exit 1
  fi
done

dir="${1:-${MORVANTA_RUN_DIR:-$root/build-run}}"
if [ ! -x "$dir/bin/Morvanta" ] || [ ! -x "$dir/bin/morvanta-cli" ] || [ ! -x "$dir/bin/make_table" ]; then
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target Morvanta morvanta-cli make_table >/dev/null
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The words: kanji, reading, a German translation and a lesson of 50 words each.
awk -v n="$words" 'BEGIN {
  split("日 本 人 大 年 中 子 出 見 行 生 時 上 下 手 気 山 川 田 水 火 木 金 土 雨 花 犬 猫 車 学 校 先 東 西 南 北 口 目 耳 足", k, " ")
  split("あ い う え お か き く け こ さ し す せ そ た ち つ て と な に ぬ ね の は ひ ふ へ ほ ま み む め も や ゆ よ ら り る れ ろ わ を ん", h, " ")
  split("Haus Baum Fluss Berg Wort Zeit Hand Auge Regen Blume Schule Wagen Feuer Wasser Himmel", g, " ")
  for (i = 0; i < n; i++) {
    kanji = k[i % 40 + 1] k[int(i / 40) % 40 + 1]
    kana = h[i % 46 + 1] h[int(i / 46) % 46 + 1] h[int(i / 2116) % 46 + 1]
    printf "%s\t%s\t%s %d\t%d\n", kanji, kana, g[i % 15 + 1], i + 1, int(i / 50) + 1
  }
}' >"$work/words.tsv"

# The same words as Morvanta's word-list XML and as KVTML 2.0.
awk -F'\t' 'BEGIN {
  print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
  print "<lqw:wordlist xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:lqw=\"http://morvanta.example/wordlist\">"
} {
  print "  <word xsi:type=\"lqw:japaneseword\">"
  print "    <word xml:lang=\"ja\" >" $1 "</word>"
  print "    <reading xml:lang=\"ja\" >" $2 "</reading>"
  print "    <translation xml:lang=\"de\" priority=\"1\" >" $3 "</translation>"
  print "    <lesson>" $4 "</lesson>"
  print "  </word>"
} END { print "</lqw:wordlist>" }' "$work/words.tsv" >"$work/words.xml"

awk -F'\t' -v title="$title" 'BEGIN {
  print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
  print "<!DOCTYPE kvtml PUBLIC \"kvtml2.dtd\" \"http://edu.kde.org/kvtml/kvtml2.dtd\">"
  print "<kvtml version=\"2.0\">"
  print "  <information><generator>peers.sh</generator><title>" title "</title></information>"
  print "  <identifiers>"
  print "    <identifier id=\"0\"><name>Japanisch</name><locale>ja</locale></identifier>"
  print "    <identifier id=\"1\"><name>Deutsch</name><locale>de</locale></identifier>"
  print "  </identifiers>"
  print "  <entries>"
} {
  id = NR - 1
  lesson[$4] = lesson[$4] "      <entry id=\"" id "\"/>\n"
  if (!($4 in seen)) { seen[$4] = 1; order[++lessons] = $4 }
  print "    <entry id=\"" id "\">"
  print "      <translation id=\"0\"><text>" $1 "</text><pronunciation>" $2 "</pronunciation></translation>"
  print "      <translation id=\"1\"><text>" $3 "</text></translation>"
  print "    </entry>"
} END {
  print "  </entries>"
  print "  <lessons>"
  for (i = 1; i <= lessons; i++)
    printf "    <container>\n      <name>Lektion %s</name>\n      <inpractice>true</inpractice>\n%s    </container>\n", order[i], lesson[order[i]]
  print "  </lessons>"
  print "</kvtml>"
}' "$work/words.tsv" >"$work/$title.kvtml"

# Morvanta's program folder: the executable, and its alias naming the table's folder.
mkdir -p "$work/db" "$work/config/Morvanta" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$dir/bin/Morvanta" "$work/Morvanta"
cp "$root/data/hirakata.txt" "$work/" 2>/dev/null || true
"$dir/bin/make_table" "$work/db/Vokabel.DB" >/dev/null
printf '[Vokabel]\nPATH=%s\nDEFAULT DRIVER=PARADOX\n' "$work/db" >"$work/config/Morvanta/engine.ini"
"$dir/bin/morvanta-cli" --db "$work/db/Vokabel.DB" import xml "$work/words.xml" >&2

env -u QT_QPA_PLATFORM HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
  XDG_RUNTIME_DIR="$work/runtime" PEERS_RUNS="$runs" PEERS_SETTLE="$settle" PEERS_WORDS="$words" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$work"

version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo "?"; }
echo
echo "$words words, median of $runs starts (xvfb-run, /usr/bin/time -v)"
printf '%-10s %-18s %14s %14s\n' program version "to window ms" "max RSS MB"
while IFS=$'\t' read -r name ms kb; do
  case "$name" in
    Morvanta) v="$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo -)" ;;
    *) v="$(version "$(echo "$name" | tr 'A-Z' 'a-z')")" ;;
  esac
  mb=$(awk -v kb="$kb" 'BEGIN { if (kb == "-") print "-"; else printf "%.0f", kb / 1024 }')
  printf '%-10s %-18s %14s %14s\n' "$name" "$v" "$ms" "$mb"
done <"$work/results"
