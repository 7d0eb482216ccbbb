// Feeds arbitrary bytes to everything that reads a help file: the container check, chmlib
// behind it, the system file and the contents. Nothing may crash, hang or leak.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ChmArchive.h"
#include "HelpContents.h"

using namespace dorvane::helpviewer;

namespace {

void ReadAsHelpFile(std::string_view bytes) {
  if (!CheckContainer(bytes)) return;
  const int fd = memfd_create("helpfile", MFD_CLOEXEC);
  if (fd < 0) return;
  if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    close(fd);
    return;
  }
  OpenResult result = OpenResult::kMalformed;
  const auto archive = ChmArchive::OpenDescriptor(fd, result);
  if (!archive) return;
  SystemInfo system;
  if (const auto s = archive->Read("/#SYSTEM")) system = ParseSystemFile(*s);
  if (const auto toc = archive->Read(TopicPath(system.contentsFile))) ParseSitemap(*toc);
  archive->Read(TopicPath(system.defaultTopic));
  int budget = 64;
  for (const std::string& f : archive->Files()) {
    if (--budget < 0) break;
    archive->Read(f);
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
