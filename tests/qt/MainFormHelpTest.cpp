// The main window's help command and destruction, through the help binding on a fake viewer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "QtTestApp.h"
#include "qt/MainWindow.h"
#include "help/hh.h"
#include "platform/Registry.h"

namespace dorvane {
namespace {

struct ViewerCall {
  void* owner;
  std::string file;
  unsigned int command;
};
std::vector<ViewerCall> g_viewerCalls;

void* RecordingViewer(void* owner, const char* file, unsigned int command, std::uintptr_t) {
  g_viewerCalls.push_back({owner, file != nullptr ? file : "(null)", command});
  return nullptr;
}

class MainFormHelpTest : public ::testing::Test {
 protected:
  MainFormHelpTest() {
    testing::TestApp();
    g_viewerCalls.clear();
    fake_.process.moduleFileName = "/opt/dorvane/bin/dorvane";
    fake_.registry.keys[std::string(platform::kHtmlHelpViewerKey)] = "/opt/dorvane/lib/viewer.so";
    fake_.files.files["/opt/dorvane/lib/viewer.so"] = "";
    fake_.libraries.libraries["/opt/dorvane/lib/viewer.so"] = {
        {"HtmlHelpA", reinterpret_cast<void*>(&RecordingViewer)}};
  }
  ~MainFormHelpTest() override { UnloadHelpViewer(); }

  testing::FakePlatform fake_;
};

TEST_F(MainFormHelpTest, HelpOpensTheHelpFileAndDestructionClosesEveryHelpWindow) {
  LoadHelpViewer();
  auto form1 = std::make_unique<TForm1>();
  form1->tlbtnAide->click();
  form1->Rubriquesdelaide1->trigger();
  ASSERT_EQ(g_viewerCalls.size(), 2u);
  for (const ViewerCall& call : g_viewerCalls) {
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.file, "/opt/dorvane/bin/Dorvane.chm");
    EXPECT_EQ(call.command, 0u);
  }
  form1.reset();
  ASSERT_EQ(g_viewerCalls.size(), 3u);
  EXPECT_EQ(g_viewerCalls[2].file, "(null)");
  EXPECT_EQ(g_viewerCalls[2].command, 18u);
}

TEST_F(MainFormHelpTest, WithoutViewerDestructionCallsNothing) {
  auto form1 = std::make_unique<TForm1>();
  form1.reset();
  EXPECT_TRUE(g_viewerCalls.empty());
}

}  // namespace
}  // namespace dorvane
