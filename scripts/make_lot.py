#!/usr/bin/env python3
"""Writes a station's day as a lot of result files, for looking at lots.

    scripts/make_lot.py OUTDIR [--files N] [--fibers N] [--channel CH] [--seed S]

Files spread from 06:00 over sixteen hours (200 by default, of 48 fibers),
named by the station's counter. Channel CH (07 by default) drifts down by
about 6 dB over the day, so that its margin and Cpk fall and it fails more
and more towards the evening; every fiber that fails is measured again a
file or two later (a retest), and nearly always passes then. A retest
measures the same fiber again: its channels read as before, give or take
the station's repeatability (0.21 dB a measurement), but for the drifting
one, which the repair mends. Same seed, same files."""
import argparse
import os
import random

from make_samples import header, line


REPEATABILITY = 0.21


def fiber_rows(rng, noise, name, channel, drift, second, known=None):
    """The fiber's rows, whether it failed, and its channels' own powers
    (before the drift); `known` holds them where it was measured before."""
    rows = b""
    base = rng.uniform(-16.0, -10.0)
    failed = False
    own = []
    for ch in range(1, 19):
        power = base + rng.gauss(0.0, 1.2) - 0.15 * ch
        if known:
            power = known[ch - 1]
        own.append(power)
        power += noise.gauss(0.0, REPEATABILITY)
        if ch == channel:
            power -= drift + rng.gauss(0.0, 1.5) * (1 + drift / 4)
        failed = failed or power < -30.0
        time = "%02d:%02d:%02d" % (second // 3600 % 24, second // 60 % 60, second % 60)
        rows += line(name, ch, "%.2f" % power, "-30.00", "2018-05-21", time)
    return rows, failed, own


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir")
    parser.add_argument("--files", type=int, default=200)
    parser.add_argument("--fibers", type=int, default=48)
    parser.add_argument("--channel", type=int, default=7)
    parser.add_argument("--seed", type=int, default=521)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    noise = random.Random(args.seed + 1)
    powers = {}
    os.makedirs(args.outdir, exist_ok=True)
    retests = []
    for index in range(args.files):
        # Files spread over sixteen hours, a file's fibers over its share.
        interval = 16 * 3600 // max(args.files, 1)
        start = 6 * 3600 + index * interval
        drift = 14.0 * index / max(args.files - 1, 1)
        names = retests[:args.fibers]
        retested = set(names)
        retests = retests[args.fibers:]
        names += ["S%03d-%02d" % (index, i) for i in range(args.fibers - len(names))]
        data = header("CWDM station 3, shift log %d" % index)
        for number, name in enumerate(names):
            # A retest follows a repair: the drifting channel is mostly mended.
            rows, failed, own = fiber_rows(rng, noise, name, args.channel,
                                           drift * (0.2 if name in retested else 1.0),
                                           start + number * interval // args.fibers, powers.get(name))
            powers.setdefault(name, own)
            data += rows
            if failed:
                retests.append(name)
        with open(os.path.join(args.outdir, "station3-%04d.fib" % index), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
