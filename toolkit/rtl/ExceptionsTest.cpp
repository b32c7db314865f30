#include "toolkit/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(Exceptions, KindsCatchAsTheirBases) {
  try {
    throw EFOpenError("sem arquivo");
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), "sem arquivo");
    EXPECT_STREQ(e.what(), "sem arquivo");
  }
  try {
    Abort();
  } catch (const Exception& e) {
    EXPECT_NE(dynamic_cast<const EAbort*>(&e), nullptr);
    EXPECT_EQ(e.Message(), "Operação cancelada");
  }
  EOSError os("falhou", 5);
  EXPECT_EQ(os.ErrorCode(), 5u);
  os.SetMessage("outra");
  EXPECT_EQ(os.Message(), "outra");
}

}  // namespace
