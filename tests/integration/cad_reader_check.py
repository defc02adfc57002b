#!/usr/bin/python3
"""Runs every job of quillmere-cli on the example drawings (and the shared
sample drawings when present), the arc job also with --curves, opens each
output with ezdxf and fails when a file does not load, the reader's audit
finds errors, or an arc written by the arc job (without curves, whose
polylines then pair up with the input's) does not lie on the vertices it
replaced.

Usage: cad_reader_check.py CLI EXAMPLES_DIR [SAMPLES_DIR]
"""
import math
import os
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf import recover

DEVIATION = 0.1


def entity_points(path):
    """Vertex lists (x, y, bulge) of the polylines of the modelspace, in file order."""
    doc, _ = recover.readfile(path)
    result = []
    for entity in doc.modelspace():
        if entity.dxftype() == "LWPOLYLINE":
            result.append([(x, y, b) for x, y, _, _, b in entity.get_points("xyseb")])
        elif entity.dxftype() == "POLYLINE":
            result.append([(v.dxf.location.x, v.dxf.location.y, v.dxf.get("bulge", 0))
                           for v in entity.vertices])
    return result


def arc_of_bulge(a, b, bulge):
    """Centre and radius of the arc from a to b with the given bulge."""
    chord = math.dist(a, b)
    offset = chord * (1 - bulge * bulge) / (4 * bulge)
    left = (-(b[1] - a[1]) / chord, (b[0] - a[0]) / chord)
    centre = ((a[0] + b[0]) / 2 + left[0] * offset, (a[1] + b[1]) / 2 + left[1] * offset)
    return centre, chord * (1 + bulge * bulge) / (4 * abs(bulge))


def check_arcs(original, converted, label):
    """Every vertex that the arc job removed lies on the arc that replaced it."""
    problems = []
    for index, (before, after) in enumerate(zip(original, converted)):
        position = 0
        for k in range(len(after) - 1):
            start, end = after[k], after[k + 1]
            while (before[position][0], before[position][1]) != (start[0], start[1]):
                position += 1
            following = position + 1
            while (before[following][0], before[following][1]) != (end[0], end[1]):
                following += 1
            removed = before[position + 1:following]
            if start[2] != 0 and removed and start[2] != before[position][2]:
                centre, radius = arc_of_bulge(start[:2], end[:2], start[2])
                for vertex in removed:
                    off = abs(math.dist(vertex[:2], centre) - radius)
                    if off > 1.5 * DEVIATION:
                        problems.append(f"{label}: polyline {index}: vertex {vertex[:2]} lies "
                                        f"{off:.4f} off the arc")
                        break
            position = following
    return problems


def audit(path):
    doc, _ = recover.readfile(path)
    return {str(error.message) for error in doc.audit().errors}


def main():
    cli, examples = sys.argv[1], sys.argv[2]
    samples = sys.argv[3] if len(sys.argv) > 3 else ""
    drawings = [os.path.join(examples, name) for name in sorted(os.listdir(examples))
                if name.endswith(".dxf")]
    if samples and os.path.isdir(samples):
        drawings += [os.path.join(samples, name) for name in sorted(os.listdir(samples))
                     if name.endswith(".dxf")]
    failures = []
    checked = 0
    with tempfile.TemporaryDirectory() as work:
        for drawing in drawings:
            for mode in ("convert1", "convert2", "convert3", "--curves convert1"):
                output = os.path.join(work, f"{mode.replace(' ', '')}-{os.path.basename(drawing)}")
                run = subprocess.run([cli, *mode.split(), drawing, output], capture_output=True,
                                     text=True)
                if run.returncode not in (0, 1):
                    failures.append(f"{mode} {drawing}: exit {run.returncode} {run.stderr}")
                    continue
                if not os.path.exists(output):
                    continue  # nothing to write, e.g. no polylines: reported by the job
                label = f"{mode} {os.path.basename(drawing)}"
                try:
                    errors = audit(output)
                except Exception as error:  # a file the reader cannot load at all
                    failures.append(f"{label}: cannot be loaded: {error}")
                    continue
                # Only what the job brought in counts, not what the input had.
                failures += [f"{label}: {message}" for message in errors - audit(drawing)]
                if mode == "convert1":
                    try:
                        failures += check_arcs(entity_points(drawing), entity_points(output), label)
                    except IndexError:
                        failures.append(f"{label}: output vertices are not input vertices")
                checked += 1
    for failure in failures:
        print(failure)
    print(f"{checked} outputs opened with ezdxf {ezdxf.__version__}, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
