#pragma once

#include "curves/curve_groups.h"
#include "curves/plane_curve.h"

namespace quillmere {

// The curve of an ELLIPSE's groups, or why there is none: rational
// quadratic pieces of at most a quarter of the parameter range each, which
// are the ellipse exactly. The centre and axis are world coordinates for
// either extrusion; the minor axis is the extrusion crossed with the major
// axis, so seen along (0, 0, -1) the ellipse runs clockwise in plan. An end
// parameter below the start runs on past 2 pi; a range of 0 or 2 pi (within
// 1e-9) is the full ellipse, which is closed. Any ratio above 0 is taken.
CurveReading EllipseCurve(const EllipseGroups& groups);

}  // namespace quillmere
