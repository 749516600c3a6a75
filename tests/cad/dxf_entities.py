"""Prints every entity of a DXF file as a real DXF reader reads it: kind, layer, position and
the values that tell its shape, one entity a line."""
import sys

import ezdxf


def point(vector):
    return tuple(round(v, 3) for v in vector)


for entity in ezdxf.readfile(sys.argv[1]).modelspace():
    d = entity.dxf
    kind = entity.dxftype()
    if kind == "POINT":
        print(kind, d.layer, point(d.location))
    elif kind == "LINE":
        print(kind, d.layer, point(d.start), point(d.end), d.get("linetype"))
    elif kind == "ARC":
        print(kind, d.layer, point(d.center), d.radius, d.start_angle, d.end_angle)
    elif kind == "ELLIPSE":
        print(kind, d.layer, point(d.center), point(d.major_axis), d.ratio, round(d.end_param, 3))
    elif kind == "TEXT":
        print(kind, d.layer, point(d.insert), d.text, d.height, d.rotation, d.width)
    else:
        print(kind, d.layer)
