#!/usr/bin/env python3
"""How evenly the game's timers ticked, from a recording of the real game
(TARNWICK_RECORD): for each period, the median, 99th percentile and largest
deviation of the time between two ticks from the period.

  tools/perf/tick_timing.py RECORDING [PERIOD ...]

Without periods it reports the frame (75 ms), mission (100 ms) and control
(16 ms) ticks. Two ticks further apart than twice the period belong to
different runs of the timer (it was stopped, or a whole period was missed and
merged): they are counted as breaks, not as deviations.
"""
import statistics
import sys


def tick_times(path):
    times = {}
    with open(path) as recording:
        for line in recording:
            words = line.split()
            if len(words) == 3 and words[0] == 'tick':
                times.setdefault(int(words[2]), []).append(int(words[1]))
    return times


def percentile(sorted_values, share):
    return sorted_values[min(len(sorted_values) - 1, int(share * len(sorted_values)))]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    times = tick_times(sys.argv[1])
    periods = [int(p) for p in sys.argv[2:]] or [16, 75, 100]
    for period in periods:
        ticks = times.get(period, [])
        gaps = [b - a for a, b in zip(ticks, ticks[1:])]
        deviations = sorted(abs(gap - period) for gap in gaps if gap <= 2 * period)
        breaks = len(gaps) - len(deviations)
        if not deviations:
            print(f'{period} ms: {len(ticks)} ticks, too few to measure')
            continue
        print(f'{period} ms: {len(ticks)} ticks, deviation from the period: median '
              f'{statistics.median(deviations):g} ms, 99th percentile '
              f'{percentile(deviations, 0.99)} ms, largest {deviations[-1]} ms; {breaks} breaks')


if __name__ == '__main__':
    main()
