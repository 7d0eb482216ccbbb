// A help window: the contents of a compiled help file beside its topic pane, or, when the file
// cannot be shown, the reason in plain French.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QTextBrowser>
#include <memory>

#include "ChmArchive.h"
#include "HelpContents.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace dorvane::helpviewer {

// The topic pane. It serves every page, style sheet and image from the help file itself and
// nothing from anywhere else: links that leave the file are reported, never followed, and
// whatever a page asks for that is not in the file, or costs more than a help page may, gets
// a placeholder, so that Qt neither looks for it elsewhere nor asks again. It shares the
// archive, which therefore outlives it, however the window is torn down.
class TopicBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  TopicBrowser(std::shared_ptr<const ChmArchive> archive, QWidget* parent);
  QVariant loadResource(int type, const QUrl& name) override;

  // What one page may cost beyond its text (see PageLimits for the text).
  static constexpr int kMaxImageSide = 4096;                      // pixels, either way
  static constexpr qint64 kMaxPageImageBytes = qint64{64} << 20;  // decoded, all images of a page
  static constexpr qsizetype kMaxStyleSheetBytes = 256 << 10;

 signals:
  void ExternalLinkRefused(const QUrl& url);

 private:
  void FollowLink(const QUrl& url);
  QVariant Image(const QByteArray& bytes);
  std::shared_ptr<const ChmArchive> archive_;
  qint64 imageBytesLeft_ = kMaxPageImageBytes;
};

class HelpWindow : public QMainWindow {
  Q_OBJECT
 public:
  // The contents and the index each become a tree or list widget of one item per entry: the
  // program's own are 3 KiB; beyond this, a file's would hold the window for seconds.
  static constexpr std::size_t kMaxSitemapBytes = 512u << 10;

  // Opens the file at path; never fails: a file that cannot be shown gives the message window.
  explicit HelpWindow(const QString& path);
  ~HelpWindow() override;

  // The French text shown instead of the file, empty when the file is shown.
  QString ErrorText() const { return errorText_; }

 private:
  void ShowError(const QString& text);
  void ShowHelp(const QString& path);
  // The sitemap the system file names, else the first file with that extension; empty when
  // there is none, it cannot be read or it is larger than kMaxSitemapBytes.
  std::vector<TocEntry> ReadSitemap(const std::string& named, const std::vector<std::string>& files,
                                    std::string_view extension);
  QWidget* BuildIndex(const std::vector<TocEntry>& keywords, QWidget* parent);
  void AddEntries(const std::vector<TocEntry>& entries, QTreeWidgetItem* parent);
  void SyncContents(const QUrl& url);

  std::shared_ptr<const ChmArchive> archive_;
  TopicBrowser* browser_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QHash<QString, QTreeWidgetItem*> itemsByTopic_;
  QString errorText_;
  bool sitemapsRefused_ = false;
};

// The URL under which a topic of the open file is shown ("chm:/dir/page.html").
QUrl TopicUrl(const std::string& link);

// Help files are written in UTF-8 or, for older ones, in Windows-1252.
QString DecodeHelpText(const QByteArray& bytes);

}  // namespace dorvane::helpviewer
