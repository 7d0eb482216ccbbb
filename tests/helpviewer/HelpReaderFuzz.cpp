// Feeds arbitrary bytes to everything that reads a help file: the container check, libmspack's
// unpacking behind it, the system file and the contents. Nothing may crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ChmArchive.h"
#include "HelpContents.h"

using namespace dorvane::helpviewer;

namespace {

void ReadAsHelpFile(std::string_view bytes) {
  OpenResult result = OpenResult::kMalformed;
  const auto archive = ChmArchive::OpenBytes(std::string(bytes), result);
  if (!archive) return;
  SystemInfo system;
  if (const auto s = archive->Read("/#SYSTEM")) system = ParseSystemFile(*s);
  if (const auto toc = archive->Read(TopicPath(system.contentsFile))) ParseSitemap(*toc);
  archive->Read(TopicPath(system.defaultTopic));
  int budget = 64;
  for (const std::string& f : archive->Files()) {
    if (--budget < 0) break;
    // A read that failed fails again; one that succeeded gives the same bytes.
    if (archive->Read(f) != archive->Read(f)) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ReadAsHelpFile(bytes);
  ParseSitemap(bytes);
  ParseSystemFile(bytes);
  TopicPath(bytes);
  return 0;
}
