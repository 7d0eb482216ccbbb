// Writes help files with a compressed section, and the hostile set of the tests, into the
// fuzzer's corpus (the folder named by the first argument), so that its runs start inside the
// unpacking of compressed data and from files made to attack the reader.
#include <fstream>
#include <string>
#include <utility>

#include "ChmWriter.h"
#include "CompressedChm.h"
#include "HostileChm.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string system =
      dorvane::chmpack::BuildSystemFile({"Essai", "index.html", "toc.hhc", "", 0x040C});
  const std::string toc =
      "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Accueil\">"
      "<param name=\"Local\" value=\"index.html\"></object></ul>";
  for (const auto& [name, page] : {std::pair{"one-frame", std::string("<p>Accueil</p>")},
                                   std::pair{"two-frames", std::string(0x8010, 'a')}}) {
    std::ofstream out(std::string(argv[1]) + "/compressed-" + name + ".chm", std::ios::binary);
    out << dorvane::testing::BuildCompressedChm(
        {{"/#SYSTEM", system}, {"/index.html", page}, {"/toc.hhc", toc}});
    if (!out) return 1;
  }
  for (const auto& hostile : dorvane::testing::HostileChms("/etc/passwd")) {
    // The large ones would slow every run down to a few a second; the tests read them.
    if (hostile.bytes.size() > (96u << 10)) continue;
    std::ofstream out(std::string(argv[1]) + "/hostile-" + hostile.name + ".chm", std::ios::binary);
    out << hostile.bytes;
    if (!out) return 1;
  }
  return 0;
}
