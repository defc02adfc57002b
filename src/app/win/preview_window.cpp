#include "app/win/preview_window.h"

#include <string>

#include "app/presenter/compared_job.h"
#include "app/presenter/window_texts.h"
#include "app/win/win_dpi.h"
#include "app/win/win_text.h"
#include "preview/preview_colours.h"
#include "support/utf.h"

namespace quillmere::win {

namespace {

constexpr wchar_t kClassName[] = L"QuillmerePreviewForm";
constexpr int kBarHeight = 34;
constexpr int kLegendHeight = 28;
constexpr int kSwatchWidth = 26;
constexpr int kSwatchHeight = 14;

enum ControlId : int { kVorherBtn = 100, kNachherBtn, kPunkteCheck, kEinpassenBtn, kHinweis, kCanvas };

// The file's own name, without its folder.
std::u16string ShortName(const std::string& file_name) {
  const std::size_t separator = file_name.find_last_of("\\/");
  return Utf8ToUtf16(separator == std::string::npos ? file_name : file_name.substr(separator + 1));
}

std::u16string Number(std::size_t value) {
  std::u16string digits;
  for (const char digit : std::to_string(value)) digits += static_cast<char16_t>(digit);
  return digits;
}

// A legend template with its counts in place of "%1" and "%2".
std::u16string Filled(std::u16string text, std::size_t first, std::size_t second = 0) {
  const std::pair<std::u16string_view, std::u16string> values[] = {{u"%1", Number(first)},
                                                                   {u"%2", Number(second)}};
  for (const auto& [placeholder, value] : values) {
    const std::size_t at = text.find(placeholder);
    if (at != std::u16string::npos) text.replace(at, placeholder.size(), value);
  }
  return text;
}

COLORREF Colour(PreviewRgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// What a legend swatch shows besides a stroke.
enum class SwatchMark { kRemovedVertex, kPolylineEnd };

// A swatch on the legend: a short stroke, or the mark of a removed vertex or
// of a polyline's end.
void PaintSwatch(HDC dc, int left, int top, int dpi, const Stroke* stroke,
                 SwatchMark mark = SwatchMark::kRemovedVertex) {
  const RECT area{left, top, left + Scaled(kSwatchWidth, dpi), top + Scaled(kSwatchHeight, dpi)};
  const HBRUSH ground = ::CreateSolidBrush(Colour(kPreviewGround));
  ::FillRect(dc, &area, ground);
  ::DeleteObject(ground);
  const int middle = (area.top + area.bottom) / 2;
  if (stroke != nullptr) {
    const HPEN pen = ::CreatePen(PS_SOLID, Scaled(static_cast<int>(StrokeWidth(*stroke)), dpi),
                                 Colour(StrokeRgb(*stroke)));
    const HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, area.left + Scaled(3, dpi), middle, nullptr);
    ::LineTo(dc, area.right - Scaled(3, dpi), middle);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
    return;
  }
  const bool end = mark == SwatchMark::kPolylineEnd;
  const PreviewRgb colour = end ? kPolylineEndRgb : kRemovedVertexRgb;
  const HPEN pen = ::CreatePen(PS_SOLID, 1, Colour(colour));
  const HBRUSH fill = end ? ::CreateSolidBrush(Colour(colour)) : nullptr;
  const HGDIOBJ old_pen = ::SelectObject(dc, pen);
  const HGDIOBJ old_brush =
      ::SelectObject(dc, end ? static_cast<HGDIOBJ>(fill) : ::GetStockObject(NULL_BRUSH));
  const int centre = (area.left + area.right) / 2;
  const int half = Scaled(3, dpi);
  if (end) {
    ::Ellipse(dc, centre - half, middle - half, centre + half, middle + half);
  } else {
    ::Rectangle(dc, centre - half, middle - half, centre + half, middle + half);
  }
  ::SelectObject(dc, old_pen);
  ::SelectObject(dc, old_brush);
  ::DeleteObject(pen);
  if (fill != nullptr) ::DeleteObject(fill);
}

}  // namespace

PreviewWindow::PreviewWindow(const ShownTexts& texts, MessageSink& messages)
    : texts_(texts), notices_(messages) {}

PreviewWindow::~PreviewWindow() {
  if (font_ != nullptr) ::DeleteObject(font_);
}

void PreviewWindow::Create() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, kClassName, ObjectProcedure<PreviewWindow>);
  window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClassName,
                              Wide(texts_.Caption(kPreviewWindow)).c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 100, 100, owner_,
                              nullptr, instance, this);
  std::u16string taken;
  const auto add = [&](DWORD style, int id, std::string_view name, bool mnemonic) {
    const std::u16string& german = texts_.Text(kPreviewWindow, name);
    const std::u16string text = mnemonic ? WithMnemonic(german, taken) : german;
    return ::CreateWindowExW(0, style & SS_NOPREFIX ? L"STATIC" : L"BUTTON", Wide(text).c_str(),
                             WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  before_button_ = add(WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON | BS_PUSHLIKE, kVorherBtn, "VorherBtn", true);
  after_button_ = add(BS_AUTORADIOBUTTON | BS_PUSHLIKE, kNachherBtn, "NachherBtn", true);
  marks_check_ = add(WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, kPunkteCheck, "PunkteCheck", true);
  fit_button_ = add(WS_TABSTOP | BS_PUSHBUTTON, kEinpassenBtn, "EinpassenBtn", true);
  hint_label_ = add(SS_NOPREFIX | SS_RIGHT | SS_ENDELLIPSIS, kHinweis, "HinweisLabel", false);
  ::SendMessageW(marks_check_, BM_SETCHECK, BST_CHECKED, 0);
  canvas_.Create(window_, kCanvas);
  ApplyDpi();
  PlaceOnScreen(window_, Scaled(900, dpi_), Scaled(700, dpi_), owner_);
}

void PreviewWindow::ApplyDpi() {
  dpi_ = DpiOf(window_);
  if (font_ != nullptr) ::DeleteObject(font_);
  font_ = CreateWindowFont(dpi_);
  SetFontOnAll(window_, font_);
  Layout();
}

void PreviewWindow::Layout() {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  RECT client{};
  ::GetClientRect(window_, &client);
  const auto width_of = [&](HWND control, int extra) {
    return static_cast<int>(TextSize(font_, Wide(TextOf(control)).c_str()).cx) + s(extra);
  };
  int left = s(8);
  const int top = s(6);
  const int height = s(23);
  for (HWND button : {before_button_, after_button_}) {
    const int width = std::max(s(75), width_of(button, 16));
    ::MoveWindow(button, left, top, width, height, TRUE);
    left += width + s(6);
  }
  left += s(12);
  const int check_width = width_of(marks_check_, 24);
  ::MoveWindow(marks_check_, left, top, check_width, height, TRUE);
  left += check_width + s(12);
  const int fit_width = std::max(s(75), width_of(fit_button_, 16));
  ::MoveWindow(fit_button_, left, top, fit_width, height, TRUE);
  left += fit_width + s(12);
  ::MoveWindow(hint_label_, left, top + s(5), std::max(0, static_cast<int>(client.right) - left - s(8)), s(14), TRUE);
  const int canvas_top = s(kBarHeight);
  const int canvas_height = std::max(0, static_cast<int>(client.bottom) - canvas_top - s(kLegendHeight));
  ::MoveWindow(canvas_.handle(), 0, canvas_top, client.right, canvas_height, TRUE);
  const RECT legend{0, canvas_top + canvas_height, client.right, client.bottom};
  ::InvalidateRect(window_, &legend, TRUE);
}

bool PreviewWindow::ShowJobResult(JobMode mode, const std::string& input_name,
                                  const std::string& output_name) {
  if (window_ == nullptr) Create();
  auto content = std::make_unique<PreviewContent>();
  const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const bool loaded = LoadJobPreview(ComparedJobOf(mode), input_name, output_name, *content, notices_);
  ::SetCursor(previous);
  if (!loaded) return false;
  Present(std::move(content), ShortName(input_name) + u"  \u2192  " + ShortName(output_name));
  ::ShowWindow(window_, SW_SHOW);
  ::SetForegroundWindow(window_);
  return true;
}

void PreviewWindow::Present(std::unique_ptr<PreviewContent> content, std::u16string files) {
  content_ = std::move(content);
  files_ = std::move(files);
  const bool job = content_ != nullptr && content_->job.has_value();
  const bool arc_job = job && *content_->job == ComparedJob::kFindArcs;
  ::ShowWindow(before_button_, job ? SW_SHOW : SW_HIDE);
  ::ShowWindow(after_button_, job ? SW_SHOW : SW_HIDE);
  ::SendMessageW(before_button_, BM_SETCHECK, BST_UNCHECKED, 0);
  ::SendMessageW(after_button_, BM_SETCHECK, BST_CHECKED, 0);
  ::ShowWindow(marks_check_, arc_job ? SW_SHOW : SW_HIDE);
  canvas_.ShowOutput(true);
  canvas_.ShowRemovedVertices(arc_job && ::SendMessageW(marks_check_, BM_GETCHECK, 0, 0) == BST_CHECKED);
  canvas_.SetContent(content_.get());
  ::InvalidateRect(window_, nullptr, TRUE);
}

// Swatches and their texts from the left, the files on the right.
void PreviewWindow::PaintLegend(HDC dc) {
  const auto s = [this](int pixels) { return Scaled(pixels, dpi_); };
  RECT client{};
  ::GetClientRect(window_, &client);
  const int top = client.bottom - s(kLegendHeight);
  const HGDIOBJ old_font = ::SelectObject(dc, font_);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  int left = s(8);
  const int swatch_top = top + (s(kLegendHeight) - s(kSwatchHeight)) / 2;
  const auto entry = [&](const Stroke* stroke, const std::u16string& text, int gap,
                         SwatchMark mark = SwatchMark::kRemovedVertex) {
    PaintSwatch(dc, left, swatch_top, dpi_, stroke, mark);
    left += s(kSwatchWidth) + s(6);
    const std::wstring shown = Wide(text);
    RECT area{left, top, client.right, client.bottom};
    ::DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &area,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    left += TextSize(font_, shown.c_str()).cx + s(gap);
  };
  const Stroke line = Stroke::kLine;
  const Stroke arc = Stroke::kArc;
  const Stroke found = Stroke::kFoundArc;
  const Stroke changed = Stroke::kChangedPolyline;
  entry(&line, texts_.Text(kPreviewWindow, "LinienLabel"), 20);
  entry(&arc, texts_.Text(kPreviewWindow, "BoegenLabel"), 20);
  if (content_ != nullptr && content_->job) {
    const JobCounts& counts = content_->counts;
    // Contours that came back to their start are told beside the polylines
    // made, as in the Linux program.
    std::u16string closed;
    if (counts.contours_closed != 0) {
      closed = u", ";
      closed += Filled(texts_.Text(kPreviewWindow, "GeschlossenVorlage"), counts.contours_closed);
    }
    switch (*content_->job) {
      case ComparedJob::kFindArcs:
        entry(&found, Filled(texts_.Text(kPreviewWindow, "GefundenVorlage"), counts.arcs_found), 20);
        entry(nullptr, Filled(texts_.Text(kPreviewWindow, "EntferntVorlage"), counts.vertices_removed), 20);
        break;
      case ComparedJob::kChainLines:
        entry(&changed, Filled(texts_.Text(kPreviewWindow, "VerkettetVorlage"), counts.lines_chained,
                               counts.polylines_made) + closed, 20);
        break;
      case ComparedJob::kJoinPolylines:
        entry(&changed, Filled(texts_.Text(kPreviewWindow, "AngehaengtVorlage"),
                               counts.polylines_attached, counts.polylines_extended) + closed, 20);
        break;
    }
    if (!content_->polyline_ends.empty()) {
      entry(nullptr, texts_.Text(kPreviewWindow, "EndenVorlage"), 20, SwatchMark::kPolylineEnd);
    }
  }
  const std::wstring files = Wide(files_);
  RECT area{left, top, client.right - s(8), client.bottom};
  ::DrawTextW(dc, files.c_str(), static_cast<int>(files.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX | DT_PATH_ELLIPSIS);
  ::SelectObject(dc, old_font);
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case kVorherBtn:
          canvas_.ShowOutput(false);
          break;
        case kNachherBtn:
          canvas_.ShowOutput(true);
          break;
        case kPunkteCheck:
          canvas_.ShowRemovedVertices(::SendMessageW(marks_check_, BM_GETCHECK, 0, 0) == BST_CHECKED);
          break;
        case kEinpassenBtn:
          canvas_.FitView();
          break;
        case IDCANCEL:
          ::ShowWindow(window_, SW_HIDE);
          break;
        default:
          break;
      }
      return 0;
    case WM_PAINT:
      PaintLegend(PaintScope(window_).dc());
      return 0;
    case WM_MOUSEWHEEL:
      // The wheel zooms the drawing wherever the focus is.
      return ::SendMessageW(canvas_.handle(), message, w, l);
    case WM_SIZE:
      Layout();
      return 0;
    case WM_DPICHANGED:
      TakeSuggestedFrame(window_, l);
      ApplyDpi();
      return 0;
    case WM_CLOSE:
      ::ShowWindow(window_, SW_HIDE);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace quillmere::win
