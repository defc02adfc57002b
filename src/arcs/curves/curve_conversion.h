#pragma once

#include "arcs/curves/curve_entities.h"
#include "support/job_observer.h"

namespace quillmere {

// The share of the deviation that the sampling of a curve may take; the
// arc search gets the rest. The arcs can only end at samples, so denser
// samples leave fewer segments, at little cost: on random cubic splines at
// 0.01 (bench/curve_conversion_bench) a half gave 42.0 vertices per curve,
// a quarter 24.5, 1/16 21.0, 1/32 20.5 and 1/64 20.2, the whole job taking
// 0.22, 0.20, 0.28, 0.34 and 0.42 s for 5,000 curves. At 1/32 the segments
// are within 4 % of a greedy fitter's that places arc ends anywhere on the
// curve and uses the whole deviation. (Measured with the longest-first
// search; the fewest-segments search leaves 18.8 at 1/32 and takes about
// 1.25 s for the same curves on a busy machine.)
inline constexpr double kSamplingShare = 1.0 / 32;

// Converts every curve of `drawing` that was read whole into a polyline of
// arcs and lines that lies within `deviation` of it both ways: the curve
// is sampled with a proven chord error of the sampling share of the
// deviation (curves/curve_sampling.h), and the exact arc search (--exact)
// runs on the samples with the rest of it. The polyline's ends are the
// curve's own; a closed curve gives a closed polyline whose last arc may
// run over its closing segment. A curve the sampling refuses (a deviation
// of 0, one finer than its coordinates resolve) stays as read.
//
// Curves are independent and converted on up to `worker_count` threads
// (0: one per processor core); `observer`, when given, sees the curves
// converted from the calling thread and may stop the job (JobStopped).
void ConvertCurves(CurveDrawing& drawing, double deviation, unsigned worker_count = 0,
                   JobObserver* observer = nullptr);

}  // namespace quillmere
