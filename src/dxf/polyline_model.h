#pragma once

#include <cstdint>
#include <vector>

#include "dxf/line_list.h"

namespace quillmere {

// One vertex: its coordinates and the exact lines of the file that make it up.
struct Tmypoi {
  double x = 0;
  double y = 0;
  double z = 0;
  // POLYLINE vertex: the whole VERTEX entity. LWPOLYLINE vertex: the pair
  // that started it (group 10) and every pair up to the next vertex.
  LineList code;
  bool writebulge = false;  // the writer gives this vertex the bulge below
  bool delit = false;       // the writer leaves this vertex out
  double bulge = 0;
  // Read with a bulge (group 42) other than 0: the segment from this vertex
  // already is an arc.
  bool carries_arc = false;
};

// Which entity a polyline record was read from or will be written as.
enum class PolylineKind : std::uint8_t { kPolyline, kLwPolyline };

// One polyline: its vertices and the exact lines of its entity.
struct tpoly {
  std::vector<Tmypoi> ps;  // only entries 0 .. anzp-1 are valid
  std::int32_t anzp = 0;
  bool delpoly = false;  // the writer leaves the whole polyline out
  bool isclosed = false;
  double rausx = 0, rausy = 0, rausz = 0;  // exit point
  double reinx = 0, reiny = 0, reinz = 0;  // entry point
  std::int32_t nr = -1;
  LineList code;   // the entity's own pairs before its first vertex
  LineList code2;  // the pairs after the last vertex (the SEQEND entity)

  PolylineKind kind = PolylineKind::kPolyline;
  // The last whole-number group-70 value among the header pairs (0 when
  // none): it tells closed outlines, and for a POLYLINE 3-D polylines,
  // fitted curves and meshes from plain outlines.
  std::int32_t headerflags = 0;

  // Takes the next vertex, cleared, and counts it.
  Tmypoi& StartVertex() {
    if (ps.size() > static_cast<std::size_t>(anzp)) {
      ps[static_cast<std::size_t>(anzp)] = Tmypoi{};
    } else {
      ps.emplace_back();
    }
    return ps[static_cast<std::size_t>(anzp++)];
  }

  // Sets the entry and exit points once all vertices are read.
  void Complete() {
    if (anzp < 1) return;
    const Tmypoi& first = ps.front();
    const Tmypoi& last = isclosed ? first : ps[static_cast<std::size_t>(anzp - 1)];
    reinx = first.x, reiny = first.y, reinz = first.z;
    rausx = last.x, rausy = last.y, rausz = last.z;
  }
};

// POLYLINE header flags (group 70) that mark entities whose vertices are not
// a plain 2-D outline.
enum PolylineFlags : std::int32_t {
  kFlagClosed = 1,
  kFlagCurveFit = 2,
  kFlagSplineFit = 4,
  kFlag3d = 8,
  kFlagPolygonMesh = 16,
  kFlagPolyfaceMesh = 64,
};

// The polylines of one file, in the order of their entities in the ENTITIES
// section, and the file-wide values of the line job.
struct PolylineModel {
  std::vector<tpoly> polys;  // only entries 0 .. anzpoly-1 are valid
  std::int32_t anzpoly = 0;
  // Largest entity handle; wider than the file's 32-bit handles so that
  // handles counted on from it never overflow.
  std::int64_t maxhandle = 0;
  // Whether any group-5 value of the file reads as a handle. A drawing
  // without handles gets none from the line job either: readers would
  // otherwise find handles on a few entities only and repair the rest.
  bool has_handles = false;
  std::int32_t cadver = 0;  // format version from $ACADVER

  // Empties the model; nothing of an earlier file survives.
  void ClearModel() {
    polys.clear();
    polys.reserve(1000);
    anzpoly = 0;
  }

  // Takes the next record, cleared. It counts once it is completed.
  tpoly& StartRecord() {
    polys.resize(static_cast<std::size_t>(anzpoly));
    polys.emplace_back();
    return polys.back();
  }

  // Counts the record taken last.
  void CompleteRecord() {
    polys.back().Complete();
    ++anzpoly;
  }
};

}  // namespace quillmere
