#include "app/presenter/compared_job.h"

namespace quillmere {

ComparedJob ComparedJobOf(JobMode mode) {
  switch (mode) {
    case JobMode::kFindArcs:
      return ComparedJob::kFindArcs;
    case JobMode::kChainLines:
      return ComparedJob::kChainLines;
    case JobMode::kJoinPolylines:
      return ComparedJob::kJoinPolylines;
  }
  return ComparedJob::kFindArcs;
}

}  // namespace quillmere
