#!/usr/bin/env bash
# Runs a generated sketch, compiled for the Uno, in simavr and checks what the board did.
#
# usage: simulate.sh blink|lcd|sound <harness> <sketch.elf>
#   blink  the blink example: pin 13 (PB5) goes high at start and toggles every 500 ms,
#          each interval within 1 ms, for 3 simulated seconds
#   lcd    display and barometer on I2C: Greek text, pressure and temperature shown
#   sound  a 1500 Hz tone for 500 ms on pin 8 (PB0), then pin 13 goes high
#   sensors a DHT22 and an HC-SR04 answering in time, their readings on the display
#          (and those of an unconnected pair), and a servo on pin 9 (PB1) pulsed
#          every 20 ms: centre, 90 left, 45 right
#   robot  a 10 cm step forward ends after 19 interrupter edges (both motors forward:
#          IN1 PD5, IN3 PD7), then a timed 90 degree right turn (IN1, IN4 PB0) of 500 ms
set -uo pipefail

case_name="$1" harness="$2" elf="$3"
if [ ! -f "$elf" ]; then
  echo "no compiled sketch $elf (did arduino_compile_uno pass?)" >&2
  exit 1
fi

# Pin events with repeated levels dropped (pins start low): "<pin> <ms> <level>"
# per real change.
changes() {
  awk '$1 == "pin" { if (!($2 in last)) last[$2] = 0; if (last[$2] == $4) next; last[$2] = $4; print $2, $3, $4 }'
}

case "$case_name" in
  blink)
    "$harness" --seconds 3 --watch B5 "$elf" | changes | awk '
      BEGIN { fails = 0 }
      { n++; t[n] = $2; v[n] = $3 }
      END {
        if (n < 6) { printf "only %d changes of pin 13 in 3 s\n", n; exit 1 }
        if (v[1] != 1 || t[1] > 5) { printf "pin 13 did not go high at start (first change %s at %.3f ms)\n", v[1], t[1]; fails++ }
        for (i = 2; i <= n; i++) {
          d = t[i] - t[i-1]
          printf "change %d: %.3f ms -> %d (after %.3f ms)\n", i, t[i], v[i], d
          if (v[i] == v[i-1]) { print "  level did not alternate"; fails++ }
          if (d < 499 || d > 501) { print "  interval not 500 +- 1 ms"; fails++ }
        }
        exit fails > 0
      }'
    ;;
  lcd)
    out=$("$harness" --seconds 2 --lcd --bmp180 "$elf")
    echo "$out"
    fails=0
    # "Γειά σου °C": Γ is drawn character 0, Σ and the degree sign the display's own.
    row0='\x00EIA \xf6OY \xdfC     '
    grep -qxF "lcd row0 $row0" <<<"$out" || { echo "row 0 is not: $row0" >&2; fails=1; }
    # The data sheet's worked example: 699.64 hPa (rounding of its steps moves it by
    # 1 Pa) and 15.0 degrees.
    awk '$1 == "lcd" && $2 == "row1" {
           ok = ($3 + 0 >= 699.62 && $3 + 0 <= 699.66 && $4 == "T=15.00")
           if (!ok) { print "row 1 is not pressure 699.64 +- 0.02 and T=15.00" > "/dev/stderr"; exit 1 } }' <<<"$out" || fails=1
    grep -q "lcd state four_bit=1 display=1 backlight=1 errors=0" <<<"$out" || { echo "display not in 4-bit mode, on and lit without errors" >&2; fails=1; }
    exit $fails
    ;;
  sound)
    "$harness" --seconds 1.5 --watch B0 --watch B5 "$elf" | changes | awk '
      $1 == "B0" && $3 == 1 { rises++; if (!first) first = $2; last = $2 }
      $1 == "B5" && $3 == 1 { mark = $2 }
      END {
        if (rises < 2 || !mark) { print "no tone or no end mark"; exit 1 }
        f = (rises - 1) * 1000 / (last - first)
        d = mark - first
        printf "%d periods, %.2f Hz, tone lasted %.3f ms\n", rises, f, d
        if (f < 1500 * 0.995 || f > 1500 * 1.005) { print "frequency not 1500 Hz +- 0.5%"; exit 1 }
        if (d < 499 || d > 502) { print "duration not 500 ms"; exit 1 }
      }'
    ;;
  sensors)
    out=$("$harness" --seconds 1.5 --lcd --dht22 D5 --hcsr04 D6,D7 --watch B1 "$elf")
    grep '^lcd' <<<"$out"
    fails=0
    # The sensor model answers 65.2 % and -10.1 degrees.
    grep -qxF 'lcd row0 -10.10 65.20    ' <<<"$out" || { echo "row 0 is not: -10.10 65.20" >&2; fails=1; }
    # An obstacle at 123 cm, the echo's length measured to within a centimetre; then
    # the unconnected sensors: no echo is nothing in range (400 cm), no answer NAN.
    awk '$1 == "lcd" && $2 == "row1" {
           if ($3 < 122 || $3 > 124) { print "distance " $3 " is not 123 +- 1 cm" > "/dev/stderr"; exit 1 }
           if ($4 != "400" || $5 != "nan") { print "unconnected sensors give " $4 " and " $5 ", not 400 and nan" > "/dev/stderr"; exit 1 } }' <<<"$out" || fails=1
    changes <<<"$out" | awk '
      $1 == "B1" && $3 == 1 { if (rise && prev_rise) { p = rise - prev_rise; if (p < 19.95 || p > 20.05) { printf "pulse period %.3f ms\n", p; bad++ } }
                              prev_rise = rise; rise = $2 }
      $1 == "B1" && $3 == 0 && rise {
        w = ($2 - rise) * 1000
        if (!n || w < last - 5 || w > last + 5) { n++; width[n] = w; last = w }
      }
      END {
        printf "servo pulse widths in turn:"; for (i = 1; i <= n; i++) printf " %.0f us", width[i]; print ""
        want[1] = 1500; want[2] = 2400; want[3] = 1050
        if (n != 3) bad++
        for (i = 1; i <= 3; i++) if (width[i] < want[i] - 5 || width[i] > want[i] + 5) bad++
        if (bad) print "expected 1500, 2400, 1050 us every 20 ms"
        exit bad > 0
      }' || fails=1
    exit $fails
    ;;
  robot)
    "$harness" --seconds 2 --encoder D5,D2 --watch D5 --watch D6 --watch D7 --watch B0 --watch D2 "$elf" | changes | awk '
      $1 == "D2" { enc[++ne] = $2 }
      $1 == "D5" && $3 == 1 { up[++nu] = $2 }
      $1 == "D5" && $3 == 0 { down[++nd] = $2 }
      $1 == "D6" && $3 == 1 { backward++ }
      $1 == "D7" && $3 == 1 { in3[++n3] = $2 }
      $1 == "B0" && $3 == 1 { in4[++n4] = $2 }
      function near(a, b) { return a - b < 0.1 && b - a < 0.1 }
      END {
        if (nu != 2 || nd != 2) { printf "expected two moves, IN1 went high %d times\n", nu; exit 1 }
        for (i = 1; i <= ne; i++) if (enc[i] > up[1] && enc[i] <= down[1]) edges++
        turn = down[2] - up[2]
        printf "step: %.3f to %.3f ms, %d edges; turn: %.3f ms\n", up[1], down[1], edges, turn
        if (edges != 19) { print "the step did not stop after 19 edges (10 cm)"; bad++ }
        if (n3 != 1 || !near(in3[1], up[1])) { print "IN3 did not run with IN1 in the step"; bad++ }
        if (n4 != 1 || !near(in4[1], up[2])) { print "IN4 did not run with IN1 in the turn"; bad++ }
        if (backward) { print "IN2 went high"; bad++ }
        if (turn < 499 || turn > 502) { print "the timed turn did not last 500 ms"; bad++ }
        exit bad > 0
      }'
    ;;
  *)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
