#pragma once

#include <optional>
#include <string>

#include "dxf/consumed_entities.h"
#include "dxf/drawing_edits.h"
#include "dxf/reference_scan.h"
#include "dxf/job_input.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// What goes with the entities a job consumes, and what stops pointing at
// them, as a CAD program does when it erases an entity:
// - the objects they own (their extension dictionaries and everything in
//   those, however deep) leave the OBJECTS section;
// - their entries leave every GROUP, SORTENTSTABLE, dictionary and reactor
//   list (a list whose every entry goes goes whole);
// - a hatch bounded by one of them is no longer associative: its flag (71)
//   and its counts of boundary objects (97) become 0, its boundary objects
//   and the reactor entries that name it go;
// - any other reference to them points at nothing (0);
// - entities moved into another that named the one they came from as
//   their owner name the one they are in.
// The entity that stays or is made keeps its own objects; $HANDSEED stays.
DrawingEdits EditsFor(const ReferenceIndex& index);

// Reads `input` once more for EditsFor when `consumed` holds anything; no
// edits (and no reading) otherwise. Fails with kCannotReadInput when the
// input grew shorter under the reading. `observer` sees the bytes read
// (JobPhase::kReading) and may stop the job (JobStopped).
Result<DrawingEdits> FindDrawingEdits(const JobInput& input, const ConsumedEntities& consumed,
                                      JobObserver* observer = nullptr);

}  // namespace quillmere
