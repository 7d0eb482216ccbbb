// The pictures and icons linked into the program, loaded as the windows load them, and the
// program's version resource read as the system reads it.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/SystemInfo.h"
#include "win32/Pictures.h"

namespace dorvane::win32 {

// Every picture the layout tables name (TablePictures.cpp: the forms' headers and <windows.h>
// do not meet in one file).
std::set<std::string> TablePictures();

namespace {

// The size the SVG source declares, in pixels at 96 dpi.
SIZE SourceSize(const std::string& name) {
  for (const char* folder : {"/", "/tool/"}) {
    std::ifstream file(std::string(DORVANE_RESOURCES) + folder + name + ".svg");
    if (!file) continue;
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    std::smatch m;
    if (std::regex_search(text, m,
                          std::regex(R"re(<svg[^>]*\swidth="(\d+)"[^>]*\sheight="(\d+)")re"))) {
      return {std::stoi(m[1]), std::stoi(m[2])};
    }
  }
  return {0, 0};
}

struct Pixels {
  int width = 0;
  int height = 0;
  bool topDown = false;
  bool premultiplied = true;
  int opaque = 0;       // pixels of full alpha
  double coverage = 0;  // mean alpha, 0 to 1
};

Pixels Examine(HBITMAP bitmap) {
  DIBSECTION dib{};
  Pixels p;
  if (::GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 32 ||
      dib.dsBm.bmBits == nullptr) {
    return p;
  }
  p.width = dib.dsBm.bmWidth;
  p.height = dib.dsBm.bmHeight;
  const auto* bytes = static_cast<const unsigned char*>(dib.dsBm.bmBits);
  // Its rows as the system reads them top down: the same bytes, when it is top down.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<unsigned char> rows(static_cast<std::size_t>(p.width) * p.height * 4);
  const HDC dc = ::CreateCompatibleDC(nullptr);
  p.topDown =
      ::GetDIBits(dc, bitmap, 0, p.height, rows.data(), &info, DIB_RGB_COLORS) == p.height &&
      std::memcmp(rows.data(), bytes, rows.size()) == 0;
  ::DeleteDC(dc);
  double alphaSum = 0;
  for (int i = 0; i < p.width * p.height; ++i) {
    const unsigned char* px = bytes + i * 4;
    if (px[0] > px[3] || px[1] > px[3] || px[2] > px[3]) p.premultiplied = false;
    if (px[3] == 255) ++p.opaque;
    alphaSum += px[3];
  }
  p.coverage = alphaSum / (255.0 * p.width * p.height);
  return p;
}

TEST(PicturesTest, EveryTablePictureLoadsAtEachScale) {
  const std::set<std::string> names = TablePictures();
  ASSERT_EQ(names.size(), 11u);  // banner, the two window pictures, eight tool images
  for (const std::string& name : names) {
    const SIZE source = SourceSize(name);
    ASSERT_GT(source.cx, 0) << name;
    double coverage96 = 0;
    for (const int dpi : {96, 120, 144, 192, 240}) {
      SCOPED_TRACE(name + " at " + std::to_string(dpi) + " dpi");
      const HBITMAP bitmap = LoadPicture(name, dpi);
      ASSERT_NE(bitmap, nullptr);
      const Pixels p = Examine(bitmap);
      ::DeleteObject(bitmap);
      EXPECT_EQ(p.width, ::MulDiv(source.cx, dpi, 96));
      EXPECT_EQ(p.height, ::MulDiv(source.cy, dpi, 96));
      EXPECT_TRUE(p.topDown);
      EXPECT_TRUE(p.premultiplied);
      EXPECT_GE(p.opaque, p.width * p.height / 50);  // the drawing itself, not only its edges
      // The same drawing at every scale: as much of it covered.
      if (dpi == 96) coverage96 = p.coverage;
      EXPECT_NEAR(p.coverage, coverage96, 0.05);
    }
  }
}

TEST(PicturesTest, UnknownNamesAndBadSizesGiveNothing) {
  for (const char* name : {"", "inconnu", "dorvane.100", "../dorvane", "tool/aide"}) {
    EXPECT_EQ(LoadPicture(name, 96), nullptr) << name;
    EXPECT_EQ(LoadWindowIcon(name[0] ? name : "inconnu", 32), nullptr) << name;
  }
  EXPECT_EQ(LoadPicture("dorvane", 0), nullptr);
  EXPECT_EQ(LoadWindowIcon("dorvane", 0), nullptr);
}

TEST(PicturesTest, WindowIconsAtTheAskedSize) {
  for (const char* name : {"", "dorvane", "recherche"}) {
    for (const int size : {16, 20, 24, 32, 48, 256}) {
      const HICON icon = LoadWindowIcon(name, size);
      ASSERT_NE(icon, nullptr) << name << " " << size;
      ICONINFO info{};
      ASSERT_TRUE(::GetIconInfo(icon, &info));
      BITMAP bm{};
      ::GetObjectW(info.hbmColor, sizeof bm, &bm);
      EXPECT_EQ(bm.bmWidth, size) << name;
      EXPECT_EQ(bm.bmHeight, size) << name;
      ::DeleteObject(info.hbmColor);
      ::DeleteObject(info.hbmMask);
      ::DestroyIcon(icon);
    }
  }
}

TEST(PicturesTest, TheProgramDeclaresVersionOne) {
  const auto version = platform::SystemSystemInfo().FileVersion(DORVANE_PROGRAM);
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(*version, (platform::VersionNumbers{1, 0, 0, 0}));
}

}  // namespace
}  // namespace dorvane::win32
