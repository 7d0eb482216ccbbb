// The reference of the start-up benchmark: the least a Qt Widgets program does to show a
// window of Dorvane's size with a menu bar, a tool bar and a status bar, and save it as a PNG.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QWidget>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QMainWindow window;
  window.menuBar()->addMenu(QStringLiteral("&Fichier"));
  window.menuBar()->addMenu(QStringLiteral("&Aide"));
  window.addToolBar(QStringLiteral("Outils"));
  window.statusBar();
  auto* central = new QWidget(&window);
  central->setFixedSize(329, 317 - 26 - 19);
  window.setCentralWidget(central);
  window.show();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
