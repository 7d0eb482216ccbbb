#include "HelpWindow.h"

#include <QAction>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "PageMeasure.h"
#include "text/Ascii.h"

namespace dorvane::helpviewer {
namespace {

constexpr char kScheme[] = "chm";

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString Quoted(const QString& text) {
  return QStringLiteral("«\u00A0%1\u00A0»").arg(text);
}

QString OpenFailureText(OpenResult result, const QString& path) {
  switch (result) {
    case OpenResult::kMissing:
      return QStringLiteral("Le fichier d'aide %1 est introuvable.").arg(Quoted(path));
    case OpenResult::kNotAFile:
      return QStringLiteral(
                 "%1 n'est pas un fichier d'aide : c'est un dossier ou un fichier spécial.")
          .arg(Quoted(path));
    case OpenResult::kUnreadable:
      return QStringLiteral(
                 "Le fichier d'aide %1 ne peut pas être lu. Vérifiez qu'il est accessible en "
                 "lecture.")
          .arg(Quoted(path));
    case OpenResult::kTooLarge:
      return QStringLiteral("Le fichier d'aide %1 est trop volumineux pour être ouvert.")
          .arg(Quoted(path));
    case OpenResult::kUnpacksTooLarge:
      return QStringLiteral(
                 "Le fichier d'aide %1 occuperait plus de %2 Mo une fois décompressé : il n'est "
                 "pas ouvert.")
          .arg(Quoted(path))
          .arg(kMaxUnpackedSize >> 20);
    case OpenResult::kMalformed:
    case OpenResult::kOpened:
      break;
  }
  return QStringLiteral("Le fichier %1 n'est pas un fichier d'aide valide, ou il est endommagé.")
      .arg(Quoted(path));
}

}  // namespace

QString DecodeHelpText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  text.clear();
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(b >= 0x80 && b < 0xA0 ? QChar(kCp1252High[b - 0x80]) : QChar(b));
  }
  return text;
}

QUrl TopicUrl(const std::string& link) {
  QUrl url;
  url.setScheme(QString::fromLatin1(kScheme));
  url.setPath(QString::fromUtf8(TopicPath(link)), QUrl::DecodedMode);
  const std::size_t hash = link.find('#');
  if (hash != std::string::npos)
    url.setFragment(QString::fromUtf8(link.substr(hash + 1)), QUrl::DecodedMode);
  return url;
}

TopicBrowser::TopicBrowser(std::shared_ptr<const ChmArchive> archive, QWidget* parent)
    : QTextBrowser(parent), archive_(std::move(archive)) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &TopicBrowser::FollowLink);
}

void TopicBrowser::FollowLink(const QUrl& link) {
  QUrl url = link.isRelative() ? source().resolved(link) : link;
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("ms-its") || scheme == QLatin1String("mk"))
    url = TopicUrl(link.toString().toStdString());
  if (url.scheme() != QLatin1String(kScheme)) {
    emit ExternalLinkRefused(link);
    return;
  }
  setSource(url, QTextDocument::HtmlResource);
}

namespace {

QString PageText(const QString& sentence) {
  return QStringLiteral("<html><body><p>%1</p></body></html>").arg(sentence.toHtmlEscaped());
}

QString CostText(PageCost cost, const QString& page) {
  const PageLimits limits;
  QString why;
  switch (cost) {
    case PageCost::kTooLarge:
      return QStringLiteral("La page %1 est trop volumineuse pour être affichée (plus de %2 Ko).")
          .arg(page)
          .arg(limits.maxBytes / 1024);
    case PageCost::kTooManyElements:
      why = QStringLiteral("plus de %1 balises").arg(limits.maxTags);
      break;
    case PageCost::kTooDeep:
      why = QStringLiteral("plus de %1 niveaux imbriqués").arg(limits.maxDepth);
      break;
    case PageCost::kTablesTooDeep:
      why = QStringLiteral("plus de %1 tableaux imbriqués").arg(limits.maxTableDepth);
      break;
    case PageCost::kTooManyCells:
      why = QStringLiteral("plus de %1 cellules de tableau").arg(limits.maxCells);
      break;
    case PageCost::kTooManyListItems:
      why = QStringLiteral("plus de %1 éléments de liste").arg(limits.maxListItems);
      break;
    case PageCost::kWordTooLong:
      why = QStringLiteral("un mot de plus de %1 caractères").arg(limits.maxWord);
      break;
    case PageCost::kFits:
      break;
  }
  return QStringLiteral("La page %1 est trop complexe pour être affichée (%2).").arg(page, why);
}

// Stands for an image that is not shown: a small grey frame.
QImage MissingImage() {
  QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawRect(0, 0, 15, 15);
  return image;
}

}  // namespace

QVariant TopicBrowser::loadResource(int type, const QUrl& name) {
  // A page is asked for before the resources it names: their budget starts with it.
  if (type == QTextDocument::HtmlResource) imageBytesLeft_ = kMaxPageImageBytes;
  const QUrl url = name.isRelative() ? source().resolved(name) : name;
  const bool inside = url.scheme() == QLatin1String(kScheme);
  const QString shown = Quoted(inside ? url.path(QUrl::FullyDecoded) : url.toString());
  std::optional<std::string> bytes;
  // Nothing outside the help file is ever read: no network, no local files.
  if (inside) bytes = archive_->Read(url.path(QUrl::FullyDecoded).toStdString());
  switch (type) {
    case QTextDocument::HtmlResource: {
      if (!bytes)
        return PageText(QStringLiteral("La page %1 est absente du fichier d'aide.").arg(shown));
      if (bytes->size() > PageLimits().maxBytes)
        return PageText(CostText(PageCost::kTooLarge, shown));
      const QString text = DecodeHelpText(QByteArray::fromStdString(*bytes));
      const PageCost cost = MeasurePage(text);
      if (cost != PageCost::kFits) return PageText(CostText(cost, shown));
      return text;
    }
    case QTextDocument::StyleSheetResource:
      if (!bytes || bytes->size() > static_cast<std::size_t>(kMaxStyleSheetBytes)) return QString();
      return DecodeHelpText(QByteArray::fromStdString(*bytes));
    case QTextDocument::ImageResource:
      return bytes ? Image(QByteArray::fromStdString(*bytes)) : MissingImage();
    default:
      return bytes ? QByteArray::fromStdString(*bytes) : QByteArray("");
  }
}

// Decodes a picture whose size its header gives, within the page's budget.
QVariant TopicBrowser::Image(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // Raster formats only. Reading an SVG picture is reading a document that may name files
  // outside the help file, expand entities and repeat its shapes without bound; help pages have
  // no need of it. The format is told from the first bytes, before any reading.
  static const QList<QByteArray> kRaster = {"png", "jpeg", "jpg", "gif", "bmp"};
  if (!kRaster.contains(reader.format())) return MissingImage();
  const QSize size = reader.size();
  const qint64 decoded = qint64{size.width()} * size.height() * 4;
  if (!size.isValid() || size.isEmpty() || size.width() > kMaxImageSide ||
      size.height() > kMaxImageSide || decoded > imageBytesLeft_)
    return MissingImage();
  QImage image;
  if (!reader.read(&image)) return MissingImage();
  imageBytesLeft_ -= image.sizeInBytes();
  return image;
}

HelpWindow::HelpWindow(const QString& path) {
  // A help window stays independent of the program's windows and never keeps it running.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(780, 560);
  if (path.isEmpty()) {
    setWindowTitle(QStringLiteral("Aide"));
    ShowError(QStringLiteral("Aucun fichier d'aide n'a été indiqué."));
    return;
  }
  setWindowTitle(QStringLiteral("Aide - %1").arg(QFileInfo(path).fileName()));
  OpenResult result = OpenResult::kMalformed;
  archive_ = ChmArchive::Open(QFile::encodeName(path).toStdString(), result);
  if (!archive_) {
    ShowError(OpenFailureText(result, path));
    return;
  }
  ShowHelp(path);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::ShowError(const QString& text) {
  errorText_ = text;
  auto* panel = new QWidget(this);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(20, 20, 20, 16);
  auto* row = new QHBoxLayout;
  row->setSpacing(16);
  auto* icon = new QLabel(panel);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  auto* message = new QLabel(text, panel);
  message->setObjectName(QStringLiteral("helpError"));
  message->setWordWrap(true);
  message->setTextFormat(Qt::PlainText);
  message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  message->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  row->addWidget(icon);
  row->addWidget(message, 1);
  column->addLayout(row, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, panel);
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Fermer"));
  buttons->button(QDialogButtonBox::Close)->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
  column->addWidget(buttons);
  auto* escape = new QAction(this);
  escape->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(escape, &QAction::triggered, this, &QWidget::close);
  addAction(escape);
  setCentralWidget(panel);
  resize(540, 170);
  buttons->button(QDialogButtonBox::Close)->setFocus();
}

void HelpWindow::ShowHelp(const QString& path) {
  SystemInfo system;
  if (const auto bytes = archive_->Read("/#SYSTEM")) system = ParseSystemFile(*bytes);
  const std::vector<std::string> files = archive_->Files();

  const std::vector<TocEntry> toc = ReadSitemap(system.contentsFile, files, ".hhc");
  const std::vector<TocEntry> keywords = ReadSitemap(system.indexFile, files, ".hhk");

  // The first topic: the one the file names, else the first of its contents, else a usual
  // start page, else its first page.
  std::string first;
  auto consider = [this, &first](const std::string& link) {
    if (first.empty() && !TopicPath(link).empty() && archive_->Read(TopicPath(link))) first = link;
  };
  consider(system.defaultTopic);
  for (const TocEntry& e : toc) consider(e.local);
  for (const char* usual : {"/index.html", "/index.htm", "/default.html", "/default.htm"})
    consider(usual);
  for (const std::string& f : files)
    if (EndsWithNoCase(f, ".htm") || EndsWithNoCase(f, ".html")) consider(f);
  if (first.empty()) {
    ShowError(QStringLiteral("Le fichier d'aide %1 ne contient aucune page à afficher.")
                  .arg(Quoted(path)));
    return;
  }

  const QString title = DecodeHelpText(QByteArray::fromStdString(system.title)).trimmed();
  if (!title.isEmpty()) setWindowTitle(title);

  auto* splitter = new QSplitter(this);
  auto* tabs = new QTabWidget(splitter);
  contents_ = new QTreeWidget(tabs);
  contents_->setHeaderHidden(true);
  contents_->setAccessibleName(QStringLiteral("Sommaire"));
  AddEntries(toc, nullptr);
  contents_->expandToDepth(0);
  if (!toc.empty())
    tabs->addTab(contents_, QStringLiteral("&Sommaire"));
  else
    contents_->hide();
  if (!keywords.empty()) tabs->addTab(BuildIndex(keywords, tabs), QStringLiteral("&Index"));
  browser_ = new TopicBrowser(archive_, splitter);
  browser_->setAccessibleName(QStringLiteral("Rubrique"));
  splitter->addWidget(tabs);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({240, 540});
  setCentralWidget(splitter);
  if (tabs->count() == 0) tabs->hide();

  auto* bar = addToolBar(QStringLiteral("Navigation"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                 QStringLiteral("Précédent"), browser_, &QTextBrowser::backward);
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                    QStringLiteral("Suivant"), browser_, &QTextBrowser::forward);
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon),
                                 QStringLiteral("Accueil"), browser_, &QTextBrowser::home);
  home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

  connect(browser_, &QTextBrowser::highlighted, this, [this](const QUrl& url) {
    if (url.isEmpty() || url.scheme() == QLatin1String(kScheme) || url.isRelative())
      statusBar()->clearMessage();
    else
      statusBar()->showMessage(url.toString());
  });
  connect(browser_, &TopicBrowser::ExternalLinkRefused, this, [this](const QUrl& url) {
    statusBar()->showMessage(QStringLiteral("Lien externe non suivi : %1").arg(url.toString()),
                             8000);
  });
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SyncContents);
  connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item == nullptr) return;
    const QUrl url = item->data(0, Qt::UserRole).toUrl();
    if (url.isValid() && !url.path().isEmpty() && url != browser_->source())
      browser_->setSource(url, QTextDocument::HtmlResource);
  });

  statusBar();  // created now, so that the first message does not make the page jump
  if (sitemapsRefused_)
    statusBar()->showMessage(QStringLiteral(
        "Le sommaire ou l'index de ce fichier d'aide est trop volumineux pour être affiché."));
  browser_->setSource(TopicUrl(first), QTextDocument::HtmlResource);
  browser_->setFocus();
}

std::vector<TocEntry> HelpWindow::ReadSitemap(const std::string& named,
                                              const std::vector<std::string>& files,
                                              std::string_view extension) {
  std::string path = TopicPath(named);
  if (path.empty()) {
    for (const std::string& f : files)
      if (EndsWithNoCase(f, extension)) {
        path = f;
        break;
      }
  }
  if (path.empty()) return {};
  const std::optional<std::string> bytes = archive_->Read(path);
  if (!bytes) return {};
  if (bytes->size() > kMaxSitemapBytes) {
    sitemapsRefused_ = true;
    return {};
  }
  return ParseSitemap(DecodeHelpText(QByteArray::fromStdString(*bytes)).toStdString());
}

// The keyword list: every entry of the index file, nested ones included, in the file's order.
// Typing selects the first keyword that begins with the text; Enter or a double click shows it.
QWidget* HelpWindow::BuildIndex(const std::vector<TocEntry>& keywords, QWidget* parent) {
  auto* panel = new QWidget(parent);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* search = new QLineEdit(panel);
  search->setPlaceholderText(QStringLiteral("Mot clé à rechercher"));
  search->setClearButtonEnabled(true);
  auto* list = new QListWidget(panel);
  list->setObjectName(QStringLiteral("helpIndex"));
  list->setAccessibleName(QStringLiteral("Index"));
  layout->addWidget(search);
  layout->addWidget(list, 1);

  std::vector<const TocEntry*> flat;
  auto addAll = [&flat](const std::vector<TocEntry>& level, auto& self) -> void {
    for (const TocEntry& e : level) {
      flat.push_back(&e);
      self(e.children, self);
    }
  };
  addAll(keywords, addAll);
  for (const TocEntry* e : flat) {
    if (e->local.empty()) continue;
    auto* item = new QListWidgetItem(QString::fromUtf8(e->name).simplified(), list);
    item->setData(Qt::UserRole, TopicUrl(e->local));
  }

  auto show = [this](QListWidgetItem* item) {
    if (item != nullptr)
      browser_->setSource(item->data(Qt::UserRole).toUrl(), QTextDocument::HtmlResource);
  };
  connect(search, &QLineEdit::textChanged, list, [list](const QString& text) {
    if (text.isEmpty()) return;
    for (int i = 0; i < list->count(); ++i) {
      if (list->item(i)->text().startsWith(text, Qt::CaseInsensitive)) {
        list->setCurrentRow(i);
        list->scrollToItem(list->item(i), QAbstractItemView::PositionAtTop);
        return;
      }
    }
  });
  connect(search, &QLineEdit::returnPressed, list, [list, show] { show(list->currentItem()); });
  connect(list, &QListWidget::itemActivated, this, show);
  return panel;
}

void HelpWindow::AddEntries(const std::vector<TocEntry>& entries, QTreeWidgetItem* parent) {
  for (const TocEntry& e : entries) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
    item->setText(0, QString::fromUtf8(e.name).simplified());
    if (!e.local.empty()) {
      const QUrl url = TopicUrl(e.local);
      item->setData(0, Qt::UserRole, url);
      if (!itemsByTopic_.contains(url.toString())) itemsByTopic_.insert(url.toString(), item);
    }
    AddEntries(e.children, item);
  }
}

void HelpWindow::SyncContents(const QUrl& url) {
  QTreeWidgetItem* item = itemsByTopic_.value(url.toString());
  if (item == nullptr) item = itemsByTopic_.value(url.adjusted(QUrl::RemoveFragment).toString());
  if (item == nullptr || item == contents_->currentItem()) return;
  const QSignalBlocker quiet(contents_);
  contents_->setCurrentItem(item);
}

}  // namespace dorvane::helpviewer
