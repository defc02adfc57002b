#include "app/job_summary.h"

#include <cstdint>
#include <vector>

#include "i18n/translations.h"
#include "support/utf.h"

namespace quillmere {

namespace {

template <typename... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::string Number(std::int64_t value) { return std::to_string(value); }

// `text` with %1, %2, ... replaced by the numbers, in one pass so that a
// number never becomes a placeholder itself.
std::u16string FillIn(std::u16string_view text, const std::vector<std::int64_t>& numbers) {
  std::u16string filled;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t next = i + 1 < text.size() ? text[i + 1] : u'\0';
    const std::size_t slot = static_cast<std::size_t>(next - u'1');
    if (text[i] == u'%' && next >= u'1' && next <= u'9' && slot < numbers.size()) {
      filled += Utf8ToUtf16(Number(numbers[slot]));
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

// The arc job's polylines left as read, by kind, with their counts.
struct LeftAsRead {
  std::int64_t count;
  const char* english;
  const char16_t* german_template;
};

std::vector<LeftAsRead> LeftAsReadOf(const ArcJobSummary& s) {
  return {{s.left_3d, " 3-D polylines left as read", kLeft3dTemplate},
          {s.left_fitted, " fitted curves left as read", kLeftFittedTemplate},
          {s.left_meshes, " meshes left as read", kLeftMeshTemplate},
          {s.curves_left, " curves left as read", kLeftCurvesTemplate}};
}

}  // namespace

std::string SummaryLine(const JobSummary& summary) {
  return std::visit(
      Overloaded{
          [](const ArcJobSummary& s) {
            std::string line = "convert1: " + Number(s.polylines) + " polylines, " +
                               Number(s.vertices_read) + " vertices read, " +
                               Number(s.vertices_removed) + " removed, " + Number(s.arcs) + " arcs";
            if (s.curves) line += ", " + Number(s.curves_converted) + " curves converted";
            for (const LeftAsRead& left : LeftAsReadOf(s)) {
              if (left.count != 0) line += ", " + Number(left.count) + left.english;
            }
            return line;
          },
          [](const LineJobSummary& s) {
            if (s.contours) {
              return "convert2: " + Number(s.lines) + " lines, " + Number(s.arcs) + " arcs, " +
                     Number(s.polylines_written) + " polylines written, " + Number(s.closed) +
                     " closed";
            }
            return "convert2: " + Number(s.lines) + " lines, " + Number(s.polylines_written) +
                   " polylines written";
          },
          [](const JoinJobSummary& s) {
            return "convert3: " + Number(s.polylines_read) + " polylines read, " +
                   Number(s.joined) + " joined, " + Number(s.polylines_written) + " written" +
                   (s.contours ? ", " + Number(s.closed) + " closed" : "");
          }},
      summary);
}

std::u16string ResultLine(const JobSummary& summary) {
  return std::visit(
      Overloaded{[](const ArcJobSummary& s) {
                   std::u16string line =
                       FillIn(TranslateText(kArcResultTemplate),
                              {s.polylines, s.vertices_read, s.vertices_removed, s.arcs});
                   if (s.curves) {
                     line += u", " + FillIn(TranslateText(kConvertedCurvesTemplate),
                                            {s.curves_converted});
                   }
                   for (const LeftAsRead& left : LeftAsReadOf(s)) {
                     if (left.count != 0) {
                       line += u", " + FillIn(TranslateText(left.german_template), {left.count});
                     }
                   }
                   return line;
                 },
                 [](const LineJobSummary& s) {
                   if (s.contours) {
                     return FillIn(TranslateText(kContourLineResultTemplate),
                                   {s.lines, s.arcs, s.polylines_written, s.closed});
                   }
                   return FillIn(TranslateText(kLineResultTemplate), {s.lines, s.polylines_written});
                 },
                 [](const JoinJobSummary& s) {
                   if (s.contours) {
                     return FillIn(TranslateText(kContourJoinResultTemplate),
                                   {s.polylines_read, s.joined, s.polylines_written, s.closed});
                   }
                   return FillIn(TranslateText(kJoinResultTemplate),
                                 {s.polylines_read, s.joined, s.polylines_written});
                 }},
      summary);
}

}  // namespace quillmere
