#pragma once

#include <QString>
#include <QSvgRenderer>
#include <QWidget>

namespace dorvane {

// A picture control showing an SVG image, drawn at paint time so that it stays crisp at any
// device pixel ratio. It takes the image's own size.
class SvgPicture : public QWidget {
  Q_OBJECT

 public:
  SvgPicture(const QString& file, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSvgRenderer renderer_;
};

}  // namespace dorvane
