#pragma once

#include <string>
#include <variant>

#include "arcs/arc_job.h"
#include "join/join_job.h"
#include "lines/line_job.h"

namespace quillmere {

// What a job that wrote its output did.
using JobSummary = std::variant<ArcJobSummary, LineJobSummary, JoinJobSummary>;

// The one line `quillmere-cli --summary` prints, in English for scripts:
// "convert1: 6 polylines, 455 vertices read, 407 removed, 34 arcs",
// "convert2: 454 lines, 6 polylines written",
// "convert3: 4 polylines read, 3 joined, 1 written"; with contours
// "convert2: 52 lines, 22 arcs, 10 polylines written, 8 closed" and
// "convert3: 4 polylines read, 3 joined, 1 written, 1 closed". The arc job
// adds a clause for each kind of polyline it left as read, when there are
// any: "..., 0 arcs, 25 3-D polylines left as read". With curves it counts
// them after the arcs: "..., 34 arcs, 12 curves converted".
std::string SummaryLine(const JobSummary& summary);

// The result line of the main window in the current language. Its German
// templates pass through the translation lookup before the numbers go in,
// so that no text with numbers in it is ever learnt.
std::u16string ResultLine(const JobSummary& summary);

// The templates of the result line, in the order of the jobs; the arc
// job's clauses of the polylines it left as read follow its own, each only
// when its count is not 0.
inline constexpr const char16_t* kArcResultTemplate =
    u"%1 Polylinien, %2 Punkte gelesen, %3 entfernt, %4 Kreisbögen";
inline constexpr const char16_t* kLineResultTemplate = u"%1 Linien, %2 Polylinien geschrieben";
inline constexpr const char16_t* kJoinResultTemplate =
    u"%1 Polylinien gelesen, %2 verbunden, %3 geschrieben";
inline constexpr const char16_t* kLeft3dTemplate = u"%1 3D-Polylinien unverändert";
inline constexpr const char16_t* kLeftFittedTemplate = u"%1 geglättete Kurven unverändert";
inline constexpr const char16_t* kLeftMeshTemplate = u"%1 Netze unverändert";
inline constexpr const char16_t* kConvertedCurvesTemplate = u"%1 Kurven umgewandelt";
inline constexpr const char16_t* kLeftCurvesTemplate = u"%1 Kurven unverändert";
// The line and join jobs building contours also count the closed ones.
inline constexpr const char16_t* kContourLineResultTemplate =
    u"%1 Linien, %2 Kreisbögen, %3 Polylinien geschrieben, %4 geschlossen";
inline constexpr const char16_t* kContourJoinResultTemplate =
    u"%1 Polylinien gelesen, %2 verbunden, %3 geschrieben, %4 geschlossen";

}  // namespace quillmere
