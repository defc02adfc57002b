#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/file_system.h"
#include "support/chunked_column.h"

namespace quillmere {

// The polylines of a drawing as the arc and the join job need them: for
// each polyline its kind, its header flags and where the lines of its
// entity lie in the input; for each vertex its x and y, its marks and where
// its pairs begin. The lines themselves stay in the file: the writers read
// them again from there.

// Which entity a polyline was read from.
enum class PolylineKind : std::uint8_t { kPolyline, kLwPolyline };

// POLYLINE header flags (group 70) that mark closed outlines and entities
// whose vertices are not a plain 2-D outline.
enum PolylineFlags : std::int32_t {
  kFlagClosed = 1,
  kFlagCurveFit = 2,
  kFlagSplineFit = 4,
  kFlag3d = 8,
  kFlagPolygonMesh = 16,
  kFlagPolyfaceMesh = 64,
};

// Bytes [begin, end) of the input file.
struct ByteRange {
  std::int64_t begin = 0;
  std::int64_t end = 0;
};

// Pairs of an entity that are not written where they stand.
enum class SetAsideKind : std::uint8_t {
  kLeftOut,         // LWPOLYLINE coordinate pairs without a number: never written
  kMovedToTrailer,  // POLYLINE pairs from a SEQEND up to a later VERTEX:
                    // written with the closing lines, after all vertices
};

struct SetAsidePairs {
  ByteRange range;
  SetAsideKind kind = SetAsideKind::kLeftOut;
};

// Where the parts of a polyline entity lie in the input. Each part runs up
// to the next one; set-aside pairs inside a part are not part of it.
struct EntityPlace {
  std::int64_t start = 0;     // its first pair, (0, POLYLINE) or (0, LWPOLYLINE)
  std::int64_t vertices = 0;  // its first vertex; `trailer` when it has none
  // An LWPOLYLINE's extended data behind its last vertex, from its first
  // group-1001 pair on; `trailer` when none. Readers take everything after
  // such a pair for extended data, so the writers keep it behind every
  // vertex they write. (A POLYLINE's own extended data stands in its
  // header, each VERTEX's in that entity, in front of the next.)
  std::int64_t extended_data = 0;
  std::int64_t trailer = 0;   // its closing lines (the SEQEND entity); `end` when none
  std::int64_t end = 0;       // the pair that ends it, or the end of the file
};

// What the jobs mark on a vertex.
enum VertexMark : std::uint8_t {
  kVertexDropped = 1,     // the writer leaves this vertex out
  kVertexGetsBulge = 2,   // the writer gives this vertex its arc's bulge
  kVertexCarriesArc = 4,  // read with a bulge other than 0: its segment is an arc
  // A POLYLINE VERTEX read with flag 16, a spline-fit polyline's frame
  // control point: not on the curve.
  kVertexFrame = 8,
};

// VERTEX flag (group 70) of a spline frame control point.
inline constexpr std::int32_t kVertexFlagFrame = 16;

struct PolylineRecord {
  EntityPlace place;
  std::int64_t first_vertex = 0;  // the index of its first vertex in the vertex columns
  std::int32_t vertex_count = 0;
  // The last whole-number group-70 value among the header pairs (0 when
  // none): it tells closed outlines, and for a POLYLINE 3-D polylines,
  // fitted curves and meshes from plain outlines.
  std::int32_t header_flags = 0;
  // Its set-aside pairs: model.set_aside[set_aside_first ...], in file order.
  std::uint32_t set_aside_first = 0;
  std::uint32_t set_aside_count = 0;
  double first_z = 0;  // z of the first and the last vertex; only the ends join in 3-D
  double last_z = 0;
  // The join job: the record whose vertices follow this one's in the
  // output, in place of this one's last vertex; -1 for none.
  std::int32_t next_in_chain = -1;
  // Contours of the join job: its vertices are used backwards in its
  // chain; for the polyline at a chain's head, the chain comes back to its
  // start and is written closed.
  bool reversed_in_chain = false;
  bool closes_chain = false;
  PolylineKind kind = PolylineKind::kPolyline;
  bool dropped = false;  // the writer leaves the whole entity out
  // Every line of the entity, and every line between the previous polyline
  // (or the start of the file) and this one, ends with CR LF: the writers
  // copy such bytes as they are.
  bool entity_in_crlf = false;
  bool gap_in_crlf = false;
  // The file ends right after a code line of the last vertex. The value
  // line is added where more lines follow inside the entity:
  // `value_line_supplied` when the vertex is written in front of closing
  // lines it came after, and by the join job in a chain.
  bool last_vertex_lacks_value = false;
  bool value_line_supplied = false;
  // A curve- or spline-fitted POLYLINE that the arc job converts (--curves):
  // its vertices other than the frame ones are the outline searched, and it
  // is written without the fit flags (70 bits 2 and 4) and the surface type
  // (group 75).
  bool fit_converted = false;

  bool HasExtendedData() const { return place.extended_data < place.trailer; }
  // The code line without its value ends the vertex pairs, not the
  // extended data behind them.
  bool VerticesLackValue() const { return last_vertex_lacks_value && !HasExtendedData(); }

  std::int32_t VertexCount() const { return vertex_count; }
  bool Receives() const { return next_in_chain >= 0 && !dropped; }
};

// The vertices of all polylines, polyline after polyline.
struct VertexColumns {
  ChunkedColumn<double> x;
  ChunkedColumn<double> y;
  // Bytes from the first pair of the previous vertex of the polyline to
  // this vertex's first pair (0 for a first vertex).
  ChunkedColumn<std::uint32_t> step;
  ChunkedColumn<std::uint8_t> marks;

  // The end of the indices in use: after Adopt some below it hold no vertex.
  std::int64_t Count() const { return marks.Size(); }

  // Makes the vertices of `other` these columns' without copying them, from
  // the first index where a block of every column begins
  // (ChunkedColumn::AdoptAt); returns that index. `other` is left empty.
  std::int64_t Adopt(VertexColumns& other) {
    constexpr std::int64_t kEvery = ChunkedColumn<std::uint8_t>::BlockValues();
    static_assert(kEvery % ChunkedColumn<double>::BlockValues() == 0 &&
                  kEvery % ChunkedColumn<std::uint32_t>::BlockValues() == 0);
    const std::int64_t at = (Count() + kEvery - 1) / kEvery * kEvery;
    x.AdoptAt(at, other.x);
    y.AdoptAt(at, other.y);
    step.AdoptAt(at, other.step);
    marks.AdoptAt(at, other.marks);
    return at;
  }

  // There will be many vertices (ChunkedColumn::ExpectMany): the wider
  // columns' first blocks fill anyway, and a huge page takes one fault where
  // small ones take hundreds.
  void ExpectMany() {
    x.ExpectMany();
    y.ExpectMany();
    step.ExpectMany();
  }
};

// The start of an arc found by the arc search and its bulge.
struct ArcStart {
  std::int64_t vertex = 0;
  double bulge = 0;
};

struct PolylineModel;

// Sees each polyline of a model as soon as it is read whole, from the thread
// that reads it, with the coordinates of its vertices (`x`, `y`, by vertex
// of the polyline), which the model then does not keep.
class PolylineVisitor {
 public:
  virtual ~PolylineVisitor() = default;
  virtual void Visit(PolylineModel& model, std::int32_t index, std::span<const double> x,
                     std::span<const double> y) = 0;
};

struct PolylineModel {
  std::vector<PolylineRecord> polylines;  // in the order of their entities
  // Of each polyline only its first and its last vertex are kept, as
  // vertices 0 and 1 of its own; the last one's step spans every vertex
  // between them. Enough for joining ends, and a large drawing then costs
  // next to no memory. Its vertex_count still counts every vertex.
  bool ends_only = false;
  // With a visitor the coordinates of a polyline's vertices are kept only
  // while it is read (`passing_x`, `passing_y`), until the visitor has seen
  // them: a job that works on one polyline at a time needs no column of
  // every coordinate. The other columns are filled as always.
  PolylineVisitor* visitor = nullptr;
  std::vector<double> passing_x;
  std::vector<double> passing_y;
  VertexColumns vertices;
  std::vector<SetAsidePairs> set_aside;
  std::vector<ArcStart> arc_starts;  // by ascending vertex
  // Every line after the last polyline ends with CR LF.
  bool final_gap_in_crlf = false;
  // The drawing has an OBJECTS section, where the objects that entities
  // own or that point at them live.
  bool has_objects = false;

  std::int32_t PolylineCount() const { return static_cast<std::int32_t>(polylines.size()); }
  // The vertices of all polylines.
  std::int64_t VertexTotal() const;

  // A new polyline behind the others, without vertices.
  PolylineRecord& AddPolyline(PolylineKind kind, std::int32_t header_flags = 0);
  // A new last vertex of the last polyline, `step` bytes behind the
  // previous one. Its z counts where it ends the polyline.
  void AddVertex(double x, double y, double z = 0, std::uint32_t step = 0);

  std::int64_t VertexIndex(const PolylineRecord& polyline, std::int32_t v) const {
    return polyline.first_vertex + v;
  }
  // How many vertices of `polyline` the columns hold.
  std::int32_t StoredVertexCount(const PolylineRecord& polyline) const {
    return ends_only && polyline.vertex_count > 2 ? 2 : polyline.vertex_count;
  }
  // The index of the last vertex of `polyline`, which must have one.
  std::int64_t LastVertex(const PolylineRecord& polyline) const {
    return polyline.first_vertex + StoredVertexCount(polyline) - 1;
  }
  bool HasMark(std::int64_t vertex, VertexMark mark) const {
    return (vertices.marks[vertex] & mark) != 0;
  }
  void SetMark(std::int64_t vertex, VertexMark mark, bool on);

  // The bulge the arc search gave `vertex`; 0 when it starts no arc.
  double Bulge(std::int64_t vertex) const;

  std::span<const SetAsidePairs> SetAside(const PolylineRecord& polyline) const {
    return std::span<const SetAsidePairs>(set_aside).subspan(polyline.set_aside_first,
                                                             polyline.set_aside_count);
  }
};

}  // namespace quillmere
