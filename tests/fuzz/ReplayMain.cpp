// Runs a fuzz target's LLVMFuzzerTestOneInput over files, as libFuzzer would
// run them, without libFuzzer: the normal build (g++) replays the seed
// corpus and the regression inputs of every target this way.
//
//   fuzz_dxf <file or folder>...     folders are walked; ".gz" files are
//                                    replayed decompressed (gzip -dc)
//
// A crash or a broken property ends the run with the file's name on
// standard error. No input at all is a failure too: a replay of nothing
// would pass whatever the readers do.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool readWhole(const fs::path& path, std::string& bytes) {
  if (path.extension() == ".gz") {
    const std::string command = "gzip -dc -- '" + path.string() + "'";
    if (path.string().find('\'') != std::string::npos) return false;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char block[65536];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, pipe)) > 0) bytes.append(block, n);
    return pclose(pipe) == 0;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg(argv[i]);
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
      for (const auto& entry : fs::recursive_directory_iterator(arg))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
    } else if (fs::is_regular_file(arg, ec)) {
      files.push_back(arg);
    } else {
      std::cerr << "replay: no such file or folder: " << arg.string() << "\n";
      return 2;
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::cerr << "replay: no input to replay\n";
    return 2;
  }
  for (const fs::path& file : files) {
    std::string bytes;
    if (!readWhole(file, bytes)) {
      std::cerr << "replay: cannot read " << file.string() << "\n";
      return 2;
    }
    std::cerr << "replay: " << file.string() << " (" << bytes.size() << " bytes)\n";
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::cout << "replayed " << files.size() << " inputs\n";
  return 0;
}
