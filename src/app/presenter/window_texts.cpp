#include "app/presenter/window_texts.h"

#include <array>
#include <ctime>
#include <iterator>

#include "app/presenter/main_window_controls.h"

namespace quillmere {

namespace {

using K = ControlKind;

constexpr std::u16string_view kHelpLines[] = {
    u"Die Linien müssen in Form einer \"Polyline\" vorliegen.",
    u"Falls viele einzelne Linien vorliegen, müssen diese zunächst zu einer",
    u"Polylinie verbunden werden. Falls viele einzelne Polylinien vorliegen,",
    u"müssen diese zunächst verbunden werden.",
    u"",
    u"Jeder Kreisbogen wird in x (z.B. 100) Teile und jede Linie wird",
    u"in y (z.B. 100) Teile geteilt. Es wird für jede Teilungsstelle der",
    u"Linie die am nächsten liegende Teilungsstelle des Kreisbogens gesucht.",
    u"",
    u"Der Abstand zwischen Linie und Kreisbogen darf hier zwischen diesen",
    u"zwei Punkten nicht größer als die maximale Abweichung sein.",
    u"",
    u"Wenn in der DXF Datei große DXF Einheiten benutzt werden, muss",
    u"die maximale Abweichung entsprechend größer gewählt werden.",
    u"Bei kleineren Einheiten entsprechend kleiner. Dies muss ausgetestet",
    u"werden. Bei zu großen Wert werden auch gerade Linien in Kreisbögen",
    u"umgewandelt. Bei zu kleinem Wert werden nicht alle Kreisbögen mehr ",
    u"erkannt.",
    u"",
    u"Bei mehr Teststellen wird die Konvertierung entsprechend langsamer.",
    u"Die nötige Anzahl an Tests ist das Produkt aus den Teststellen für den Kreis",
    u"und den Teststellen für die Line. ",
    u"Bei je 100 Teststellen werden also 100 x 100 = 10000 Tests durchgeführt.",
    u"",
    u"\"Abstände genau messen\" berechnet die wahren Abstände, ohne Teststellen.",
    u"\"Konturen bilden\" verbindet Stücke in beiden Richtungen, je Layer.",
    u"\"Kurven in Bögen umwandeln\" ersetzt auch Splines und Ellipsen durch Bögen.",
};

// A menu item belongs to the window, not to the menu that shows it; the
// status bar's buttons and the mode boxes came to the window last.
constexpr ControlText kMainControlsBeforeModeBoxes[] = {
    {"Panel1", K::kPanel, u""},
    {"BitBtn1", K::kButton, u"DXF Datei konvertieren..."},
    {"AbweichEd", K::kNumericField, u""},
    {"TestEd", K::kNumericField, u""},
    {"Test2Ed", K::kNumericField, u""},
    {"AboutBtn", K::kButton, u"Über..."},
    {"BitBtn2", K::kButton, u"Linien in Polylinien konvertieren..."},
    {"BitBtn4", K::kButton, u"Polylinien verbinden..."},
    {"AbweichLinEd", K::kNumericField, u""},
    {"Label3", K::kLabel, u"Maximale Abweichung von Line und Kreisbogen in DXF Einheiten:"},
    {"Label1", K::kLabel, u"Kreisbogen an sovielen Stellen testen:"},
    {"Label2", K::kLabel, u"Linie an sovielen Stellen testen:"},
    {"Label4", K::kLabel,
     u"Akzeptiere eine Abweichung von X DXF Einheiten, beim Zusammenfügen von Linienstückchen:"},
    {"Memo1", K::kMemo, u""},
    {"MainMenu1", K::kMenuBar, u""},
    {"Sprache1", K::kMenu, u"Sprache"},
    {"Deutsch1", K::kMenuItem, u"Deutsch"},
    {"English1", K::kMenuItem, u"English"},
    {"Franais1", K::kMenuItem, u"Français"},
    {"Nederlands1", K::kMenuItem, u"Nederlands"},
    {"Italian1", K::kMenuItem, u"Italian"},
    {"Spanish1", K::kMenuItem, u"Spanish"},
    {"Portuguese1", K::kMenuItem, u"Portuguese"},
    {"N1", K::kMenuItem, u"-"},
    {"bersetzen1", K::kMenuItem, u"Übersetzen..."},
    {"Hilfe1", K::kMenu, u"Hilfe"},
    {"ber1", K::kMenuItem, u"Über..."},
    {"OpenDialog1", K::kFileDialog, kDxfFilter},
    {"SaveDialog1", K::kFileDialog, kDxfFilter},
    {"CancelBtn", K::kButton, u"Abbrechen"},
    {"PreviewBtn", K::kButton, u"Vorschau..."},
};

constexpr auto kMainControls = [] {
  constexpr std::size_t kBefore = std::size(kMainControlsBeforeModeBoxes);
  std::array<ControlText, kBefore + kModeBoxCount> controls{};
  for (std::size_t i = 0; i < kBefore; ++i) controls[i] = kMainControlsBeforeModeBoxes[i];
  for (int box = 0; box < kModeBoxCount; ++box) {
    controls[kBefore + box] = {kModeBoxes[box].name, K::kCheckBox, kModeBoxes[box].text};
  }
  return controls;
}();

constexpr ControlText kAboutControls[] = {
    {"ProgramIcon", K::kCanvas, u""},
    {"ProductName", K::kLabel, u"Quillmere"},
    {"Version", K::kLabel, u"Version 1.0"},
    {"Copyright", K::kLabel, u"Copyright © XXXX Tormel"},
    {"Comments", K::kLabel, u"Kreisbögen, Linien und Polylinien in DXF Dateien"},
    {"OKButton", K::kButton, u"OK"},
};

// The grid's heading row is written anew, in English, whenever it is
// filled, and is empty when the windows are translated.
constexpr ControlText kTranslateControls[] = {
    {"Panel1", K::kPanel, u""},
    {"BackBtn", K::kButton, u"Zurück..."},
    {"Panel2", K::kPanel, u""},
    {"FilterEdit", K::kEdit, u""},
    {"FilterBtn", K::kButton, u"Suchen"},
    {"DeleteRowBtn", K::kButton, u"Zeile löchen"},
    {"FixedColCheck", K::kCheckBox, u"Erste Spalte fixieren"},
    {"StringGrid1", K::kGrid, u""},
    {"StatusBar1", K::kStatusBar, u""},
};

// The legend's templates get their numbers only after the translation, so
// that no text with numbers in it is ever learnt.
constexpr ControlText kPreviewControls[] = {
    {"Panel1", K::kPanel, u""},
    {"VorherBtn", K::kButton, u"Vorher"},
    {"NachherBtn", K::kButton, u"Nachher"},
    {"PunkteCheck", K::kCheckBox, u"Entfernte Punkte zeigen"},
    {"EinpassenBtn", K::kButton, u"Ganze Zeichnung"},
    {"HinweisLabel", K::kLabel,
     u"Mausrad: vergrößern und verkleinern, Ziehen: verschieben, Doppelklick: ganze Zeichnung"},
    {"Zeichnung", K::kCanvas, u""},
    {"Panel2", K::kPanel, u""},
    {"LinienLabel", K::kLabel, u"Linien"},
    {"BoegenLabel", K::kLabel, u"Kreisbögen"},
    {"GefundenVorlage", K::kLabel, u"%1 Kreisbögen gefunden"},
    {"EntferntVorlage", K::kLabel, u"%1 Punkte entfernt"},
    {"VerkettetVorlage", K::kLabel, u"%1 Linien zu %2 Polylinien verkettet"},
    {"AngehaengtVorlage", K::kLabel, u"%1 Polylinien an %2 andere angehängt"},
    {"EndenVorlage", K::kLabel, u"Enden der Polylinien"},
    {"GeschlossenVorlage", K::kLabel, u"%1 davon geschlossen"},
};

constexpr WindowTexts kWindows[] = {
    {"MainForm", u"Quillmere 1.0", kMainControls},
    {"AboutBox", u"Info", kAboutControls},
    {"TranslateForm", u"Übersetzen", kTranslateControls},
    {"PreviewForm", u"Vorschau", kPreviewControls},
};

}  // namespace

std::span<const WindowTexts> ProgramWindows() { return kWindows; }

int ControlIndex(int window, std::string_view name) {
  const std::span<const ControlText> controls = kWindows[window].controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

std::u16string_view ControlGerman(int window, std::string_view name) {
  const int index = ControlIndex(window, name);
  return index < 0 ? std::u16string_view() : kWindows[window].controls[index].text;
}

std::span<const std::u16string_view> HelpLines() { return kHelpLines; }

std::u16string WithYear(std::u16string_view text, int year) {
  constexpr std::u16string_view kPlaceholder = u"XXXX";
  std::u16string digits;
  for (const char unit : std::to_string(year)) digits += static_cast<char16_t>(unit);
  std::u16string result(text);
  for (std::size_t at = result.find(kPlaceholder); at != std::u16string::npos;
       at = result.find(kPlaceholder, at + digits.size())) {
    result.replace(at, kPlaceholder.size(), digits);
  }
  return result;
}

std::u16string WithCurrentYear(std::u16string_view text) {
  const std::time_t now = std::time(nullptr);
  return WithYear(text, std::localtime(&now)->tm_year + 1900);
}

std::vector<std::u16string_view> ControlTexts(const ControlText& control) {
  if (control.kind == ControlKind::kMemo) return {std::begin(kHelpLines), std::end(kHelpLines)};
  return {control.text};
}

void VisitInTranslationOrder(std::span<const WindowTexts> windows,
                             const std::function<void(int window, int control)>& visit) {
  for (int window = static_cast<int>(windows.size()) - 1; window >= 0; --window) visit(window, -1);
  for (int window = static_cast<int>(windows.size()) - 1; window >= 0; --window) {
    for (int control = static_cast<int>(windows[window].controls.size()) - 1; control >= 0;
         --control) {
      visit(window, control);
    }
  }
}

}  // namespace quillmere
