// The About component and dialog, through fakes of their views.
#include <gtest/gtest.h>

#include <exception>
#include <string>

#include "FakeViews.h"
#include "dates/DateLocale.h"
#include "forms/About.h"
#include "forms/AboutTexts.h"
#include "platform/MemoryStatus.h"
#include "platform/Services.h"

namespace dorvane {
namespace {

using platform::MemoryFigures;
using testing::FakeAboutView;
using testing::FakeMainView;

template <class Failure>
class FailingMemoryStatus final : public platform::MemoryStatus {
 public:
  MemoryFigures Query() const override { throw Failure(); }
};

class AboutFormTest : public ::testing::Test {
 protected:
  platform::FixedMemoryStatus memory_{MemoryFigures{268435456, 63}};
  platform::ServicesScope services_{{.memory = &memory_}};
  FakeMainView owner_;
};

TEST_F(AboutFormTest, BoxTextsStartWithTheNoticeAndKeepAHundredCharacters) {
  TAboutBox box(owner_);
  EXPECT_EQ(box.Copyright(), kMakerNotice);

  std::string accented;
  for (int i = 0; i < 150; ++i) accented += "é";
  box.SetProductName(std::string(150, 'v'));
  box.SetVersion(accented);
  box.SetCopyright("© " + std::string(98, 'x') + "😀 la suite");
  EXPECT_EQ(box.ProductName(), std::string(100, 'v'));
  EXPECT_EQ(box.Version(), accented.substr(0, 200));  // 100 two-byte characters
  EXPECT_EQ(box.Copyright(), "© " + std::string(98, 'x'));
}

TEST_F(AboutFormTest, EachExecuteShowsANewDialogFilledWithFiguresOfItsOwnMoment) {
  TAboutBox box(owner_);
  box.SetProductName("Dorvane");
  box.SetVersion(std::string(100, 'a') + std::string(50, 'b'));
  box.Execute();
  memory_.Set(MemoryFigures{24ull << 30, 10});
  box.Execute();
  ASSERT_EQ(owner_.aboutShowings.size(), 2u);
  EXPECT_EQ(owner_.aboutDialogsAlive, 0) << "a dialog outlived its showing";
  EXPECT_EQ(owner_.beeps, 0);

  const testing::AboutShowing& first = owner_.aboutShowings[0];
  EXPECT_EQ(first.texts.at("Label1"), "Dorvane");
  EXPECT_EQ(first.texts.at("Label2"), std::string(100, 'a'));
  EXPECT_EQ(first.texts.at("Label3"), kMakerNotice);
  EXPECT_EQ(first.texts.at("lblPhysMem"), "Mémoire physique totale : 262,144 Ko");
  EXPECT_EQ(first.texts.at("lblPhysRes"), "Ressources système      : 37% libre.");
  EXPECT_EQ(first.icon, "FImage");
  EXPECT_EQ(first.beepsAtShow, 1);  // each dialog beeps once, as it is created

  const testing::AboutShowing& second = owner_.aboutShowings[1];
  EXPECT_EQ(second.texts.at("lblPhysMem"), "Mémoire physique totale : 25,165,824 Ko");
  EXPECT_EQ(second.texts.at("lblPhysRes"), "Ressources système      : 90% libre.");
  EXPECT_EQ(second.beepsAtShow, 1);
}

TEST_F(AboutFormTest, TheUsersThousandsSeparatorGroupsTheTotal) {
  DateLocale french;
  french.ThousandSep = "\u202F";
  const platform::ServicesScope services({.locale = &french});
  FakeAboutView view;
  TFAbout form(view);
  form.FormCreate();
  EXPECT_EQ(view.texts["lblPhysMem"], "Mémoire physique totale : 262\u202F144 Ko");
}

// A failure while the dialog is created beeps and shows nothing; one that is no std::exception
// passes on, without the beep.
TEST_F(AboutFormTest, FailureWhileCreatingBeepsAndShowsNothing) {
  FailingMemoryStatus<std::exception> failing;
  const platform::ServicesScope failingMemory({.memory = &failing});
  TAboutBox box(owner_);
  EXPECT_NO_THROW(box.Execute());
  EXPECT_TRUE(owner_.aboutShowings.empty());
  EXPECT_EQ(owner_.aboutDialogsAlive, 0);
  // The dialog beeps as it is created, before it reads the memory; Execute beeps for the
  // failure.
  EXPECT_EQ(owner_.aboutBeeps, 1);
  EXPECT_EQ(owner_.beeps, 1);

  FailingMemoryStatus<int> foreign;  // no std::exception
  const platform::ServicesScope foreignMemory({.memory = &foreign});
  EXPECT_THROW(box.Execute(), int);
  EXPECT_EQ(owner_.beeps, 1);
  EXPECT_EQ(owner_.aboutDialogsAlive, 0);
}

}  // namespace
}  // namespace dorvane
