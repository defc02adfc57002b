#pragma once

#include <string>

#include "dxf/job_input.h"
#include "lines/line_records.h"
#include "support/job_observer.h"
#include "support/result.h"

namespace quillmere {

// Writes `output_name` as a copy of `input` in which the k-th LINE of
// the ENTITIES section gives way to record k of `model`: its entity lines,
// its vertex lines and its closing lines as stored, or nothing at all when
// the record was appended to another chain or has fewer than two vertices.
// Everything else passes through line for line.
//
// In a drawing with handles, a record whose entity lines carry no handle
// gets " 5" and the next handle
// after them (in front of extended data, which must end the entity),
// counted on from `model.largest_handle` (which keeps the last one).
// When the output carries handles the input did not have, a readable header
// $HANDSEED becomes one above the largest of them, so that later editors of
// the drawing do not hand the same handles out again.
//
// What the LINEs (and ARCs) that are not written owned goes with them, and
// nothing keeps pointing at them (dxf/reference_cleanup.h).
//
// The output replaces an existing file only once it is complete, so the
// input may be the output. Fails as CopyDrawing and FindDrawingEdits do.
Status WriteLineResult(LineModel& model, const JobInput& input, const std::string& output_name,
                       JobObserver* observer = nullptr);

}  // namespace quillmere
