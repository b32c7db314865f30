#include "toolkit/rtl/Classes.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryStream, ReadWriteSeekAndSize) {
  TMemoryStream m;
  m.WriteBuffer("abcdef", 6);
  EXPECT_EQ(m.Size(), 6);
  EXPECT_EQ(m.Position(), 6);
  EXPECT_EQ(m.Seek(-2, soEnd), 4);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 2);
  EXPECT_STREQ(buf, "ef");
  EXPECT_EQ(m.Read(buf, 8), 0);
  m.SetPosition(2);
  m.WriteBuffer("XYZWV", 5);  // grows past the end
  EXPECT_EQ(m.Size(), 7);
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 3);
  EXPECT_EQ(std::string(static_cast<const char*>(m.Memory()), 3), "abX");
  EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
  m.SetPosition(0);
  EXPECT_THROW(m.ReadBuffer(buf, 4), EReadError);
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Position(), 0);
}

TEST(MemoryStream, CopiesFromAndToOtherStreams) {
  TStringStream source("0123456789");
  TMemoryStream m;
  m.LoadFromStream(&source);
  EXPECT_EQ(m.Size(), 10);
  EXPECT_EQ(m.Position(), 0);
  TStringStream target;
  m.SaveToStream(&target);
  EXPECT_EQ(target.DataString(), "0123456789");
  source.SetPosition(3);
  TMemoryStream part;
  EXPECT_EQ(part.CopyFrom(&source, 4), 4);
  EXPECT_EQ(std::string(static_cast<const char*>(part.Memory()), 4), "3456");
  TMemoryStream all;
  EXPECT_EQ(all.CopyFrom(&source, 0), 10);
  EXPECT_THROW(all.CopyFrom(&source, 1), EReadError);
}

TEST(StringStream, ReadsAndWritesText) {
  TStringStream s("hello");
  EXPECT_EQ(s.ReadString(2), "he");
  EXPECT_EQ(s.ReadString(99), "llo");
  s.WriteString(" world");
  EXPECT_EQ(s.DataString(), "hello world");
  s.SetPosition(0);
  s.WriteString("J");
  EXPECT_EQ(s.DataString(), "Jello world");
}

}  // namespace
