#!/usr/bin/env python3
"""Compares the pin changes vimsel-sim writes for a project with what the project's
compiled sketch did in simavr (a trace of vimsel_simavr), and prints a readable
account of every difference.

usage: sim_diff.py NAME SKETCH_TRACE SIM_PINS --seconds S [--pulses B1,...]

SIM_PINS holds vimsel-sim's lines "<ms> <pin> <level>", timed from the start of the
interpreted program; the sketch's trace is timed from its first entry into loop().
Each Uno pin's output level must change the same way at the same times, within the
live differential test's tolerance (1 ms, plus 1 ms per simulated second); servo
outputs (--pulses) are compared as pulse trains.
"""
import argparse
import sys

import live_diff

UNO_PORTS = {'D': 0, 'B': 8, 'C': 14}


def uno_pin(signal):
    """'port B5' -> 13"""
    port, bit = signal.split()[1][0], int(signal.split()[1][1])
    return UNO_PORTS[port] + bit if port in UNO_PORTS else None


def read_sim(path, until_ms):
    pins = {}
    with open(path) as f:
        for line in f:
            w = line.split()
            if len(w) != 3:
                continue
            t, pin, v = float(w[0]), int(w[1]), int(w[2])
            if t > until_ms:
                continue
            seq = pins.setdefault(pin, [])
            level = seq[-1][1] if seq else 0
            if v != level:
                seq.append((t, v))
    return pins


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('name')
    ap.add_argument('sketch')
    ap.add_argument('sim')
    ap.add_argument('--seconds', type=float, required=True)
    ap.add_argument('--pulses', default='')
    args = ap.parse_args()

    sk = live_diff.Trace(args.sketch)
    if sk.zero is None:
        print('%s: the sketch never entered loop()' % args.name)
        return 1
    window = args.seconds * 1000.0
    cutoff = window - 20.0
    sim = read_sim(args.sim, window)
    pulse_pins = {uno_pin('port ' + p) for p in args.pulses.split(',') if p}
    sketch = {}
    for key in sk.signals:
        if key.startswith('port ') and uno_pin(key) is not None:
            sketch[uno_pin(key)] = sk.changes(key, cutoff)
    problems = []
    compared = 0
    for pin in sorted(set(sketch) | set(sim)):
        a = sketch.get(pin, [])
        b = [e for e in sim.get(pin, []) if e[0] <= cutoff]
        label = 'pin %d' % pin
        if pin in pulse_pins:
            problems += live_diff.compare_pulses(label, a, b)
        else:
            problems += live_diff.compare_levels(label, a, b, cutoff)
        compared += len(a)
    if problems:
        print('%s: vimsel-sim differs from the compiled sketch' % args.name)
        for p in problems:
            print('  ' + p)
        return 1
    print('%s: the same: %d pin changes over %d pins; the largest time difference %.3f ms, at %.3f ms '
          '(allowed there: %.3f ms)' % (args.name, compared, len(set(sketch) | set(sim)), live_diff.worst[0],
                                        live_diff.worst[1], live_diff.tolerance(live_diff.worst[1])))
    return 0


if __name__ == '__main__':
    sys.exit(main())
