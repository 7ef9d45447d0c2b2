#include <gtest/gtest.h>

#include "framework/Exception.h"
#include "framework/StringList.h"
#include "framework/Utf.h"

// The error box adds a full stop only after characters whose code is above that of ".".
TEST(ErrorBoxText, FullStopRule) {
  EXPECT_EQ(ErrorBoxText(L"Resource bass not found"), L"Resource bass not found.");
  EXPECT_EQ(ErrorBoxText(L"Done."), L"Done.");
  EXPECT_EQ(ErrorBoxText(L"Oops!"), L"Oops!");
  EXPECT_EQ(ErrorBoxText(L"(x)"), L"(x)");
  EXPECT_EQ(ErrorBoxText(L"Why?"), L"Why?.");
  EXPECT_EQ(ErrorBoxText(L"code 5"), L"code 5.");
  EXPECT_EQ(ErrorBoxText(L"a-"), L"a-");
  EXPECT_EQ(ErrorBoxText(L"a/"), L"a/.");
  EXPECT_EQ(ErrorBoxText(L""), L"");
  EXPECT_EQ(ErrorBoxText(L"Файл"), L"Файл.");
}

// Format fills %s in order and keeps %% as one percent sign.
TEST(Format, FillsInOrder) {
  EXPECT_EQ(Format(L"Cannot create file \"%s\". %s", {L"C:\\a b", L"Access denied"}), L"Cannot create file \"C:\\a b\". Access denied");
  EXPECT_EQ(Format(L"100%% %s", {L"x"}), L"100% x");
  EXPECT_EQ(Format(L"%s and %s", {L"one"}), L"one and ");
}

// The message of any exception reaches the box: ours in UTF-16, others read as UTF-8.
TEST(ExceptionMessage, OfEveryKind) {
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(Exception(L"Путь"))), L"Путь");
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(std::runtime_error("\xD0\x9F"))), L"П");
  EXPECT_EQ(ExceptionMessage(std::make_exception_ptr(42)), L"Unknown error");
}

// UTF-8 round trips, including characters outside the basic plane; bad bytes become U+FFFD.
TEST(Utf, RoundTripAndReplacement) {
  const std::string s = "Добро \xF0\x9F\x98\x80 ok";
  EXPECT_EQ(WideToUtf8(Utf8ToWide(s)), s);
  EXPECT_EQ(Utf8ToWide("a\xFF" "b"), L"a\xFFFD" L"b");
  EXPECT_EQ(Utf8ToWide("\xE0\x80\x80"), L"\xFFFD\xFFFD\xFFFD");  // overlong
  EXPECT_EQ(Utf8ToWide("\xD0"), L"\xFFFD");                       // cut short
}

// Lines split at every kind of line end; the text form ends each line with CR LF.
TEST(StringList, TextConversions) {
  TStringList l;
  l.SetText(L"a\r\nb\nc\rd\r\n");
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l[3], L"d");
  EXPECT_EQ(l.Text(), L"a\r\nb\r\nc\r\nd\r\n");
  l.SetText(L"\r\n\r\n");
  EXPECT_EQ(l.Count(), 2);
  EXPECT_EQ(l.IndexOf(L""), 0);
  EXPECT_EQ(l.IndexOf(L"x"), -1);
}
