// Loading a survey text file into a surface, stage by stage, as the text
// page of the load-points dialog does it:
//
//   bench_points_text generate LINES FILE   writes an XYZ file of LINES random shots
//   bench_points_text stages FILE           times read, cut, convert, unique set, engine
//   bench_points_text page FILE             the page's own loop (cut, convert and set in one
//                                           pass) and the engine, for peak memory
//
// Times are wall-clock seconds of this process; run_points.sh sets them beside pandas.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "db/AcDbDatabase.h"
#include "ed/ProgressMeter.h"
#include "ge/AcGePoint3d.h"
#include "module/points/CTextFile.h"
#include "module/points/NumberText.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void report(const char* stage, double seconds) { std::printf("%-10s %8.3f s\n", stage, seconds); }

// Shots of a site some kilometres across in Croatian grid coordinates, with
// millimetres, as a total station's export writes them.
int generate(long long lines, const char* path) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) {
    std::perror(path);
    return 1;
  }
  std::mt19937_64 random(20141);
  std::uniform_real_distribution<double> x(455000, 462000), y(5070000, 5076000), z(110, 240);
  char line[96];
  for (long long i = 0; i < lines; ++i) {
    const int n = std::snprintf(line, sizeof line, "%.3f %.3f %.3f\n", x(random), y(random), z(random));
    std::fwrite(line, 1, size_t(n), f);
  }
  return std::fclose(f) == 0 ? 0 : 1;
}

CTextFile::CSection* onlySection(CTextFile& file) {
  CStringArray names;
  if (file.GetSectionNames(names) != 1) return nullptr;
  return file.FindSection(names[0]);
}

double toEngine(CUniquePointSet& set) {
  const Clock::time_point start = Clock::now();
  AcDbDatabase db;
  CKVLSurfaceManager* manager = CKVLSurfaceManager::ForDatabase(&db);
  CKVLXsurface_Vantor2* surface = manager->CreateSurface(L"Teren", 0, nullptr, false);
  if (!surface || surface->AddPoints(set) != 1) std::fprintf(stderr, "the engine refused the points\n");
  const double seconds = since(start);
  CKVLSurfaceManager::Release(&db);
  return seconds;
}

// The meter keeps the first of its positions; the last one it was set to
// tells how far it went.
void reportProgress() {
  const uv::ProgressMeter& meter = uv::ProgressMeter::instance();
  std::printf("progress   %zu positions kept, went to %d of %d\n", meter.history().size(), meter.position(),
              meter.maxPos());
}

// The peak resident memory of the process so far.
void reportPeakMemory(const char* after) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  char line[256];
  while (f && std::fgets(line, sizeof line, f))
    if (std::strncmp(line, "VmHWM:", 6) == 0) std::printf("peak RSS   after %-8s %s", after, line + 6);
  if (f) std::fclose(f);
}

int stages(const char* path) {
  CTextFile file;
  file.SetCommentMarker(L'#');
  Clock::time_point start = Clock::now();
  if (!file.Read(CString(path))) return std::fprintf(stderr, "cannot read %s\n", path), 1;
  const double read = since(start);
  report("read", read);
  reportProgress();
  CTextFile::CSection* section = onlySection(file);
  if (!section) return std::fprintf(stderr, "expected one section\n"), 1;
  const int lines = section->GetLineCount();

  CStringArray fields;
  start = Clock::now();
  long long fieldCount = 0;
  for (int i = 0; i < lines; ++i) fieldCount += section->SplitLine(i, fields);
  const double cut = since(start);
  report("cut", cut);

  std::vector<AcGePoint3d> points;
  points.reserve(size_t(lines));
  start = Clock::now();
  for (int i = 0; i < lines; ++i) {
    if (section->SplitLine(i, fields) < 3) continue;
    points.emplace_back(uv::NumberFromText(fields[0]), uv::NumberFromText(fields[1]), uv::NumberFromText(fields[2]));
  }
  const double convert = since(start) - cut;  // the second pass cut again
  report("convert", convert);

  CUniquePointSet set;
  start = Clock::now();
  for (const AcGePoint3d& p : points) set.AddPoint(p);
  report("unique", since(start));
  report("engine", toEngine(set));
  std::printf("lines      %d, fields %lld, points %d\n", lines, fieldCount, set.Size());
  std::printf("read+cut   %8.3f s\n", read + cut);
  return 0;
}

// The page's loop: one pass over the lines, the reader gone before the
// engine takes the set.
int page(const char* path) {
  CUniquePointSet set;
  Clock::time_point start = Clock::now();
  {
    CTextFile file;
    file.SetCommentMarker(L'#');
    if (!file.Read(CString(path))) return std::fprintf(stderr, "cannot read %s\n", path), 1;
    report("read", since(start));
    reportProgress();
    CStringArray names;
    file.GetSectionNames(names);
    CStringArray fields;
    for (const CString& name : names) {
      CTextFile::CSection* section = file.FindSection(name);
      for (int i = 0; i < section->GetLineCount(); ++i) {
        if (section->SplitLine(i, fields) < 3) continue;
        set.AddPoint(
            AcGePoint3d(uv::NumberFromText(fields[0]), uv::NumberFromText(fields[1]), uv::NumberFromText(fields[2])));
      }
    }
  }
  report("load", since(start));
  reportPeakMemory("load");
  report("engine", toEngine(set));
  reportPeakMemory("engine");
  std::printf("points     %d\n", set.Size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "generate") == 0) return generate(std::atoll(argv[2]), argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "stages") == 0) return stages(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "page") == 0) return page(argv[2]);
  std::fprintf(stderr, "usage: bench_points_text generate LINES FILE | stages FILE | page FILE\n");
  return 2;
}
