#include <gtest/gtest.h>

#include "forms/AboutTexts.h"
#include "text/Utf8.h"

namespace dorvane {
namespace {

TEST(AboutTexts, MakerNoticeHasThirtyCharacters) {
  EXPECT_EQ(CodePointCount(kMakerNotice), 30u);
}

}  // namespace
}  // namespace dorvane
