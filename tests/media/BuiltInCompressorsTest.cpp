#include <windows.h>
#include <vfw.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "BuiltInCompressors.h"
#include "QXVideoCodec.h"
#include "TStringList.h"

// Each test runs in a fresh process, where nothing has registered ZMBV yet.

TEST(BuiltInCompressors, ZmbvIsListedAndExistsWithoutAnySetup) {
  TStringList list;
  TQXVideoCodec::EnumerateCompressors(&list);
  const int index = list.IndexOfObject(NumberObject(mmioFOURCC('Z', 'M', 'B', 'V')));
  ASSERT_GE(index, 0);
  EXPECT_EQ(list[index], "ZMBV : Zip Motion Blocks Video");
  EXPECT_TRUE(TQXVideoCodec::CompressorExist(mmioFOURCC('Z', 'M', 'B', 'V')));
}

TEST(BuiltInCompressors, RegisteringAgainFromManyThreadsAddsNothing) {
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) threads.emplace_back(RegisterBuiltInCompressors);
  for (auto& t : threads) t.join();
  const int count = TQXVideoCodec::EnumerateCompressors(nullptr);
  RegisterBuiltInCompressors();
  EXPECT_EQ(TQXVideoCodec::EnumerateCompressors(nullptr), count);
  HIC ic = ICOpen(ICTYPE_VIDEO, mmioFOURCC('Z', 'M', 'B', 'V'), ICMODE_COMPRESS);
  ASSERT_TRUE(ic) << "opens for compression, as the movie writer needs";
  ICClose(ic);
}
