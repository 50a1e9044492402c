"""Speed of the Python module: dorvek.analyse on the bundled example and a study.

    PYTHONPATH=build/python python3 python/bench/speed.py [VARIANTS] [JOBS]

Prints the median time of one analysis (with and without the curves and distributions, and
the kernel's call alone on the prepared input text) over repeated rounds, then the time of a
study of VARIANTS variants (default 10000) drawn from a normal pile length on JOBS threads
(default 2). Compare the first figures with build/bin/kernel_bench's in-memory analysis
(--benchmark_filter=InMemory).
"""

import pathlib
import statistics
import sys
import time

import dorvek
from dorvek import _core

EXAMPLE = pathlib.Path(__file__).resolve().parents[2] / "examples" / "driven-pile-clay-over-sand.dv4d"


def median_ms(call, rounds=15, per_round=200):
    """Medians over the rounds of the mean wall and CPU time of one call, in milliseconds (on a
    busy machine compare the CPU times)."""
    call()
    wall, cpu = [], []
    for _ in range(rounds):
        start, start_cpu = time.perf_counter(), time.process_time()
        for _ in range(per_round):
            call()
        wall.append((time.perf_counter() - start) / per_round * 1e3)
        cpu.append((time.process_time() - start_cpu) / per_round * 1e3)
    return f"{statistics.median(wall):.3f} ms wall, {statistics.median(cpu):.3f} ms CPU"


def main(variants=10000, jobs=2):
    """Measures and prints."""
    project = dorvek.Project.read(EXAMPLE)
    text = project._prepared()[0]
    print(f"dorvek.analyse(project)                    {median_ms(lambda: dorvek.analyse(project))}")
    print(f"dorvek.analyse(project, details=False)     {median_ms(lambda: dorvek.analyse(project, details=False))}")
    print(f"the kernel's call on the input text alone  {median_ms(lambda: _core.analyse(text, None, None, '', False))}")
    start = time.perf_counter()
    study = dorvek.study(project, {"length": "normal:720:60"}, sample=int(variants), jobs=int(jobs))
    elapsed = time.perf_counter() - start
    print(f"dorvek.study of {len(study)} variants, jobs={jobs}: {elapsed:.2f} s "
          f"({len(study) / elapsed:.0f} variants per second)")


if __name__ == "__main__":
    main(*sys.argv[1:3])
