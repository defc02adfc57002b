#!/usr/bin/python3
"""Writes the example drawings of the demo: outlines whose curves are made of
many short straight segments, as exports from CAM and GIS programs are, and
one whose curves are true SPLINE and ELLIPSE entities.

Run with Debian's python3 and python3-ezdxf:  /usr/bin/python3 make_examples.py
"""
import math

import ezdxf


def arc_points(cx, cy, r, start_deg, end_deg, segments):
    """Points on an arc from start to end angle (degrees), both ends included."""
    return [
        (cx + r * math.cos(math.radians(start_deg + (end_deg - start_deg) * i / segments)),
         cy + r * math.sin(math.radians(start_deg + (end_deg - start_deg) * i / segments)))
        for i in range(segments + 1)
    ]


def rounded_plate(width, height, radius, segments_per_corner):
    """A plate outline: straight edges joined by corner arcs of short segments."""
    corners = [
        (width - radius, radius, -90, 0),
        (width - radius, height - radius, 0, 90),
        (radius, height - radius, 90, 180),
        (radius, radius, 180, 270),
    ]
    points = []
    for cx, cy, a0, a1 in corners:
        points.extend(arc_points(cx, cy, radius, a0, a1, segments_per_corner))
    return points


def slot(x, y, length, radius, segments):
    """An oblong slot: two half circles joined by straight edges."""
    right = arc_points(x + length, y, radius, -90, 90, segments)
    left = arc_points(x, y, radius, 90, 270, segments)
    return right + left


def circle(cx, cy, r, segments):
    return arc_points(cx, cy, r, 0, 360, segments)[:-1]


def wave(x0, y0, amplitude, period, length, step):
    """A cam-like track: straight lead-in, a sine wave, straight lead-out."""
    points = [(x0 - 20, y0), (x0 - 10, y0)]
    x = 0.0
    while x <= length:
        points.append((x0 + x, y0 + amplitude * math.sin(2 * math.pi * x / period)))
        x += step
    points += [(x0 + length + 10, y0), (x0 + length + 20, y0)]
    return points


def add_shapes(add):
    add(rounded_plate(160, 100, 6, 24), closed=True)
    add(circle(30, 30, 8, 48), closed=True)
    add(circle(130, 30, 8, 48), closed=True)
    add(circle(80, 60, 22.5, 96), closed=True)
    add(slot(40, 80, 80, 6, 30), closed=True)
    add(wave(20, 130, 10, 60, 120, 1.25), closed=False)


def make_r12(path):
    doc = ezdxf.new("R12", units=ezdxf.units.MM)
    msp = doc.modelspace()

    def add(points, closed):
        msp.add_polyline2d(points, close=closed, dxfattribs={"layer": "KONTUR"})

    add_shapes(add)
    doc.saveas(path)


def make_r2000(path):
    doc = ezdxf.new("R2000", units=ezdxf.units.MM)
    msp = doc.modelspace()

    def add(points, closed):
        msp.add_lwpolyline(points, close=closed, dxfattribs={"layer": "KONTUR"})

    add_shapes(add)
    doc.saveas(path)


def make_lines(path):
    """The plate as loose LINE entities, for the lines-to-polylines job."""
    doc = ezdxf.new("R2000", units=ezdxf.units.MM)
    msp = doc.modelspace()

    def add(points, closed):
        ring = points + [points[0]] if closed else points
        for start, end in zip(ring, ring[1:]):
            msp.add_line(start, end, dxfattribs={"layer": "KONTUR"})

    add_shapes(add)
    doc.saveas(path)


def make_pieces(path):
    """The plate outline cut into open pieces, for the polyline joining job."""
    doc = ezdxf.new("R12", units=ezdxf.units.MM)
    msp = doc.modelspace()
    outline = rounded_plate(160, 100, 6, 24)
    outline.append(outline[0])
    cuts = [0, 20, 51, 75, len(outline) - 1]
    for a, b in zip(cuts, cuts[1:]):
        msp.add_polyline2d(outline[a:b + 1], dxfattribs={"layer": "KONTUR"})
    doc.saveas(path)


def make_curves(path):
    """A part drawn with true curves, as CAD programs keep them: a closed
    spline outline, elliptic holes, an open spline and a spline through fit
    points, for the arc job with --curves."""
    doc = ezdxf.new("R2000", units=ezdxf.units.MM)
    msp = doc.modelspace()
    attribs = {"layer": "KONTUR"}
    outline = msp.add_spline(dxfattribs=attribs)
    outline.set_closed([(0, 40, 0), (30, 95, 0), (90, 100, 0), (150, 80, 0), (170, 30, 0),
                        (120, 0, 0), (60, 10, 0)], degree=3)
    msp.add_ellipse((55, 55), major_axis=(18, 6), ratio=0.5, dxfattribs=attribs)
    msp.add_ellipse((120, 45), major_axis=(0, 14), ratio=0.6, dxfattribs=attribs)
    groove = msp.add_spline(dxfattribs=attribs)
    groove.set_open_uniform([(30, 30), (50, 15), (80, 35), (110, 20), (140, 30)], degree=3)
    msp.add_spline([(40, 80), (70, 88), (100, 75), (130, 70)], dxfattribs=attribs)
    doc.saveas(path)


if __name__ == "__main__":
    make_r12("plate_r12.dxf")
    make_r2000("plate_r2000.dxf")
    make_lines("plate_lines_r2000.dxf")
    make_pieces("plate_pieces_r12.dxf")
    make_curves("curves_r2000.dxf")
