// The help viewer plugin as the program uses it: loaded by path with dlopen and driven through
// its exported entries, inside the test's QApplication.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "ChmWriter.h"
#include "HostileChm.h"
#include "HtmlHelp.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

using dorvane::helpviewer::HtmlHelpAFunction;
using dorvane::helpviewer::HtmlHelpWFunction;
using dorvane::testing::TempDir;

class HelpPlugin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    library_ = dlopen(DORVANE_HHCTRL, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    ansi_ = reinterpret_cast<HtmlHelpAFunction>(dlsym(library_, "HtmlHelpA"));
    wide_ = reinterpret_cast<HtmlHelpWFunction>(dlsym(library_, "HtmlHelpW"));
  }
  static void TearDownTestSuite() {
    if (ansi_ != nullptr) ansi_(nullptr, nullptr, 18, 0);
    if (library_ != nullptr) dlclose(library_);
    // As at the program's end: events still pending after the unload must not reach code of
    // the plugin, which is gone.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  void SetUp() override {
    ASSERT_NE(ansi_, nullptr);
    ASSERT_NE(wide_, nullptr);
  }
  void TearDown() override { ansi_(nullptr, nullptr, 18, 0); }

  static QMainWindow* Display(const std::string& file) {
    return static_cast<QMainWindow*>(ansi_(nullptr, file.c_str(), 0, 0));
  }

  static std::vector<QWidget*> VisibleHelpWindows() {
    std::vector<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && qobject_cast<QMainWindow*>(w) != nullptr) found.push_back(w);
    return found;
  }

  static QString ErrorText(QWidget* window) {
    const auto* label = window->findChild<QLabel*>(QStringLiteral("helpError"));
    return label != nullptr ? label->text() : QString();
  }

  static void* library_;
  static HtmlHelpAFunction ansi_;
  static HtmlHelpWFunction wide_;
};

void* HelpPlugin::library_ = nullptr;
HtmlHelpAFunction HelpPlugin::ansi_ = nullptr;
HtmlHelpWFunction HelpPlugin::wide_ = nullptr;

TEST_F(HelpPlugin, OnlyDisplayOpensWindowsOnePerCallAndCloseAllClosesThemAll) {
  std::vector<QPointer<QWidget>> opened;
  for (int i = 0; i < 3; ++i) {
    QMainWindow* w = Display(DORVANE_HELP_FILE);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->parentWidget(), nullptr) << "independent of any other window";
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Aide de Dorvane"));
    EXPECT_FALSE(w->testAttribute(Qt::WA_QuitOnClose));
    opened.emplace_back(w);
  }
  const std::u16string widePath = QStringLiteral(DORVANE_HELP_FILE).toStdU16String();
  auto* wide = static_cast<QWidget*>(wide_(nullptr, widePath.c_str(), 0, 0));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->windowTitle(), QStringLiteral("Aide de Dorvane"));
  opened.emplace_back(wide);
  EXPECT_EQ(VisibleHelpWindows().size(), 4u);

  // One closed by the user goes at the next call; close-all takes the others.
  opened[0]->close();
  opened.emplace_back(Display(DORVANE_HELP_FILE));
  EXPECT_TRUE(opened[0].isNull());
  EXPECT_EQ(VisibleHelpWindows().size(), 4u);
  EXPECT_EQ(ansi_(nullptr, nullptr, 18, 0), nullptr);
  for (const QPointer<QWidget>& w : opened) EXPECT_TRUE(w.isNull());

  // Other commands return null and open nothing.
  for (unsigned int command : {1u, 2u, 15u, 17u, 19u, 0xFFFFFFFFu}) {
    EXPECT_EQ(ansi_(nullptr, DORVANE_HELP_FILE, command, 0), nullptr) << command;
    EXPECT_EQ(wide_(nullptr, u"/nowhere.chm", command, 0), nullptr) << command;
  }
  EXPECT_TRUE(VisibleHelpWindows().empty());
}

TEST_F(HelpPlugin, FilesThatCannotBeShownGiveAWindowWithTheReasonInFrench) {
  TempDir dir;
  const struct {
    const char* what;
    std::string path;
    const char* expected;
  } cases[] = {
      {"missing", (fs::path(dir.Path()) / "absent.chm").string(), "est introuvable"},
      {"a folder", fs::path(dir.Path()).string(), "n'est pas un fichier d'aide : c'est un dossier"},
      // Damaged files of every kind are refused by the reader; one stands for them here.
      {"text", dir.Write("texte.chm", "Bonjour, ceci n'est pas une aide."),
       "n'est pas un fichier d'aide valide"},
  };
  const std::string missing = cases[0].path;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QMainWindow* w = Display(c.path);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(ErrorText(w).contains(QString::fromUtf8(c.expected))) << ErrorText(w).toStdString();
    EXPECT_TRUE(ErrorText(w).contains(QString::fromStdString(c.path)));
    EXPECT_EQ(w->findChild<QTextBrowser*>(), nullptr);
  }
  // The message window closes with its button or Escape; the next call then destroys it.
  QPointer<QWidget> last = Display(missing);
  auto* close = last->findChild<QPushButton*>();
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), QStringLiteral("&Fermer"));
  EXPECT_TRUE(close->hasFocus() || !last->isActiveWindow());
  close->click();
  EXPECT_FALSE(last->isVisible());
  QPointer<QWidget> again = Display(missing);
  bool escapeCloses = false;
  for (QAction* a : again->actions())
    if (a->shortcut() == QKeySequence(Qt::Key_Escape)) {
      a->trigger();
      escapeCloses = !again->isVisible();
    }
  EXPECT_TRUE(escapeCloses);

  QMainWindow* noFile = static_cast<QMainWindow*>(ansi_(nullptr, nullptr, 0, 0));
  EXPECT_TRUE(last.isNull());
  ASSERT_NE(noFile, nullptr);
  EXPECT_EQ(ErrorText(noFile), QStringLiteral("Aucun fichier d'aide n'a été indiqué."));
}

// Counts the pixels of the image within a small distance of the colour.
int PixelsNear(const QImage& image, QColor colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
              std::abs(c.blue() - colour.blue()) <
          24)
        ++n;
    }
  return n;
}

// The picture a page shows for `name`.
QImage ImageShown(QTextBrowser* browser, const char* name) {
  const QUrl url(QString::fromUtf8(name));
  return browser->document()->resource(QTextDocument::ImageResource, url).value<QImage>();
}

TEST_F(HelpPlugin, ProgramHelpOpensOnItsDefaultTopicWithContentsStylesAndImages) {
  QMainWindow* w = Display(DORVANE_HELP_FILE);
  ASSERT_NE(w, nullptr);
  auto* browser = w->findChild<QTextBrowser*>();
  auto* tree = w->findChild<QTreeWidget*>();
  ASSERT_NE(browser, nullptr);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/index.html")));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Bienvenue dans Dorvane")));

  ASSERT_EQ(tree->topLevelItemCount(), 7);
  EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("La fenêtre principale"));
  EXPECT_EQ(tree->topLevelItem(1)->childCount(), 5);

  const QImage shot = w->grab().toImage();
  EXPECT_GT(PixelsNear(shot, QColor(0x80, 0x00, 0x80)), 50)
      << "the title's colour comes from style.css";
  EXPECT_GT(PixelsNear(shot, QColor(20, 30, 120)), 100) << "the page's picture is drawn";

  // Choosing an entry of the contents shows its topic.
  tree->setCurrentItem(tree->topLevelItem(4));
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/lune.html")));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Comment l'âge est compté")));

  // The keyword index: typing selects the first keyword that begins with the text, Enter shows it.
  auto* index = w->findChild<QListWidget*>(QStringLiteral("helpIndex"));
  auto* search = w->findChild<QLineEdit*>();
  ASSERT_NE(index, nullptr);
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(index->item(0)->text(), QStringLiteral("Afficher"));
  search->setText(QStringLiteral("mém"));
  ASSERT_NE(index->currentItem(), nullptr);
  EXPECT_EQ(index->currentItem()->text(), QStringLiteral("Mémoire"));
  emit search->returnPressed();
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/apropos.html")));
  EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("La boîte « A propos »"))
      << "the contents follow";
}

TEST_F(HelpPlugin, InternalLinksAreFollowedAndExternalOnesOnlyShown) {
  TempDir dir;
  std::vector<dorvane::chmpack::ChmEntry> files = {
      {"/a.html", "<html><body><p>Page A</p><a href=\"sub/b.html#fin\">B</a></body></html>"},
      {"/sub/b.html",
       "<html><body><p>Page B</p><a href=\"../a.html\">A</a><a name=\"fin\"></a></body></html>"},
      {"/c.html", "<html><body><p>Page C</p></body></html>"},
      {"/toc.hhc",
       "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"A\">"
       "<param name=\"Local\" value=\"a.html\"></object></ul>"},
  };
  files.push_back(
      {"/#SYSTEM", dorvane::chmpack::BuildSystemFile({"Essai", "a.html", "toc.hhc", "", 0x040C})});
  const std::string path = dir.Write("essai.chm", dorvane::chmpack::BuildChm(files, 0x040C));

  QMainWindow* w = Display(path);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Essai"));
  auto* browser = w->findChild<QTextBrowser*>();
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Page A")));

  emit browser->anchorClicked(QUrl(QStringLiteral("sub/b.html#fin")));
  EXPECT_EQ(browser->source(), QUrl(QStringLiteral("chm:/sub/b.html#fin")));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Page B")));

  emit browser->anchorClicked(QUrl(QStringLiteral("ms-its:essai.chm::/c.html")));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Page C")));

  const QUrl outside(QStringLiteral("https://example.com/page"));
  emit browser->anchorClicked(outside);
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Page C"))) << "the page stays";
  EXPECT_EQ(w->statusBar()->currentMessage(),
            QStringLiteral("Lien externe non suivi : https://example.com/page"));

  emit browser->anchorClicked(QUrl(QStringLiteral("absente.html")));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("absente du fichier d'aide")));
}

// A page asks for pictures and a style sheet outside the help file in every way a page can:
// a file URL, an absolute path, a path climbing out, a name beside the working directory, a
// device that never ends and a pipe that never answers. None is read (a read of the pipe
// would block, one of /dev/zero would not end): each gets a placeholder, and the red picture
// lying beside the help file never appears.
TEST_F(HelpPlugin, PagesShowNothingFromOutsideTheHelpFile) {
  TempDir dir;
  QImage red(60, 60, QImage::Format_RGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(QString::fromStdString(dir / "rouge.png")));
  dir.Write("rouge.css", "body { background: red; }");
  ASSERT_EQ(::mkfifo((dir / "tube.png").c_str(), 0600), 0);
  const std::string d = dir.Path();
  std::string page = "<html><head><link rel=\"stylesheet\" href=\"file://" + d +
                     "/rouge.css\"></head><body><p>Page sage</p>";
  for (const std::string& src :
       {"file://" + d + "/rouge.png", d + "/rouge.png", "../../../../../../.." + d + "/rouge.png",
        std::string("rouge.png"), std::string("file:///dev/zero"), "file://" + d + "/tube.png",
        std::string("absente.png")})
    page += "<img src=\"" + src + "\">";
  const std::string path =
      dir.Write("aide/page.chm", dorvane::chmpack::BuildChm({{"/index.html", page}}, 0x040C));
  const std::string previous = std::filesystem::current_path();
  std::filesystem::current_path(d);
  QMainWindow* w = Display(path);
  std::filesystem::current_path(previous);
  ASSERT_NE(w, nullptr);
  auto* browser = w->findChild<QTextBrowser*>();
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("Page sage")));
  EXPECT_EQ(PixelsNear(w->grab().toImage(), QColor(Qt::red)), 0);
}

// Pages that would hold the GUI thread for minutes, or its memory, are not laid out: the
// French error page stands in their place. A picture too large to decode gets a placeholder.
TEST_F(HelpPlugin, PagesBeyondWhatAHelpPageMayCostShowTheErrorPage) {
  std::string tables, divs;
  for (int i = 0; i < 1000; ++i) tables += "<table><tr><td>";
  for (int i = 0; i < 20000; ++i) divs += "<div>";
  QImage huge(5000, 5000, QImage::Format_Mono);
  huge.fill(0);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(huge.save(&buffer, "PNG"));
  TempDir dir;
  const std::string path = dir.Write(
      "limites.chm",
      dorvane::chmpack::BuildChm({{"/index.html", "<p>Accueil</p><img src=\"enorme.png\">"},
                                  {"/tableaux.html", tables},
                                  {"/blocs.html", divs},
                                  {"/mot.html", std::string(20u << 20, 'a')},
                                  {"/enorme.png", png.toStdString()}},
                                 0x040C));
  QMainWindow* w = Display(path);
  ASSERT_NE(w, nullptr);
  auto* browser = w->findChild<QTextBrowser*>();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(ImageShown(browser, "enorme.png").size(), QSize(16, 16))
      << "the placeholder, not 100 MB of pixels";
  const struct {
    const char* page;
    const char* expected;
  } cases[] = {
      {"tableaux.html",
       "La page « /tableaux.html » est trop complexe pour être affichée (plus de 6 tableaux "
       "imbriqués)."},
      {"blocs.html",
       "La page « /blocs.html » est trop complexe pour être affichée (plus de 4000 balises)."},
      {"mot.html",
       "La page « /mot.html » est trop volumineuse pour être affichée (plus de 256 Ko)."},
  };
  for (const auto& c : cases) {
    emit browser->anchorClicked(QUrl(QString::fromUtf8(c.page)));
    EXPECT_EQ(browser->toPlainText().toStdString(), c.expected)
        << "toPlainText gives the no-break blanks as blanks";
  }
}

// The hostile set as the program meets it: each file gives its page, or the French refusal in
// its place, and nothing outside the help file is opened (the system reports every opening of
// the file the pictures name). SVG pictures are not read at all.
TEST_F(HelpPlugin, HostileFilesShowTheirPageOrTheRefusalAndOpenNothingOutside) {
  TempDir dir;
  const std::string outside = dir.Write("secret.png", "secret");
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, outside.c_str(), IN_OPEN | IN_ACCESS), 0);
  for (const auto& hostile : dorvane::testing::HostileChms(outside)) {
    SCOPED_TRACE(hostile.name);
    QMainWindow* w = Display(dir.Write(hostile.name + ".chm", hostile.bytes));
    ASSERT_NE(w, nullptr);
    w->grab();  // laid out and painted, pictures included
    auto* browser = w->findChild<QTextBrowser*>();
    if (browser == nullptr) {
      EXPECT_TRUE(ErrorText(w).contains(
          hostile.name == "bomb-32MiB"
              ? QStringLiteral(
                    "occuperait plus de 4 Mo une fois décompressé : il n'est pas ouvert.")
              : QStringLiteral("ne contient aucune page à afficher.")))
          << ErrorText(w).toStdString();
      continue;
    }
    const QString text = browser->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Accueil")) ||
                text == QString(QChar::ObjectReplacementCharacter) ||
                text.contains(QStringLiteral("trop complexe pour être affichée")) ||
                text.contains(QStringLiteral("est absente du fichier d'aide")))
        << text.left(200).toStdString();
    if (hostile.name == "index-of-8000-keywords") {
      EXPECT_EQ(w->findChild<QListWidget*>(QStringLiteral("helpIndex")), nullptr);
      EXPECT_TRUE(w->statusBar()->currentMessage().contains(QStringLiteral("trop volumineux")));
    }
    if (hostile.name.rfind("svg-", 0) == 0) {
      EXPECT_EQ(ImageShown(browser, "a.svg").size(), QSize(16, 16)) << "the placeholder";
    }
  }
  char event[sizeof(inotify_event) + 256];
  EXPECT_LT(::read(watch, event, sizeof event), 0) << "the file outside was opened";
  ::close(watch);
}

// Closing all help windows while one is active, on a page whose picture is missing: the page
// is laid out again during the teardown and asks for the picture, which must not reach a
// closed help file (the sanitizer build reports any such read).
TEST_F(HelpPlugin, CloseAllWhileAWindowIsActiveReadsNothingFreed) {
  TempDir dir;
  const std::string path = dir.Write(
      "image.chm", dorvane::chmpack::BuildChm(
                       {{"/index.html", "<p>Image :</p><img src=\"missing.png\">"}}, 0x040C));
  QPointer<QMainWindow> w = Display(path);
  ASSERT_FALSE(w.isNull());
  QApplication::setActiveWindow(w);
  w->activateWindow();
  QCoreApplication::processEvents();
  ansi_(nullptr, nullptr, 18, 0);
  EXPECT_TRUE(w.isNull());
}

}  // namespace
