// Crafted help files that attack the reader: damaged LZX streams in frames the container check
// accepts, a decompression bomb, a listing of many names, a page that costs the viewer more than
// a help page may, and a picture naming a file outside the help file. The tests open each; the
// help reader's fuzzer starts from them.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "CompressedChm.h"

namespace dorvane::testing {

struct HostileChm {
  std::string name;
  std::string bytes;
};

// `outside` is the path of a file that no page may cause to be read.
inline std::vector<HostileChm> HostileChms(const std::string& outside) {
  using chmpack::BuildChm;
  using chmpack::BuildSystemFile;
  const std::string system = BuildSystemFile({"Essai", "index.html", "", "", 0x040C});
  std::vector<HostileChm> set;
  auto compressed = [&](const std::string& name, const std::string& page,
                        const std::function<void(CompressedParts&)>& damage) {
    set.push_back(
        {name, BuildCompressedChm({{"/index.html", page}}, {{"/#SYSTEM", system}}, damage)});
  };
  auto stored = [&](const std::string& name, const std::string& page,
                    std::vector<chmpack::ChmEntry> more = {}) {
    more.push_back({"/#SYSTEM", system});
    more.push_back({"/index.html", page});
    set.push_back({name, BuildChm(std::move(more), 0x040C)});
  };
  auto repeat = [](const std::string& unit, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += unit;
    return out;
  };
  const std::string page = "<p>Accueil</p>" + repeat("x", 0x9000);  // two frames

  // LZX streams damaged inside frames the check accepts. Bits are read from 16-bit words,
  // most significant first: the block type is in bits 1 to 3 of the first word.
  for (std::uint16_t type : {0, 4, 5, 6, 7})
    compressed("block-type-" + std::to_string(type), page, [type](CompressedParts& p) {
      p.content[1] = static_cast<char>((p.content[1] & 0x8F) | (type << 4));
    });
  compressed("stored-block-longer-than-frame", page,
             [](CompressedParts& p) { p.content[0] = static_cast<char>(0xFF); });
  compressed("stored-block-repeated-offset-2GiB", page,
             [](CompressedParts& p) { SetLE(p.content, 4, 0x80000000u, 4); });
  compressed("verbatim-block-of-garbage", page, [](CompressedParts& p) {
    p.content[1] = static_cast<char>((p.content[1] & 0x8F) | (1 << 4));
    for (std::size_t i = 4; i < 64; ++i) p.content[i] = static_cast<char>(0xFF);
  });
  compressed("aligned-block-of-zeros", page, [](CompressedParts& p) {
    p.content[1] = static_cast<char>((p.content[1] & 0x8F) | (2 << 4));
    for (std::size_t i = 4; i < 64; ++i) p.content[i] = 0;
  });
  std::mt19937 random(24);
  for (int n = 0; n < 12; ++n)
    compressed("flipped-bits-in-block-" + std::to_string(n), page, [&random](CompressedParts& p) {
      for (int k = 0; k < 8; ++k) {
        const std::size_t at = random() % std::min<std::size_t>(p.content.size(), 64);
        p.content[at] = static_cast<char>(p.content[at] ^ (1 << (random() % 8)));
      }
    });
  // A bomb: a few kilobytes whose reset table says they hold 32 MiB.
  compressed("bomb-32MiB", "<p>x</p>", [](CompressedParts& p) {
    constexpr std::uint64_t kSize = 32u << 20;
    p.resetTable.resize(0x28);
    SetLE(p.resetTable, 4, kSize / 0x8000, 4);
    SetLE(p.resetTable, 0x10, kSize, 8);
    for (std::uint64_t i = 0; i < kSize / 0x8000; ++i) PutLE(p.resetTable, 0, 8);
  });

  // A listing of 24,000 names, none of which the pages look up.
  std::vector<chmpack::ChmEntry> names;
  for (int i = 0; i < 24000; ++i) names.push_back({"/n/" + std::to_string(i) + ".htm", ""});
  stored("listing-24000", "<p>Accueil</p>", std::move(names));

  // An index of 8,000 keywords, each a row of the window's list.
  const std::string keyword =
      "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"mot\"><param "
      "name=\"Local\" value=\"index.html\"></object>";
  stored("index-of-8000-keywords", "<p>Accueil</p>",
         {{"/grand.hhk", "<ul>" + repeat(keyword, 8000) + "</ul>"}});

  // A page Qt would take long to lay out (the page measure's own test holds each bound).
  stored("tables-closed-oddly", repeat("<table><tr><td>x</table/x><table><tr><td>", 600));

  // A picture naming files outside the help file (no picture of SVG is read at all).
  const std::string svgImage =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "width=\"64\" height=\"64\"><image xlink:href=\"" +
      outside + "\" width=\"64\" height=\"64\"/><image href=\"file://" + outside + "\"/></svg>";
  stored("svg-image-outside", "<p><img src=\"a.svg\"></p>", {{"/a.svg", svgImage}});
  return set;
}

}  // namespace dorvane::testing
