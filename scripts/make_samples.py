#!/usr/bin/env python3
"""Writes the bundled sample result files under samples/.

CWDM measurements: 18 channels per fiber, 1271 to 1611 nm in 20 nm steps,
five header lines, then one 68-character line per channel."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(HERE, "..", "samples")


def field(text, width):
    data = text.encode("gb18030") if isinstance(text, str) else text
    assert len(data) <= width, text
    return data + b" " * (width - len(data))


def line(name, channel, power, threshold, date, time):
    out = (field(name, 8) + b"  " + field("%02d" % channel, 2) + b" " * 6
           + field("%.1f" % (1271 + 20 * (channel - 1)), 6) + b" " * 5
           + field(power.rjust(8), 8) + b"  " + field(threshold.rjust(8), 8) + b"  "
           + field(date, 10) + b" " + field(time, 8))
    assert len(out) == 68
    return out + b"\n"


def header(title):
    lines = [title, "Device: Quenvale CWDM meter QM-18   S/N 180517-042",
             "Operator: 张伟   Site: 机房 3F  ODF-A",
             "Reference: -3.00 dBm   Threshold: -30.00 dBm",
             "Fiber   Ch      Wave     Power     Thres     Date       Time"]
    return b"".join(l.encode("gb18030") + b"\n" for l in lines)


def fiber_lines(rng, name, start_minute, date):
    out = b""
    base = rng.uniform(-18.0, -8.0)
    dead = rng.random() < 0.25  # some fibers have channels without light
    for ch in range(1, 19):
        if dead and ch in (7, 8, 15):
            power = "-100.00"
        else:
            power = "%.2f" % (base + rng.uniform(-4.0, 4.0) - 0.2 * ch)
        minute = start_minute + ch // 6
        time = "%02d:%02d:%02d" % (9 + minute // 60, minute % 60, (ch * 7) % 60)
        out += line(name, ch, power, "-30.00", date, time)
    return out


def write(name, data, crlf=False):
    if crlf:
        data = data.replace(b"\n", b"\r\n")
    with open(os.path.join(SAMPLES, name), "wb") as f:
        f.write(data)


def main():
    rng = random.Random(180517)
    os.makedirs(SAMPLES, exist_ok=True)

    # Four fibers in ascending order, written on Windows (CR LF).
    data = header("CWDM link test result")
    for k in range(4):
        data += fiber_lines(rng, "FIB%04d" % (k + 1), 10 * k, "2018-05-17")
    write("cwdm-4-fibers.fib", data, crlf=True)

    # Fibers measured out of order, with Chinese names (code page 936).
    data = header("CWDM 光纤测试结果")
    for k, name in enumerate(["光纤03", "光纤01", "光纤04", "光纤02"]):
        data += fiber_lines(rng, name, 12 * k, "2018-05-18")
    write("cwdm-unsorted.fib", data)

    # A whole cable: 48 fibers, 864 rows, a report of 31 pages.
    data = header("CWDM cable acceptance test")
    for k in range(48):
        data += fiber_lines(rng, "C1-F%03d" % (k + 1), 3 * k, "2018-05-19")
    write("cwdm-48-fibers.fib", data)


if __name__ == "__main__":
    main()
