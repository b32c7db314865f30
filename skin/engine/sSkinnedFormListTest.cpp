// The registry's list operations.
#include "skin/engine/sSkinnedFormList.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinnedFormList, RemovalTable) {
  int A = 0, B = 0, C = 0, Unknown = 0;
  const struct {
    const char* Name;
    std::vector<int*> List;
    int* Item;
    std::vector<int*> Left;
  } Cases[] = {
      {"first of three", {&A, &B, &C}, &A, {&C, &B}},
      {"last of three", {&A, &B, &C}, &C, {&A, &B}},
      {"registered twice", {&A, &A}, &A, {}},
      {"twice, moved into the hole", {&A, &B, &A}, &A, {&B}},
      {"unknown", {&A, &B}, &Unknown, {&A, &B}},
      {"unknown with a trailing nil", {&A, &B, nullptr}, &Unknown, {&A, &B}},
      {"empty", {}, &A, {}},
  };
  for (auto C : Cases) {
    RemoveFromFormList(C.List, C.Item);
    EXPECT_EQ(C.List, C.Left) << C.Name;
  }
}

}  // namespace
