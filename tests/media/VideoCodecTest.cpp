#include <gtest/gtest.h>

#include "FakeCompressors.h"
#include "QXVideoCodec.h"
#include "TStringList.h"

TEST(VideoCodec, ListsInstalledCompressorsWithCodeInObjectSlot) {
  const int before = TQXVideoCodec::EnumerateCompressors(nullptr);
  InstallFakeCompressor<Code("QTST")>();
  InstallBrokenCompressor<Code("QBRK")>();
  EXPECT_EQ(TQXVideoCodec::EnumerateCompressors(nullptr), before + 2);

  TStringList list;
  list.Add("kept");
  const int count = TQXVideoCodec::EnumerateCompressors(&list);
  EXPECT_EQ(count, before + 2) << "the broken one is counted";
  EXPECT_EQ(list[0], "kept") << "entries are appended";
  const int index = list.IndexOfObject(NumberObject(Code("QTST")));
  ASSERT_GE(index, 0);
  EXPECT_EQ(list[index], "QTST : Test compressor");
  EXPECT_EQ(list.IndexOfObject(NumberObject(Code("QBRK"))), -1) << "a compressor that does not open is not listed";
  EXPECT_LT(list.Count() - 1, count);
  RemoveFakeCompressor(Code("QTST"));
  RemoveFakeCompressor(Code("QBRK"));
}

TEST(VideoCodec, ExistenceIsExactIncludingCase) {
  InstallFakeCompressor<Code("mp4x")>();
  EXPECT_TRUE(TQXVideoCodec::CompressorExist(Code("mp4x")));
  EXPECT_FALSE(TQXVideoCodec::CompressorExist(Code("MP4X")));
  EXPECT_FALSE(TQXVideoCodec::CompressorExist(Code("NONE")));
  RemoveFakeCompressor(Code("mp4x"));
}
