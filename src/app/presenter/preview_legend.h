#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/presenter/shown_texts.h"
#include "preview/preview_content.h"
#include "preview/preview_painter.h"

namespace quillmere {

struct LegendEntry {
  LegendSwatch swatch;
  std::u16string text;
};

// The preview's legend, left to right: the straight lines and the
// drawing's arcs, then for a job what it did, counted, and the mark of the
// polylines' ends where the job wrote any. Its templates ("%1 Kreisbögen
// gefunden") come from `texts`, translated before their numbers go in, so
// that no text with numbers in it is ever learnt.
std::vector<LegendEntry> PreviewLegend(const PreviewContent* content, const ShownTexts& texts);

// The file names the legend ends with: the drawing's, or the job's input
// and output, each without its folder.
std::u16string PreviewFileNames(const std::string& input_name, const std::string& output_name = {});

}  // namespace quillmere
