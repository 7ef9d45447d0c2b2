// The version text of a program whose version resource is missing (one test program) or empty
// (another): no text and no error.
#include <gtest/gtest.h>

#include "setup/Unit1.h"

TEST(VersionResource, MissingOrEmptyGivesNoText) {
  HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_VERSION);
#ifdef PRISMATONE_EMPTY_VERSION
  ASSERT_NE(res, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, res), 0u);
#else
  ASSERT_EQ(res, nullptr);
#endif
  EXPECT_EQ(GetVersionText(), L"");
}
