#include <gtest/gtest.h>

#include "Exception.h"
#include "TList.h"
#include "TStringList.h"

TEST(StringList, KeepsTextAndNumberInObjectSlot) {
  TStringList list;
  list.Add("first");
  list.AddObject("MP42 : codec", NumberObject(0x3234504D));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list[1], "MP42 : codec");
  EXPECT_EQ(ObjectNumber(list.Objects(1)), 0x3234504Du);
  EXPECT_EQ(list.IndexOfObject(NumberObject(0x3234504D)), 1);
  EXPECT_EQ(list.IndexOfObject(NumberObject(0x3234506D)), -1);
  EXPECT_EQ(list.IndexOf("FIRST"), 0);
  EXPECT_THROW(list.Strings(2), EListError);
  list.Delete(0);
  EXPECT_EQ(list[0], "MP42 : codec");
}

TEST(List, AddRemoveAndBounds) {
  int a = 1, b = 2;
  TList list;
  list.Add(&a);
  list.Add(&b);
  list.Insert(0, &b);
  EXPECT_EQ(list.IndexOf(&b), 0);
  EXPECT_EQ(list.Remove(&b), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0), &a);
  EXPECT_THROW(list.Items(5), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
}
