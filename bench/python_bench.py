#!/usr/bin/env python3
"""Timings of the Python module against the same work through the CLI:
one design() with the default inputs (dict built), one explore(), and each
as a subprocess of coredesign-cli --json parsed with json.loads; then
explore() in two threads at once against one after the other.

Usage: PYTHONPATH=build/python bench/python_bench.py [build/bin/coredesign-cli]
Prints the median of several timeit repeats of each, in the README's units."""
import json
import statistics
import subprocess
import sys
import threading
import time
import timeit

import coredesign

CLI = sys.argv[1] if len(sys.argv) > 1 else "build/bin/coredesign-cli"


def median_seconds(function, number, repeat=7):
    return statistics.median(t / number for t in timeit.repeat(function, number=number, repeat=repeat))


def through_cli(*args):
    return json.loads(subprocess.run([CLI, *args], capture_output=True, check=True).stdout)


def in_threads(count):
    threads = [threading.Thread(target=coredesign.explore) for _ in range(count)]
    start = time.perf_counter()
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    return time.perf_counter() - start


def main():
    coredesign.design(), through_cli("--json")  # the first calls load what they need
    design = median_seconds(coredesign.design, 20000)
    explore = median_seconds(coredesign.explore, 20)
    design_cli = median_seconds(lambda: through_cli("--json"), 50)
    explore_cli = median_seconds(lambda: through_cli("--explore"), 10)
    two_threads = statistics.median(in_threads(2) for _ in range(7))
    one_after_another = statistics.median(sum(in_threads(1) for _ in range(2)) for _ in range(7))
    print(f"design()                      {design * 1e6:8.2f} us   (budget 10 us)")
    print(f"coredesign-cli --json + json  {design_cli * 1e3:8.2f} ms   ratio {design_cli / design:,.0f}")
    print(f"explore()                     {explore * 1e3:8.2f} ms   (budget 5 ms)")
    print(f"coredesign-cli --explore      {explore_cli * 1e3:8.2f} ms   ratio {explore_cli / explore:,.1f}")
    print(f"explore() in 2 threads        {two_threads * 1e3:8.2f} ms   "
          f"(one after the other {one_after_another * 1e3:.2f} ms)")


if __name__ == "__main__":
    main()
