// The help reader on the program's own help file, beside the reader it replaced (chmlib, after
// the same container check): opening the file, then reading every page it lists, as the
// viewer does when it opens on a file.
#include <benchmark/benchmark.h>
#include <chm_lib.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ChmArchive.h"

namespace {

using namespace dorvane::helpviewer;

const std::string kFile = DORVANE_HELP_FILE;

void NewReader(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    OpenResult result = OpenResult::kMalformed;
    const auto archive = ChmArchive::Open(kFile, result);
    if (!archive) state.SkipWithError("the help file does not open");
    for (const std::string& f : archive->Files()) bytes += archive->Read(f).value_or("").size();
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(NewReader);

// As the viewer read help files before: the bytes read and checked, then chmlib opening the
// file again and looking each page up in its directory.
void PreviousReader(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ifstream in(kFile, std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!CheckContainer(all)) state.SkipWithError("the help file does not pass the check");
    chmFile* file = chm_open(kFile.c_str());
    std::vector<std::string> files;
    chm_enumerate(
        file, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
        [](chmFile*, chmUnitInfo* ui, void* context) -> int {
          static_cast<std::vector<std::string>*>(context)->emplace_back(ui->path);
          return CHM_ENUMERATOR_CONTINUE;
        },
        &files);
    for (const std::string& f : files) {
      chmUnitInfo ui{};
      if (chm_resolve_object(file, f.c_str(), &ui) != CHM_RESOLVE_SUCCESS) continue;
      std::string page(static_cast<std::size_t>(ui.length), '\0');
      chm_retrieve_object(file, &ui, reinterpret_cast<unsigned char*>(page.data()), 0,
                          static_cast<LONGINT64>(ui.length));
      bytes += page.size();
    }
    chm_close(file);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(PreviousReader);

}  // namespace
