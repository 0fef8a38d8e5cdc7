#!/usr/bin/env python3
"""End-to-end benchmark: polyfit against the floor program, side by side.

For each size it generates a deterministic input, then times `polyfit < input >
/dev/null` and `polyfit_floor < input > /dev/null` in alternation, several runs
each, and prints the medians and the best (least disturbed) of the wall-clock
times and their ratios as a Markdown table. On a shared machine whose speed
drifts, the best times give the steadier ratio.

    bench/run_benchmarks.py [--build build] [--runs 7] [--sizes 1e5:5,1e6:5,...]
"""

import argparse
import os
import platform
import statistics
import subprocess
import tempfile
import time

DEFAULT_SIZES = "1e5:5,1e6:5,1e7:5,1e6:1,1e6:12"


def timed(program, input_path):
    """Wall-clock seconds of one run."""
    with open(input_path, "rb") as data, open(os.devnull, "wb") as sink:
        start = time.perf_counter()
        subprocess.run([program], stdin=data, stdout=sink, check=False)
        return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--sizes", default=DEFAULT_SIZES, help="n:m pairs, comma separated")
    args = parser.parse_args()

    polyfit = os.path.join(args.build, "polyfit")
    floor = os.path.join(args.build, "bench", "polyfit_floor")
    generate = os.path.join(args.build, "bench", "generate_points")
    print("%s, %d cores, %s" % (platform.processor() or platform.machine(), os.cpu_count(),
                                time.strftime("%Y-%m-%d")))
    print()
    print("| n | m | polyfit median (s) | floor median (s) | ratio | polyfit best (s) | floor best (s) | ratio |")
    print("|---:|---:|---:|---:|---:|---:|---:|---:|")
    with tempfile.TemporaryDirectory() as scratch:
        for size in args.sizes.split(","):
            n_text, m_text = size.split(":")
            n, m = int(float(n_text)), int(m_text)
            input_path = os.path.join(scratch, "input.txt")
            with open(input_path, "wb") as out:
                subprocess.run([generate, str(n), str(m)], stdout=out, check=True)
            timed(polyfit, input_path)  # warm the page cache
            ours, theirs = [], []
            for _ in range(args.runs):
                ours.append(timed(polyfit, input_path))
                theirs.append(timed(floor, input_path))
            median = [statistics.median(runs) for runs in (ours, theirs)]
            best = [min(runs) for runs in (ours, theirs)]
            print("| %s | %d | %.3f | %.3f | %.2f | %.3f | %.3f | %.2f |" % (
                n_text, m, median[0], median[1], median[0] / median[1], best[0], best[1],
                best[0] / best[1]), flush=True)


if __name__ == "__main__":
    main()
