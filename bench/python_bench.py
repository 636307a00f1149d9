#!/usr/bin/env python3
"""Timings of the Python module against the same work through the CLI: one
design() with the default inputs (its dict built), one explore(), and each
through subprocess as coredesign-cli --json / --explore parsed with
json.loads; then explore() in two threads at once against one after the
other.

Usage: PYTHONPATH=build/python bench/python_bench.py [build/bin/coredesign-cli]

Times are CPU times (this process's, plus its children's for the CLI), the
median of several timeit repeats: on a shared machine the wall clock also
counts the time spent waiting for a core. The threads are timed by the wall
clock, since they are about using two cores at once."""
import json
import resource
import statistics
import subprocess
import sys
import threading
import time
import timeit

import coredesign

CLI = sys.argv[1] if len(sys.argv) > 1 else "build/bin/coredesign-cli"


def cpu_time():
    own = time.process_time()
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    return own + children.ru_utime + children.ru_stime


def median_seconds(function, number, repeat=7):
    times = timeit.Timer(function, timer=cpu_time).repeat(number=number, repeat=repeat)
    return statistics.median(t / number for t in times)


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
    one_after_another = statistics.median(in_threads(1) + in_threads(1) for _ in range(7))
    print(f"design()                       {design * 1e6:8.2f} us   (budget 10 us)")
    print(f"coredesign-cli --json + json   {design_cli * 1e3:8.2f} ms   {design_cli / design:,.0f} times design()")
    print(f"explore()                      {explore * 1e3:8.2f} ms   (budget 5 ms)")
    print(f"coredesign-cli --explore + json{explore_cli * 1e3:8.2f} ms   {explore_cli / explore:,.1f} times explore()")
    print(f"explore() twice, in 2 threads  {two_threads * 1e3:8.2f} ms   "
          f"(one after the other {one_after_another * 1e3:.2f} ms, wall clock)")


if __name__ == "__main__":
    main()
