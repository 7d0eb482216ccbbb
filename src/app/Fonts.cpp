#include "app/Fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace dorvane {

namespace {
const QString kFamily = QStringLiteral("MS Sans Serif");
const QString kWineFont = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
constexpr int kPixelHeight = 11;
}  // namespace

void InstallProgramFonts() {
  if (QFontDatabase::families().contains(kFamily)) return;
  if (QFile::exists(kWineFont) && QFontDatabase::addApplicationFont(kWineFont) >= 0) return;
  QFont::insertSubstitution(kFamily, QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
}

QFont FormFont() {
  QFont font(kFamily);
  font.setPixelSize(kPixelHeight);
  return font;
}

}  // namespace dorvane
