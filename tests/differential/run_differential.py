#!/usr/bin/env python3
"""Differential runs: random inputs through polyfit and through the reference model.

Each case is generated from the seed, run as a process with the input on a pipe,
and compared with the model: the whole standard output, the exit status, and an
empty standard error. With several programs every one is checked against the same
expected output. The first failing case is printed small enough to paste into a
fixture, and the run stops with status 1.

    run_differential.py --seed 1 --count 3000 build/polyfit [other builds ...]

A program may carry an emulator in front of it, as one argument:
"qemu-aarch64 build-aarch64/polyfit". On processors whose arithmetic makes
NaNs with the sign bit clear (ARM), --any-nan-sign lets "NaN" stand where the
model, which follows x86, has "-NaN", and allows no other difference.
"""

import argparse
import os
import random
import shlex
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "reference"))
import model  # noqa: E402

SEPARATORS = [" ", " ", " ", "\n", "\n", "\t", "\r\n", "\v", "\f", "\r", "  \n\t", "\n\n"]
MALFORMED = ["abc", "-", "+", "1e", "1e+", "--1", ".", "-.", "inf", "nan", "Infinity", "0x1p3",
             "+-2", "e5", ",5", "1,5", "\x00", "\xff", "1..2", ".e1", "x"]


def short_decimal(rng):
    whole = rng.randint(0, 99)
    return "%s%d.%s" % (rng.choice(["", "-"]), whole, rng.choice(["1", "5", "25", "75", "3", "01"]))


def float_from_bits(rng):
    bits = rng.getrandbits(32)
    if (bits >> 23) & 0xFF == 0xFF:  # no words for infinity or NaN exist in the input
        bits &= ~(1 << 30)
    return repr(struct.unpack("<f", struct.pack("<I", bits))[0])


def value_text(rng, scale):
    """One typed value, drawn from the corners of reading, rounding and formatting."""
    choice = rng.random()
    if choice < 0.30:
        return str(rng.randint(-scale, scale))
    if choice < 0.45:
        return short_decimal(rng)
    if choice < 0.55:
        return repr(rng.uniform(-scale, scale))  # a long mantissa
    if choice < 0.62:
        return rng.choice(["0", "-0", "+0", "0.0", "-0.000", "0e10", "-.0"])
    if choice < 0.67:
        return rng.choice(["1e39", "-3.5e38", "1e400", "3.4028235e38", "-1e20", "1e20", "1e10"])
    if choice < 0.72:
        return rng.choice(["1e-40", "1e-46", "1e-400", "-1.4e-45", "1e-30", "1e-20", "2e-38"])
    if choice < 0.77:
        return rng.choice(["1.015625", "999999.5", "0.1", "1000000", "123456.7", "0.0001",
                           "0.00001", "16777217", "1.00000048"])
    if choice < 0.85:
        return rng.choice(["5.", ".5", "+.5e1", "1E3", "-2.5E-1", "+7", "00012", "1.e2"])
    return float_from_bits(rng)


def valid_parts(rng):
    """n, the points and m, as lists of typed texts, with the degenerate sets too."""
    n = rng.choice([1, 1, 2, 3, 3, 4, 5, 6, 8, 10, 15, 20, 30][: rng.randint(1, 13)])
    n = rng.choice([n, rng.randint(1, 30)])
    scale = rng.choice([1, 3, 10, 100, 10000])
    shape = rng.random()
    xs = []
    for k in range(n):
        if shape < 0.5:
            xs.append(str(k - n // 2) if rng.random() < 0.5 else value_text(rng, scale))
        elif shape < 0.7:
            xs.append(rng.choice(["0", "1", "2", "-1", "0.5"]))  # repeated abscissas
        else:
            xs.append(value_text(rng, scale))
    fs = [value_text(rng, scale) for _ in range(n)]
    m = rng.choice([0, 1, 1, 2, 2, 3, 4, 5, rng.randint(0, 10), n - 1, n, n + 1])
    m = max(m, 0)
    parts = [rng.choice([str(n), "+%d" % n, "%d.%d" % (n, rng.randint(0, 9))])]
    if "." in parts[0]:
        xs[0] = ""  # the fraction typed after n becomes x[0]
    for x, f in zip(xs, fs):
        parts.extend([x, f])
    parts.append(str(m))
    return [p for p in parts if p != ""]


def make_input(rng):
    parts = valid_parts(rng)
    damage = rng.random()
    if damage < 0.08:
        parts.insert(rng.randint(0, len(parts)), rng.choice(MALFORMED))
    elif damage < 0.12:
        parts = parts[: rng.randint(0, len(parts) - 1)]  # input ends early
    elif damage < 0.14:
        parts[0] = rng.choice(["2147483648", "99999999999", "0", "-1", "-2147483648"])
    elif damage < 0.16:
        parts[-1] = rng.choice(["2147483648", "-1", "99999999999999999999", "2147483647"])
    text = ""
    for part in parts:
        text += part + rng.choice(SEPARATORS)
    if rng.random() < 0.1:
        text = rng.choice(SEPARATORS) + text
    if rng.random() < 0.1 and text:
        text = text.rstrip()  # no line break after the last value
    return text.encode("latin-1")


def first_difference(actual, expected):
    a_lines, e_lines = actual.split("\n"), expected.split("\n")
    for number, (a, e) in enumerate(zip(a_lines, e_lines), 1):
        if a != e:
            return "line %d\n  got:      %r\n  expected: %r" % (number, a, e)
    return "line %d: one output is longer (%d vs %d lines)" % (
        min(len(a_lines), len(e_lines)) + 1, len(a_lines), len(e_lines))


def check(program, data, expected_output, expected_status, any_nan_sign):
    result = subprocess.run(shlex.split(program), input=data, capture_output=True, timeout=120)
    problems = []
    actual = result.stdout.decode("latin-1")
    if any_nan_sign:  # every NaN the program prints comes from the arithmetic
        actual = actual.replace("-NaN", "NaN")
        expected_output = expected_output.replace("-NaN", "NaN")
    if result.returncode != expected_status:
        problems.append("exit status %d, expected %d" % (result.returncode, expected_status))
    if result.stderr:
        problems.append("standard error: %r" % result.stderr[:200])
    if actual != expected_output:
        problems.append("standard output differs at " + first_difference(actual, expected_output))
    return problems


# Cases whose report would hold more floats than this are skipped: where memory
# runs out first depends on the machine, and the report would be enormous anyway.
REPORT_FLOATS_LIMIT = 100000


def report_size(data):
    """terms * (n + terms) of the run on `data`, or 0 when it never gets to a report."""
    reader = model.Reader(data)
    try:
        n = reader.whole_number("", 1)
        for k in range(n):
            reader.real("")
            reader.real("")
        m = reader.whole_number("", 0)
    except model.InputFailure:
        return 0
    return (m + 1) * (n + m + 1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("programs", nargs="+")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=1000)
    parser.add_argument("--any-nan-sign", action="store_true",
                        help="let an arithmetic NaN print with either sign")
    args = parser.parse_args()

    passed = skipped = 0
    for case in range(args.count):
        rng = random.Random("%d/%d" % (args.seed, case))
        data = make_input(rng)
        size = report_size(data)
        if REPORT_FLOATS_LIMIT < size <= model.MAX_FIT_FLOATS:
            skipped += 1
            continue
        expected_output, expected_status = model.run(data)
        for program in args.programs:
            problems = check(program, data, expected_output, expected_status, args.any_nan_sign)
            if problems:
                print("FAILED case %d of seed %d with %s" % (case, args.seed, program))
                print("input: %r" % data)
                for problem in problems:
                    print("  " + problem)
                print("%d passed, 1 failed, %d skipped" % (passed, skipped))
                return 1
        passed += 1
    print("%d passed, 0 failed, %d skipped" % (passed, skipped))
    return 0


if __name__ == "__main__":
    sys.exit(main())
