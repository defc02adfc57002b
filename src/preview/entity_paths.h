#pragma once

#include <vector>

#include "preview/drawing_geometry.h"

namespace quillmere {

// Paths of the entities that are arcs by nature, in the entity's own
// coordinates. An arc becomes as many segments as it needs to turn by at
// most a quarter each, so that every bulge stays finite and a full circle
// is a path too.

// The arc around (centre_x, centre_y) from `start_degrees` counter-clockwise
// to `end_degrees`, as ARC entities give it. Equal angles give nothing (a
// point); angles a multiple of 360 apart give the full circle.
void AppendArcPath(std::vector<PathVertex>& path, double centre_x, double centre_y,
                   double radius, double start_degrees, double end_degrees);

// The full circle, starting and ending at angle 0.
void AppendCirclePath(std::vector<PathVertex>& path, double centre_x, double centre_y,
                      double radius);

}  // namespace quillmere
