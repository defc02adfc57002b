#include "app/presenter/preview_legend.h"

#include <cstddef>

#include "support/utf.h"

namespace quillmere {

namespace {

using Kind = LegendSwatch::Kind;

std::u16string Number(std::size_t value) { return Utf8ToUtf16(std::to_string(value)); }

// A template with its counts in place of "%1" and "%2".
std::u16string Filled(std::u16string text, std::size_t first, std::size_t second = 0) {
  const std::pair<std::u16string_view, std::u16string> values[] = {{u"%1", Number(first)},
                                                                   {u"%2", Number(second)}};
  for (const auto& [placeholder, value] : values) {
    const std::size_t at = text.find(placeholder);
    if (at != std::u16string::npos) text.replace(at, placeholder.size(), value);
  }
  return text;
}

// The file's own name, without its folder.
std::u16string ShortName(const std::string& file_name) {
  const std::size_t separator = file_name.find_last_of("\\/");
  return Utf8ToUtf16(separator == std::string::npos ? file_name : file_name.substr(separator + 1));
}

// What the job did, counted; contours that came back to their start are
// told beside the polylines made, since the second entry marks their ends.
LegendEntry JobEntry(ComparedJob job, const JobCounts& counts, const ShownTexts& texts) {
  const auto text = [&texts](std::string_view name) { return texts.Text(kPreviewWindow, name); };
  std::u16string closed;
  if (counts.contours_closed != 0) {
    closed = u", " + Filled(text("GeschlossenVorlage"), counts.contours_closed);
  }
  switch (job) {
    case ComparedJob::kFindArcs:
      break;
    case ComparedJob::kChainLines:
      return {{Kind::kStroke, Stroke::kChangedPolyline},
              Filled(text("VerkettetVorlage"), counts.lines_chained, counts.polylines_made) + closed};
    case ComparedJob::kJoinPolylines:
      return {{Kind::kStroke, Stroke::kChangedPolyline},
              Filled(text("AngehaengtVorlage"), counts.polylines_attached,
                     counts.polylines_extended) +
                  closed};
  }
  return {{Kind::kStroke, Stroke::kFoundArc}, Filled(text("GefundenVorlage"), counts.arcs_found)};
}

}  // namespace

std::vector<LegendEntry> PreviewLegend(const PreviewContent* content, const ShownTexts& texts) {
  std::vector<LegendEntry> legend = {
      {{Kind::kStroke, Stroke::kLine}, texts.Text(kPreviewWindow, "LinienLabel")},
      {{Kind::kStroke, Stroke::kArc}, texts.Text(kPreviewWindow, "BoegenLabel")}};
  if (content == nullptr || !content->job) return legend;
  const JobCounts& counts = content->counts;
  legend.push_back(JobEntry(*content->job, counts, texts));
  if (*content->job == ComparedJob::kFindArcs) {
    legend.push_back({{Kind::kRemovedVertex, Stroke::kLine},
                      Filled(texts.Text(kPreviewWindow, "EntferntVorlage"), counts.vertices_removed)});
  }
  if (!content->polyline_ends.empty()) {
    legend.push_back(
        {{Kind::kPolylineEnd, Stroke::kLine}, texts.Text(kPreviewWindow, "EndenVorlage")});
  }
  return legend;
}

std::u16string PreviewFileNames(const std::string& input_name, const std::string& output_name) {
  if (output_name.empty()) return ShortName(input_name);
  return ShortName(input_name) + u"  \u2192  " + ShortName(output_name);
}

}  // namespace quillmere
