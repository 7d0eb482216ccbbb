#include "app/Fonts.h"

#include <QFile>
#include <QFontDatabase>

#include "gfx/Canvas.h"
#include "gfx/QtCanvas.h"

namespace dorvane {

namespace {
const QString kWineFont = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
}  // namespace

void InstallProgramFonts() {
  if (QFontDatabase::families().contains(QStringLiteral("MS Sans Serif"))) return;
  if (QFile::exists(kWineFont)) QFontDatabase::addApplicationFont(kWineFont);
}

QFont FormFont() { return ToQFont(Font()); }

}  // namespace dorvane
