// The game's Windows-1252 texts and Qt's strings, both ways.
#include <gtest/gtest.h>

#include <string>

#include "present/Text.h"

namespace {

TEST(Text, DecodesTheCodePageAndEncodesItBack) {
  // Latin-1 letters, the euro sign and quotes from 0x80..0x9F, and the five
  // bytes the code page leaves undefined, which stay their own C1 controls.
  const std::string bytes = "Pre\xE7o \x80 \x93ok\x94 \x81\x8D\x8F\x90\x9D";
  const QString text = DecodeText(bytes);
  EXPECT_EQ(text, QString::fromUtf8("Preço € “ok” ") + QChar(0x81) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) +
                      QChar(0x9D));
  EXPECT_EQ(EncodeText(text), bytes);
  // What the code page cannot hold becomes '?'.
  EXPECT_EQ(EncodeText(QString::fromUtf8("a→b")), "a?b");
}

}  // namespace
