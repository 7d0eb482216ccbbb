#include "qt/WindowIcon.h"

#include <QDir>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <map>
#include <utility>

#include "platform/QtText.h"

namespace dorvane {
namespace {

// Square PNGs by their size in pixels, each read at its first use.
class PngSizesEngine final : public QIconEngine {
 public:
  explicit PngSizesEngine(std::map<int, QString> files) : files_(std::move(files)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    if (files_.empty() || size.isEmpty()) return {};
    // The smallest that is large enough, else the largest, scaled down to the size asked for.
    const int side = std::max(size.width(), size.height());
    auto it = files_.lower_bound(side);
    if (it == files_.end()) --it;
    QPixmap& picture = read_[it->first];
    if (picture.isNull()) picture.load(it->second, "PNG");
    if (picture.isNull() || picture.size() == size) return picture;
    return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1;
    painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const auto& [side, file] : files_) sizes.append(QSize(side, side));
    return sizes;
  }

  QIconEngine* clone() const override { return new PngSizesEngine(files_); }

 private:
  std::map<int, QString> files_;
  std::map<int, QPixmap> read_;
};

}  // namespace

QIcon WindowIcon(std::string_view picture) {
  // Named "<picture>-<size>.png" by the build.
  const QDir sizes(QStringLiteral(":/dorvane/icon"));
  const QString prefix = QStringFromUtf8(picture) + QLatin1Char('-');
  std::map<int, QString> files;
  for (const QString& file : sizes.entryList({prefix + QStringLiteral("*.png")}, QDir::Files)) {
    bool ok = false;
    const int side = file.mid(prefix.size(), file.size() - prefix.size() - 4).toInt(&ok);
    if (ok && side > 0) files.emplace(side, sizes.filePath(file));
  }
  if (files.empty()) return {};
  return QIcon(new PngSizesEngine(std::move(files)));
}

}  // namespace dorvane
