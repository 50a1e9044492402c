"""Load-settlement curves of the bundled example for several pile lengths.

Reads examples/driven-pile-clay-over-sand.dv4d, analyses it, then varies the pile length in a
study and prints each length's head loads and head movements. With matplotlib installed it
also draws head load against settlement and writes load_settlement.png (or the file named by
the first argument).

    PYTHONPATH=build/python python3 examples/python/load_settlement.py [PICTURE.png]
"""

import pathlib
import sys

import numpy as np

import dorvek

EXAMPLE = pathlib.Path(__file__).resolve().parents[1] / "driven-pile-clay-over-sand.dv4d"
LENGTHS = "480:960:120"  # from 40 ft to 80 ft in 10 ft steps (inches)


def main(picture="load_settlement.png"):
    """Runs the example and the study, prints the table, draws the curves when it can."""
    project = dorvek.Project.read(EXAMPLE)
    result = dorvek.analyse(project)
    force, length = result.force_unit, result.length_unit
    print(f"{project.title}")
    print(f"{result.meaning} (code {result.code}); pile length {project.length:g} {length}")
    for load, head, tip, tip_load in result.load_results:
        print(f"  head load {load:10.0f} {force}: head settles {head:.4f} {length}, tip carries {tip_load:.0f} {force}")

    study = dorvek.study(project, {"length": LENGTHS}, jobs=2)
    print()
    print(f"{'length (' + length + ')':>14} {'head load (' + force + ')':>18} {'settlement (' + length + ')':>18}")
    curves = {}
    for v, (pile_length,) in enumerate(study.variants):
        rows = (study.variant == v) & (study.kind == "tip movement")
        loads, settlements = study.results[rows, 0], study.results[rows, 1]
        curves[pile_length] = (loads, settlements)
        if study.codes[v] != 0:
            print(f"{pile_length:14g}   not completed: {study.meanings[v]}")
        for load, settlement in zip(loads, settlements):
            print(f"{pile_length:14g} {load:18.1f} {settlement:18.5f}")

    try:
        import matplotlib
    except ImportError:
        print("\nmatplotlib is not installed: no picture drawn")
        return
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    figure, axes = plt.subplots(figsize=(7, 5))
    for pile_length, (loads, settlements) in curves.items():
        order = np.argsort(loads)
        axes.plot(loads[order], settlements[order], marker="o", label=f"L = {pile_length:g} {length}")
    axes.invert_yaxis()
    axes.set_xlabel(f"Head load ({force})")
    axes.set_ylabel(f"Settlement of the pile head ({length})")
    axes.set_title(project.title, fontsize=9)
    axes.grid(True, alpha=0.3)
    axes.legend()
    figure.tight_layout()
    figure.savefig(picture, dpi=100)
    print(f"\npicture: {picture}")


if __name__ == "__main__":
    main(*sys.argv[1:2])
