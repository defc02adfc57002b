// Reads the output of the line job back with ezdxf, an independent DXF
// library, to make sure that other programs see the chains as polylines with
// the right vertices and handles. Skipped where ezdxf is not installed.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "lines/line_job.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::Lf;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

using Lines = std::vector<std::string>;

constexpr char kPython[] = "/usr/bin/python3";

// Lists every model-space entity as "TYPE handle x,y x,y ...", then the
// auditor's errors and fixes and the handle seed.
constexpr char kListEntities[] = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
for e in doc.modelspace():
    if e.dxftype() == "LWPOLYLINE":
        points = e.get_points("xy")
    else:
        points = [v.dxf.location for v in e.vertices]
    print(e.dxftype(), e.dxf.handle, " ".join("%g,%g" % (p[0], p[1]) for p in points))
    if e.has_xdata("QUILL"):
        print("xdata", [(tag.code, tag.value) for tag in e.get_xdata("QUILL")])
print("errors", len(auditor.errors), "fixes", len(auditor.fixes), "seed", doc.header["$HANDSEED"])
for entry in auditor.errors + auditor.fixes:
    print(entry.message)
)";

bool EzdxfInstalled() {
  const std::string command = std::string(kPython) + " -c 'import ezdxf' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

std::string ListEntities(const TempDir& dir, const std::string& dxf) {
  WriteFile(dir.File("list.py"), kListEntities);
  const std::string command = std::string(kPython) + " '" + dir.File("list.py") + "' '" + dxf + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string listing;
  char buffer[512];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) listing += buffer;
  return listing;
}

// A LINE from (x0, y0) to (x1, y1); R2000 and later carry subclass markers.
Lines Line(bool subclasses, const std::string& handle, int x0, int y0, int x1, int y1) {
  Lines lines = {"  0", "LINE"};
  if (!handle.empty()) lines.insert(lines.end(), {"  5", handle});
  if (subclasses) lines.insert(lines.end(), {"100", "AcDbEntity"});
  lines.insert(lines.end(), {"  8", "KONTUR"});
  if (subclasses) lines.insert(lines.end(), {"100", "AcDbLine"});
  lines.insert(lines.end(), {" 10", std::to_string(x0), " 20", std::to_string(y0), " 30", "0.0",
                             " 11", std::to_string(x1), " 21", std::to_string(y1), " 31", "0.0"});
  return lines;
}

// A closed square AB, BC, CD, DA and one line on its own, with extended
// data of a registered application.
Lines Drawing(const std::string& version, bool subclasses, const std::string& lone_handle) {
  Lines lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", version, "  9",
                 "$HANDSEED", "  5", "30", "  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES",
                 "  0", "TABLE", "  2", "APPID", "  5", "12", " 70", "1", "  0", "APPID",
                 "  5", "13", "  2", "QUILL", " 70", "0", "  0", "ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"};
  Lines lone = Line(subclasses, lone_handle, 9, 9, 12, 9);
  lone.insert(lone.end(), {"1001", "QUILL", "1000", "Text"});
  const Lines parts[] = {Line(subclasses, "2A", 0, 0, 4, 0), Line(subclasses, "2B", 4, 0, 4, 4),
                         Line(subclasses, "2C", 4, 4, 0, 4), Line(subclasses, "2D", 0, 4, 0, 0),
                         lone};
  for (const Lines& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

TEST(CadReaderTest, EzdxfReadsBothStyles) {
  if (!EzdxfInstalled()) GTEST_SKIP() << "ezdxf is not installed";
  TempDir dir;
  RecordingMessages messages;

  // Old style, without handle on the lone line: vertex handles 31 to 3A,
  // then 3B for the lone polyline, and the seed 3C.
  WriteFile(dir.File("r12.dxf"), Lf(Drawing("AC1009", false, "")));
  RunLineJob(0.01, dir.File("r12.dxf"), dir.File("r12.out.dxf"), messages);
  EXPECT_EQ(ListEntities(dir, dir.File("r12.out.dxf")),
            "POLYLINE 2D 0,4 0,0 4,0 4,4 0,4\n"
            "POLYLINE 3B 9,9 12,9\n"
            "xdata [(1000, 'Text')]\n"
            "errors 0 fixes 0 seed 3C\n");

  // Lightweight, every line with its handle: no new handle, the seed stays.
  WriteFile(dir.File("r2000.dxf"), Lf(Drawing("AC1015", true, "2E")));
  RunLineJob(0.01, dir.File("r2000.dxf"), dir.File("r2000.out.dxf"), messages);
  EXPECT_EQ(ListEntities(dir, dir.File("r2000.out.dxf")),
            "LWPOLYLINE 2D 0,4 0,0 4,0 4,4 0,4\n"
            "LWPOLYLINE 2E 9,9 12,9\n"
            "xdata [(1000, 'Text')]\n"
            "errors 0 fixes 0 seed 30\n");
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quillmere
