// Loading a survey text file into a surface, stage by stage, as the text
// page of the load-points dialog does it:
//
//   bench_points_text generate LINES random|terrain FILE [XY.bin [SEED]]
//                                   writes an XYZ file of LINES shots (and
//                                   their plan positions for raw CGAL)
//   bench_points_text stages FILE   times read, cut, convert, unique set and
//                                   engine, each alone
//   bench_points_text read FILE     the read alone, for a profiler
//   bench_points_text page FILE     the page's own loop (cut, convert and set
//                                   in one pass, the reader gone before the
//                                   engine takes the set), for peak memory
//
// Times are CPU seconds of this process; run_points.sh sets them beside
// pandas and raw CGAL.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/engine/BenchData.h"
#include "db/AcDbDatabase.h"
#include "ed/ProgressMeter.h"
#include "ge/AcGePoint3d.h"
#include "module/points/CTextFile.h"
#include "module/points/NumberText.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CUniquePointSet.h"

namespace {

// CPU time of this process: the machine is shared, so wall-clock time says little.
double cpuNow() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

double since(double start) { return cpuNow() - start; }

void report(const char* stage, double seconds) { std::printf("%-10s %8.3f s\n", stage, seconds); }

// The peak resident memory of the process so far, in bytes.
double peakBytes() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  char line[256];
  double kb = 0;
  while (f && std::fgets(line, sizeof line, f))
    if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atof(line + 6);
  if (f) std::fclose(f);
  return kb * 1024;
}

// The shots as a total station's export writes them: millimetres, heights
// to the millimetre. "terrain": the engine benchmark's site (hills and a
// valley, shots dense along a road and in patches, holes, and one shot in
// fifty taken again with its height a little off). "random": a site some
// kilometres across in Croatian grid coordinates.
int generate(long long lines, const std::string& kind, const char* path, const char* binPath, unsigned seed) {
  std::vector<tin::Point3> shots;
  if (kind == "terrain") {
    shots = uv::bench::terrainPoints(size_t(lines), seed);
  } else if (kind == "random") {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> x(455000, 462000), y(5070000, 5076000), z(110, 240);
    shots.resize(size_t(lines));
    for (tin::Point3& p : shots) p = {x(random), y(random), z(random)};
  } else {
    std::fprintf(stderr, "generate: the kind is random or terrain, not %s\n", kind.c_str());
    return 2;
  }
  std::FILE* f = std::fopen(path, "wb");
  if (!f) {
    std::perror(path);
    return 1;
  }
  std::vector<char> buffer(size_t(1) << 20);
  std::setvbuf(f, buffer.data(), _IOFBF, buffer.size());
  for (const tin::Point3& p : shots) std::fprintf(f, "%.3f %.3f %.3f\n", p.x, p.y, p.z);
  if (std::fclose(f) != 0) return 1;
  if (binPath) uv::bench::writeBinaryXY(binPath, shots);
  return 0;
}

CTextFile::CSection* onlySection(CTextFile& file) {
  CStringArray names;
  if (file.GetSectionNames(names) != 1) return nullptr;
  return file.FindSection(names[0]);
}

double toEngine(CUniquePointSet& set) {
  const double start = cpuNow();
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

constexpr size_t kBlock = 4096;  // as the page hands points to the set

void flush(std::vector<AcGePoint3d>& block, CUniquePointSet* set, std::vector<AcGePoint3d>* all) {
  if (set) set->AddPoints(block);
  if (all) all->insert(all->end(), block.begin(), block.end());
  block.clear();
}

// The points of lines with three fields, as the page reads them.
void takePoints(const CTextFile::CSection& section, CUniquePointSet* set, std::vector<AcGePoint3d>* all) {
  std::vector<std::string_view> fields;
  std::vector<AcGePoint3d> block;
  block.reserve(kBlock);
  for (int i = 0; i < section.GetLineCount(); ++i) {
    if (section.SplitLineUtf8(i, fields) < 3) continue;
    block.emplace_back(uv::NumberFromUtf8(fields[0]), uv::NumberFromUtf8(fields[1]), uv::NumberFromUtf8(fields[2]));
    if (block.size() == kBlock) flush(block, set, all);
  }
  flush(block, set, all);
}

int stages(const char* path) {
  CTextFile file;
  file.SetCommentMarker(L'#');
  double start = cpuNow();
  if (!file.Read(CString(path))) return std::fprintf(stderr, "cannot read %s\n", path), 1;
  const double read = since(start);
  report("read", read);
  reportProgress();
  CTextFile::CSection* section = onlySection(file);
  if (!section) return std::fprintf(stderr, "expected one section\n"), 1;
  const int lines = section->GetLineCount();

  std::vector<std::string_view> fields;
  start = cpuNow();
  long long fieldCount = 0;
  for (int i = 0; i < lines; ++i) fieldCount += section->SplitLineUtf8(i, fields);
  const double cut = since(start);
  report("cut", cut);

  start = cpuNow();
  takePoints(*section, nullptr, nullptr);
  const double convert = since(start) - cut;  // the pass cut again
  report("convert", convert);

  std::vector<AcGePoint3d> points;
  points.reserve(size_t(lines));
  takePoints(*section, nullptr, &points);
  CUniquePointSet set;
  start = cpuNow();
  set.Reserve(lines);
  for (size_t i = 0; i < points.size(); i += kBlock)
    set.AddPoints(std::span<const AcGePoint3d>(points).subspan(i, std::min(kBlock, points.size() - i)));
  const int kept = set.Size();  // blocks are settled when the set is read
  const double unique = since(start);
  report("unique", unique);
  std::printf("text       %8.3f s  (read, cut, convert and unique set)\n", read + cut + convert + unique);
  report("engine", toEngine(set));
  std::printf("lines      %d, fields %lld, points %d\n", lines, fieldCount, kept);
  return 0;
}

int readOnly(const char* path) {
  CTextFile file;
  file.SetCommentMarker(L'#');
  const double start = cpuNow();
  if (!file.Read(CString(path))) return std::fprintf(stderr, "cannot read %s\n", path), 1;
  report("read", since(start));
  return 0;
}

int page(const char* path) {
  CUniquePointSet set;
  const double start = cpuNow();
  {
    CTextFile file;
    file.SetCommentMarker(L'#');
    if (!file.Read(CString(path))) return std::fprintf(stderr, "cannot read %s\n", path), 1;
    report("read", since(start));
    reportProgress();
    CStringArray names;
    file.GetSectionNames(names);
    int lines = 0;
    for (const CString& name : names) lines += file.FindSection(name)->GetLineCount();
    set.Reserve(lines);
    for (const CString& name : names) takePoints(*file.FindSection(name), &set, nullptr);
    std::printf("peak       %.0f MB after the load\n", peakBytes() / 1048576);
  }
  report("load", since(start));
  report("engine", toEngine(set));
  std::printf("peak       %.0f MB after the engine\n", peakBytes() / 1048576);
  std::printf("points     %d\n", set.Size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 5 && argc <= 7 && std::strcmp(argv[1], "generate") == 0)
    return generate(std::atoll(argv[2]), argv[3], argv[4], argc >= 6 ? argv[5] : nullptr,
                    argc == 7 ? unsigned(std::atol(argv[6])) : 20141);
  if (argc == 3 && std::strcmp(argv[1], "stages") == 0) return stages(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "read") == 0) return readOnly(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "page") == 0) return page(argv[2]);
  std::fprintf(stderr,
               "usage: bench_points_text generate LINES random|terrain FILE [XY.bin [SEED]] | stages FILE | read FILE | page FILE\n");
  return 2;
}
