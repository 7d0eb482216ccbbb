// Writes help files with a compressed section into the fuzzer's corpus (the folder named by the
// first argument), so that its runs start inside chmlib's reading of compressed data.
#include <fstream>
#include <string>

#include "ChmWriter.h"
#include "CompressedChm.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  const std::string system =
      dorvane::chmpack::BuildSystemFile({"Essai", "index.html", "toc.hhc", "", 0x040C});
  const std::string toc =
      "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Accueil\">"
      "<param name=\"Local\" value=\"index.html\"></object></ul>";
  const struct {
    const char* name;
    std::string bytes;
  } seeds[] = {
      {"compressed-one-frame.chm",
       dorvane::testing::BuildCompressedChm(
           {{"/#SYSTEM", system}, {"/index.html", "<p>Accueil</p>"}, {"/toc.hhc", toc}})},
      {"compressed-two-frames.chm",
       dorvane::testing::BuildCompressedChm(
           {{"/#SYSTEM", system}, {"/index.html", std::string(0x8010, 'a')}, {"/toc.hhc", toc}})},
  };
  for (const auto& s : seeds) {
    std::ofstream out(dir + "/" + s.name, std::ios::binary);
    out.write(s.bytes.data(), static_cast<std::streamsize>(s.bytes.size()));
    if (!out) return 1;
  }
  return 0;
}
