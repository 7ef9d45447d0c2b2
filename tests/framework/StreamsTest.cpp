#include <gtest/gtest.h>

#include "framework/Streams.h"

// A memory stream grows on writes past its end and reads back what was written.
TEST(Streams, MemoryStreamReadWriteSeek) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  m.Seek(-2, TSeekOrigin::soEnd);
  m.WriteBuffer("LOWORLD", 7);
  EXPECT_EQ(m.Size(), 10);
  m.SetPosition(0);
  char buf[11] = {};
  m.ReadBuffer(buf, 10);
  EXPECT_STREQ(buf, "helLOWORLD");
  EXPECT_EQ(m.Read(buf, 1), 0u);
  EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
}

// A read-only view cannot be written or sought past its end; short reads say so.
TEST(Streams, ReadOnlyViewStaysInBounds) {
  const char data[] = "abc";
  TReadOnlyMemoryStream s(data, 3);
  EXPECT_EQ(s.Seek(10, TSeekOrigin::soBeginning), 3);
  EXPECT_EQ(s.Seek(-10, TSeekOrigin::soCurrent), 0);
  EXPECT_THROW(s.WriteBuffer("x", 1), EWriteError);
  try {
    s.WriteBuffer("x", 1);
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), L"Stream write error");
  }
  TMemoryStream copy;
  copy.CopyFrom(s, 0);
  EXPECT_EQ(copy.Bytes(), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

// Room made ahead of writing changes neither the size nor what is read back.
TEST(Streams, ExpectWriteKeepsContent) {
  TMemoryStream m;
  m.WriteBuffer("ab", 2);
  m.ExpectWrite(1 << 20);
  EXPECT_EQ(m.Size(), 2);
  EXPECT_GE(m.Bytes().capacity(), std::size_t(1 << 20));
  m.WriteBuffer("cd", 2);
  EXPECT_EQ(m.Bytes(), (std::vector<std::uint8_t>{'a', 'b', 'c', 'd'}));
  m.ExpectWrite(-5);  // nonsense hints are ignored
  EXPECT_EQ(m.Size(), 4);
}
