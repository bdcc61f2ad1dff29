#!/usr/bin/env python3
"""Compares what a board did running a program's compiled sketch and running the
same program in the interpreter firmware (two traces of vimsel_simavr), and prints a
readable account of every difference.

usage: live_diff.py NAME SKETCH_TRACE LIVE_TRACE --seconds S [--pulses B1,...]
                    [--stream FILE]

Times are taken from each run's own start of the program ("zero" line): for the
sketch the first entry into loop(), for the firmware the moment its serial receive
interrupt takes in the transfer's last byte (the checksum). Compared, in turn:
  - every port and direction register bit, and every analogue (PWM) output's value:
    the same changes at the same times, within the tolerance below (what happened
    before the start counts as the level at the start);
  - pins named with --pulses (servo outputs): the same pulse widths, changing at the
    same times within one frame, at the same period; the phase of a pulse train
    started by the set-up is not something a pupil can see or a program controls;
  - the bytes on the I2C bus, transaction by transaction, in order and at the same
    times (the set-up's before the start count as at the start), and the display's
    rows at the end;
  - when the stream (--stream, the recorded bytes) sends the stop command after the
    transfer: up to its arrival as above, and no change of any pin in the live run
    after it.
"""
import argparse
import difflib
import sys

# Tolerance for the time of an event t ms after the start of the program: 1 ms, plus
# 1 ms per simulated second. The fixed part covers how the two starts are taken (the
# sketch enters loop() at once; the firmware has to check the sum, link the blocks and
# queue its "Program start" line before it runs the first block: about 0.25 ms for the
# programs here); the part that grows
# covers the interpreter's own work per block (decoding a record, looking up a
# variable), which delays every later event a little and adds up in loops, while
# delay() itself is the same in both. A real fault (a wait taken in the wrong unit, a
# word read with the wrong byte order, a loop run once too often, a skipped block)
# moves events by whole waits, far beyond this.
FIXED_TOLERANCE_MS = 1.0
TOLERANCE_MS_PER_S = 1.0

# Servo pulses are 600..2400 us; two widths closer than this are one setting.
PULSE_WIDTH_SLACK_US = 8.0
SERVO_FRAME_MS = 20.0


# The largest time difference of matched pin changes, and where: (ms off, at ms).
worst = [0.0, 0.0]


def tolerance(t_ms):
    return FIXED_TOLERANCE_MS + TOLERANCE_MS_PER_S * max(t_ms, 0.0) / 1000.0


class Trace:
    def __init__(self, path):
        self.zero = None
        self.signals = {}   # "port B5" -> [(t, level)] in order, absolute ms
        self.i2c = []       # (t, kind, data)
        self.lcd = []
        self.serial = []
        self.notes = []
        with open(path, encoding='utf-8', errors='replace') as f:
            for line in f:
                w = line.split()
                if not w:
                    continue
                if w[0] == 'zero':
                    self.zero = None if w[1] == 'none' else float(w[1])
                elif w[0] in ('port', 'ddr', 'pwm'):
                    self.signals.setdefault(w[0] + ' ' + w[1], []).append((float(w[2]), int(w[3])))
                elif w[0] == 'i2c':
                    self.i2c.append((float(w[1]), w[2], w[3] if len(w) > 3 else ''))
                elif w[0] == 'lcd':
                    self.lcd.append(line.rstrip('\n'))
                elif w[0] == 'serial':
                    self.serial.append(line.rstrip('\n'))
                elif w[0] in ('stream', 'end'):
                    self.notes.append(line.rstrip('\n'))

    def changes(self, key, until_ms):
        """The level changes of one signal, in ms from the start of the program; what
        happened before the start counts as one change at 0 to the level it left."""
        before = 0
        after = []
        for t, v in self.signals.get(key, []):
            rel = t - self.zero
            if rel <= 0.0:
                before = v
            elif rel <= until_ms:
                after.append((rel, v))
        out = [(0.0, before)] if before else []
        level = before
        for rel, v in after:
            if v != level:
                out.append((rel, v))
                level = v
        return out


def fmt(events, limit=12):
    s = ', '.join('%.3f->%d' % e for e in events[:limit])
    return s + (', ... (%d in all)' % len(events) if len(events) > limit else '')


def compare_levels(key, a, b, cutoff):
    """a: sketch, b: live; returns problem lines."""
    problems = []
    n = min(len(a), len(b))
    for i in range(n):
        (ta, va), (tb, vb) = a[i], b[i]
        if va != vb:
            problems.append('%s: change %d is to %d in the sketch at %.3f ms, to %d live at %.3f ms'
                            % (key, i + 1, va, ta, vb, tb))
            break
        if abs(ta - tb) > abs(worst[0]):
            worst[:] = [tb - ta, ta]
        if abs(ta - tb) > tolerance(ta):
            problems.append('%s: change %d (to %d) at %.3f ms in the sketch, %.3f ms live: off by %.3f ms, '
                            'more than %.3f ms' % (key, i + 1, va, ta, tb, tb - ta, tolerance(ta)))
            break
    if not problems and len(a) != len(b):
        longer, name = (a, 'sketch') if len(a) > len(b) else (b, 'live run')
        extra = longer[n:]
        # Changes at the very end of the window may fall just outside it in one run.
        if any(t <= cutoff - tolerance(cutoff) for t, _ in extra):
            problems.append('%s: %d changes in the sketch, %d live; first unmatched (%s): %.3f ms -> %d'
                            % (key, len(a), len(b), name, extra[0][0], extra[0][1]))
    if problems:
        problems.append('    sketch: ' + fmt(a))
        problems.append('    live:   ' + fmt(b))
    return problems


def pulses(changes):
    """(rise ms, width us) of every complete high pulse."""
    out = []
    rise = None
    for t, v in changes:
        if v == 1:
            rise = t
        elif rise is not None:
            out.append((rise, (t - rise) * 1000.0))
            rise = None
    return out


def segments(ps):
    """Runs of pulses of one width: (first rise, width, count, median period)."""
    segs = []
    for t, w in ps:
        if segs and abs(w - segs[-1]['w']) <= PULSE_WIDTH_SLACK_US:
            segs[-1]['rises'].append(t)
        else:
            segs.append({'t': t, 'w': w, 'rises': [t]})
    out = []
    for s in segs:
        r = s['rises']
        gaps = sorted(r[i + 1] - r[i] for i in range(len(r) - 1))
        out.append((s['t'], s['w'], len(r), gaps[len(gaps) // 2] if gaps else None))
    return out


def compare_pulses(key, a, b):
    problems = []
    # Pulses from before the start (a train the set-up began) are not compared.
    sa = segments([p for p in pulses(a) if p[0] > 0.0])
    sb = segments([p for p in pulses(b) if p[0] > 0.0])
    fa = ['%.0f us from %.1f ms (%d pulses, every %s ms)' % (w, t, n, '%.3f' % p if p else '-') for t, w, n, p in sa]
    fb = ['%.0f us from %.1f ms (%d pulses, every %s ms)' % (w, t, n, '%.3f' % p if p else '-') for t, w, n, p in sb]
    if len(sa) != len(sb):
        problems.append('%s: %d pulse widths in turn in the sketch, %d live' % (key, len(sa), len(sb)))
    else:
        for i, ((ta, wa, na, pa), (tb, wb, nb, pb)) in enumerate(zip(sa, sb)):
            if abs(wa - wb) > PULSE_WIDTH_SLACK_US:
                problems.append('%s: setting %d is %.1f us in the sketch, %.1f us live' % (key, i + 1, wa, wb))
            elif i > 0 and abs(ta - tb) > SERVO_FRAME_MS + tolerance(ta):
                problems.append('%s: setting %d (%.0f us) from %.1f ms in the sketch, from %.1f ms live'
                                % (key, i + 1, wa, ta, tb))
            elif pa and pb and abs(pa - pb) > 0.05:
                problems.append('%s: setting %d repeats every %.3f ms in the sketch, %.3f ms live'
                                % (key, i + 1, pa, pb))
    if problems:
        problems.append('    sketch: ' + '; '.join(fa))
        problems.append('    live:   ' + '; '.join(fb))
    return problems


def i2c_transactions(events, zero):
    """One line per transaction (the address byte and the data, as the bus carried
    them), and the time of each start from the start of the program."""
    lines, times = [], []
    cur = None
    for t, kind, data in events:
        if kind == 'S':
            if cur:
                lines.append(cur)
            cur = data + ':'
            times.append(t - zero)
        elif kind in ('W', 'R'):
            if cur is None:
                times.append(t - zero)
            cur = (cur or '?:') + ' ' + (data if kind == 'W' else 'r' + data)
        elif kind == 'P':
            if cur:
                lines.append(cur)
            cur = None
    if cur:
        lines.append(cur)
    return lines, times


def stop_time(stream):
    """When a stop command that follows the transfer arrives, in ms after the start of
    the program: its recorded delay after the transfer, plus the byte's own time on
    the line (10 bits at 9600 baud)."""
    start = None
    with open(stream) as f:
        for line in f:
            w = line.split()
            if w and w[0] == 'start':
                start = float(w[1])
            elif w and w[0] == 'send' and start is not None and '30' in w[2:]:
                return float(w[1]) - start + 10 * 1000.0 / 9600
    return None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('name')
    ap.add_argument('sketch')
    ap.add_argument('live')
    ap.add_argument('--seconds', type=float, required=True)
    ap.add_argument('--pulses', default='')
    ap.add_argument('--stream', default=None)
    args = ap.parse_args()
    args.stop_at = stop_time(args.stream) if args.stream else None

    sk, lv = Trace(args.sketch), Trace(args.live)
    problems = []
    if sk.zero is None:
        problems.append('the sketch never entered loop()')
    if lv.zero is None:
        problems.append('the interpreted program never started (the transfer did not complete)')
    if problems:
        report(args.name, problems, lv)
        return 1

    window = args.seconds * 1000.0
    cutoff = window - 20.0
    live_cutoff = cutoff
    if args.stop_at is not None:
        # Up to the stop command both runs must agree; the sketch runs on after it.
        cutoff = min(cutoff, args.stop_at)
        live_cutoff = window
    pulse_keys = {'port ' + p for p in args.pulses.split(',') if p}
    keys = sorted(set(sk.signals) | set(lv.signals))
    compared = 0
    firsts = []
    for key in keys:
        a = sk.changes(key, cutoff)
        b = lv.changes(key, live_cutoff)
        if a and b:
            firsts.append(b[0][0] - a[0][0])
        if args.stop_at is not None:
            grace = args.stop_at + tolerance(args.stop_at)
            late = [e for e in b if e[0] > grace]
            if late:
                problems.append('%s: changed after the stop command (%.3f ms): %s' % (key, args.stop_at, fmt(late)))
            b = [e for e in b if e[0] <= cutoff]
        if key in pulse_keys:
            problems += compare_pulses(key, a, b)
        else:
            problems += compare_levels(key, a, b, cutoff)
        compared += len(a)

    (ia, ta), (ib, tb) = i2c_transactions(sk.i2c, sk.zero), i2c_transactions(lv.i2c, lv.zero)
    # Up to the end of the window; a transaction right at its end may fall outside it
    # in one run.
    ka = [(l, t) for l, t in zip(ia, ta) if t <= cutoff]
    kb = [(l, t) for l, t in zip(ib, tb) if t <= cutoff]
    n = min(len(ka), len(kb))
    tail = ka[n:] + kb[n:]
    same = [l for l, _ in ka[:n]] == [l for l, _ in kb[:n]] and all(t > cutoff - tolerance(cutoff) for _, t in tail)
    if same:
        # The same transactions at the same times; those of the set-up, before the start
        # of the sketch's loop(), are due at the start.
        for i in range(n):
            x, y = max(ka[i][1], 0.0), max(kb[i][1], 0.0)
            if abs(x - y) > tolerance(x):
                problems.append('I2C: transaction %d of %d (%s) at %.3f ms in the sketch, %.3f ms live: off by %.3f ms'
                                % (i + 1, n, ka[i][0][:40], x, y, y - x))
                break
    else:
        la, lb = [l for l, _ in ka], [l for l, _ in kb]
        diff = list(difflib.unified_diff(la, lb, 'sketch', 'live', n=2, lineterm=''))
        problems.append('I2C: %d transactions in the sketch, %d live; they differ:' % (len(la), len(lb)))
        problems += ['    ' + d for d in diff[:60]]
        if len(diff) > 60:
            problems.append('    ... (%d more diff lines)' % (len(diff) - 60))
    if sk.lcd != lv.lcd:
        problems.append('display at the end:')
        problems += ['    sketch: ' + l for l in sk.lcd] + ['    live:   ' + l for l in lv.lcd]

    if problems and firsts:
        # A late or early start shifts everything: say so, and whether the rest agrees.
        shift = sorted(firsts)[len(firsts) // 2]
        if abs(shift) > FIXED_TOLERANCE_MS:
            rest = []
            for key in keys:
                if key in pulse_keys:
                    continue
                end = cutoff - abs(shift)
                a = sk.changes(key, end)
                b = [(max(t - shift, 0.0), v) for t, v in lv.changes(key, cutoff + abs(shift))]
                rest += compare_levels(key, a, [e for e in b if e[0] <= end], end)
            problems.append('the live run\'s first change of most signals comes %.3f ms %s the sketch\'s; with that '
                            'shift taken out, the pin changes %s' % (abs(shift), 'after' if shift > 0 else 'before',
                                                                     'agree' if not rest else 'still differ:'))
            problems += ['  ' + r for r in rest[:12]]
    if problems:
        report(args.name, problems, lv)
        return 1
    print('%s: the same: %d pin changes over %d signals, %d I2C transactions, start of the live program at %.3f ms; '
          'the largest time difference %.3f ms, at %.3f ms (allowed there: %.3f ms)'
          % (args.name, compared, len(keys), n, lv.zero, worst[0], worst[1], tolerance(worst[1])))
    return 0


def report(name, problems, live):
    print('%s: the interpreted program differs from its sketch' % name)
    for p in problems:
        print('  ' + p)
    if live.serial or live.notes:
        print('  live run, serial text and stream notes:')
        for l in (live.serial + live.notes)[:30]:
            print('    ' + l)


if __name__ == '__main__':
    sys.exit(main())
