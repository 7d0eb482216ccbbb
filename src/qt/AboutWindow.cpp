#include "qt/AboutWindow.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QPointer>

#include <exception>

#include "forms/AboutMemory.h"
#include "forms/AboutTexts.h"
#include "qt/MessageBeep.h"
#include "qt/Placement.h"
#include "gfx/Canvas.h"
#include "qt/QtCanvas.h"
#include "platform/MemoryStatus.h"

namespace dorvane {

namespace {

QString Utf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Where the logo stands on the banner: twice the icon's own 32 pixels, so its one-pixel
// strokes stay on whole pixels.
constexpr QRect kBannerLogo{8, 6, 64, 64};

}  // namespace

TSizedLabel::TSizedLabel(QWidget* parent, int left, int top) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(true);
  move(left, top);
  adjustSize();
}

void TSizedLabel::SetCaption(std::string_view text) {
  setText(Utf8(text));
  adjustSize();
}

TFAbout::TFAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("FAbout"));
  setWindowTitle(QStringLiteral("A propos de..."));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(ToQFont(Font{.Color = clBlack}));
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);

  Image1 = new SvgPicture(QStringLiteral(":/dorvane/about-banner.svg"), this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->move(0, 0);
  auto* logo = new SvgPicture(QStringLiteral(":/dorvane/dorvane.svg"), Image1);
  logo->setObjectName(QStringLiteral("Logo"));
  logo->setGeometry(kBannerLogo);

  lblPhysMem = new TSizedLabel(this, 86, 173);
  lblPhysMem->setObjectName(QStringLiteral("lblPhysMem"));
  lblPhysRes = new TSizedLabel(this, 86, 193);
  lblPhysRes->setObjectName(QStringLiteral("lblPhysRes"));

  // The layout gives the lines no height: each keeps its own until its first paint makes it
  // ten pen widths thick.
  Line1 = new LineWidget(this);
  Line1->setObjectName(QStringLiteral("Line1"));
  Line1->setGeometry(86, 158, 196, Line1->height());
  Line1->Line().SetLine(ltHorizontal);
  Line2 = new LineWidget(this);
  Line2->setObjectName(QStringLiteral("Line2"));
  Line2->setGeometry(86, 159, 196, Line2->height());
  Line2->Line().Pen().SetColor(clWhite);
  Line2->Line().SetLine(ltHorizontal);

  Label1 = new TSizedLabel(this, 88, 96);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setFont(ToQFont(Font{.Height = -13, .Color = clBlack, .Bold = true}));
  Label2 = new TSizedLabel(this, 88, 120);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label3 = new TSizedLabel(this, 88, 136);
  Label3->setObjectName(QStringLiteral("Label3"));

  FImage = new QLabel(this);
  FImage->setObjectName(QStringLiteral("FImage"));
  FImage->setGeometry(23, 95, 34, 34);
  FImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(208, 223, 74, 26);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  Button1->setFocus(Qt::OtherFocusReason);

  FormCreate();
}

void TFAbout::FormCreate() {
  FImage->setPixmap(QApplication::windowIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
  MessageBeep();
  const platform::MemoryFigures memory = platform::ActiveMemoryStatus().Query();
  lblPhysMem->SetCaption(PhysicalMemoryText(memory.totalPhysicalBytes, UserThousandsSeparator()));
  lblPhysRes->SetCaption(FreeMemoryText(memory.memoryLoad));
}

void TFAbout::Button1Click() {
  close();
}

void TFAbout::keyPressEvent(QKeyEvent* event) {
  // No cancel button: Escape leaves the dialog open.
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

TAboutBox::TAboutBox(QObject* owner) : QObject(owner), copyright_(kMakerNotice) {}

void TAboutBox::SetProductName(std::string_view value) {
  productName_ = FirstCodePoints(value, kAboutTextLimit);
}

void TAboutBox::SetVersion(std::string_view value) {
  version_ = FirstCodePoints(value, kAboutTextLimit);
}

void TAboutBox::SetCopyright(std::string_view value) {
  copyright_ = FirstCodePoints(value, kAboutTextLimit);
}

void TAboutBox::Execute() {
  // The owner's window keeps the dialog above it; the dialog is still ours to destroy, unless
  // that window goes first and takes it along.
  QPointer<TFAbout> dialog;
  try {
    dialog = new TFAbout(qobject_cast<QWidget*>(parent()));
  } catch (const std::exception&) {
    MessageBeep();
    return;
  }
  struct DestroyOnExit {
    QPointer<TFAbout>& dialog;
    ~DestroyOnExit() { delete dialog.data(); }
  } destroy{dialog};

  dialog->Label1->SetCaption(productName_);
  dialog->Label2->SetCaption(version_);
  dialog->Label3->SetCaption(copyright_);
  CentreOnScreen(dialog);
  dialog->exec();
}

std::string UserThousandsSeparator() {
  return QLocale().groupSeparator().toStdString();
}

}  // namespace dorvane
