#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "dxf/pair_stream.h"
#include "dxf/polyline_model.h"

namespace quillmere {

// Reads one polyline entity into a new record of the model, pair by pair,
// as the pairs come: which part of the entity each pair belongs to, the
// coordinates, flags and bulge marks of the vertices, and where the parts
// lie in the file.
//
// POLYLINE: the pairs before the first VERTEX form the header; each VERTEX
// entity is a vertex; a SEQEND and the pairs behind it are the closing
// lines, also when a VERTEX follows them (that vertex is still one of the
// polyline's, and the pairs in front of it are moved behind the vertices).
// The entity goes on through its VERTEX and SEQEND entities.
//
// LWPOLYLINE: a group-10 (or 11) pair whose value is a number starts a
// vertex, and every pair up to the next one belongs to it; the pairs before
// the first vertex form the header. Coordinate pairs (10, 20, 30 and 11,
// 21, 31) whose values are no numbers, and 20/30 pairs before the first
// vertex, are left out. Any pair with code 0 ends the entity. A group-1001
// pair behind the last vertex starts the entity's extended data.
class PolylineBuilder {
 public:
  PolylineBuilder(PolylineModel& model, PolylineKind kind, const PairView& start);

  // Takes the next pair of the file; false when the pair belongs to what
  // follows the entity (and was not taken).
  bool Take(const PairView& pair);

  // Completes the record once the entity has ended at `end`. `in_crlf`:
  // every line of the entity ended with CR LF.
  void Finish(std::int64_t end, bool in_crlf);

 private:
  PolylineRecord& Record() { return model_.polylines[index_]; }
  bool TakePolylinePair(const PairView& pair, std::string_view code);
  bool TakeLwPolylinePair(const PairView& pair, std::string_view code);
  void StartVertex(std::int64_t offset);
  // Reads the coordinates of the last vertex taken into the model.
  void SettleVertex();
  void SetZ(double z);
  void NoteBulge(std::string_view value);
  void NoteMissingValue(const PairView& pair);
  void SetAside(ByteRange range, SetAsideKind kind);

  PolylineModel& model_;
  const std::size_t index_;
  std::int64_t last_vertex_offset_ = 0;
  std::int64_t trailer_begin_ = -1;  // the SEQEND of closing lines seen since the last vertex
  std::int64_t extended_data_begin_ = -1;  // the first 1001 pair since the last LWPOLYLINE vertex
  // A coordinate's value line that reads as a number, kept until its
  // vertex is complete. A model of every vertex reads it at once; a model
  // of ends only checks it and reads it only if the vertex stays, so that
  // most vertices are never read. The line itself does not outlive its
  // pair: a copy of a short one is kept, a long one is read at once.
  class PendingNumber {
   public:
    // `text` as a pending number; none when it is no number.
    static std::optional<PendingNumber> Of(std::string_view text, bool read_now);
    double Value() const;  // 0 for none

   private:
    static constexpr std::size_t kRoom = 24;
    char text_[kRoom];
    std::size_t size_ = 0;  // kRoom + 1: `value_` holds the value
    double value_ = 0;
  };
  PendingNumber pending_x_;  // the last vertex's x and y
  PendingNumber pending_y_;
  bool in_vertex_ = false;
  bool after_seqend_ = false;
};

}  // namespace quillmere
