#include "core/UBModuleInterface.h"

#include <gtest/gtest.h>

#include <cstring>

// Every byte of a record is a named field (the padding is spelled out), so a record that is value-
// initialised and then assigned field by field hands a module zeros in every unused byte.
#define MZ_SIZE(r, f) sizeof(r::f)
TEST(ModuleInterface, RecordsHaveNoHiddenPadding) {
  constexpr size_t infos =
      MZ_SIZE(TInfosMZ, Tipo) + MZ_SIZE(TInfosMZ, Pad0) + MZ_SIZE(TInfosMZ, TipoCone) +
      MZ_SIZE(TInfosMZ, FatorCorrecao) + MZ_SIZE(TInfosMZ, Z0) + MZ_SIZE(TInfosMZ, IncMap) +
      MZ_SIZE(TInfosMZ, IndiceConf) + MZ_SIZE(TInfosMZ, AutoAneis) + MZ_SIZE(TInfosMZ, AutoIncMap) +
      MZ_SIZE(TInfosMZ, AutoMiniMapa) + MZ_SIZE(TInfosMZ, AutoExame) + MZ_SIZE(TInfosMZ, Reservado1) +
      MZ_SIZE(TInfosMZ, Reservado2) + MZ_SIZE(TInfosMZ, Opt1) + MZ_SIZE(TInfosMZ, Opt2) + MZ_SIZE(TInfosMZ, Opt3) +
      MZ_SIZE(TInfosMZ, Pad1) + MZ_SIZE(TInfosMZ, BackupAuto) + MZ_SIZE(TInfosMZ, BackupAutoOp1_1) +
      MZ_SIZE(TInfosMZ, BackupAutoOp1_2) + MZ_SIZE(TInfosMZ, BackupAutoOp2) + MZ_SIZE(TInfosMZ, CameraCentral) +
      MZ_SIZE(TInfosMZ, CameraLateral) + MZ_SIZE(TInfosMZ, Brilho) + MZ_SIZE(TInfosMZ, Contraste) +
      MZ_SIZE(TInfosMZ, Reservado3) + 10 * sizeof(const char*) + MZ_SIZE(TInfosMZ, NumAneis) +
      MZ_SIZE(TInfosMZ, SalvarImagemCaptura) + MZ_SIZE(TInfosMZ, Pad2) + 2 * sizeof(const char*) +
      MZ_SIZE(TInfosMZ, SImagemCentral) + MZ_SIZE(TInfosMZ, SImagemLateral) + MZ_SIZE(TInfosMZ, Pad3) +
      MZ_SIZE(TInfosMZ, QualidadeImagem) + MZ_SIZE(TInfosMZ, Idioma) + MZ_SIZE(TInfosMZ, TvlCentral) +
      MZ_SIZE(TInfosMZ, TIncremento) + MZ_SIZE(TInfosMZ, AutoPCaptura) + MZ_SIZE(TInfosMZ, Pad4) +
      MZ_SIZE(TInfosMZ, DelayAutoPCaptura) + 2 * sizeof(const char*) + MZ_SIZE(TInfosMZ, TipoCalibrador) +
      MZ_SIZE(TInfosMZ, CameraFlag) + MZ_SIZE(TInfosMZ, ExibeGrade) + MZ_SIZE(TInfosMZ, ExibeCeratometriaPontual) +
      MZ_SIZE(TInfosMZ, Reservado4) + MZ_SIZE(TInfosMZ, CorCeratometriaPontual);
  EXPECT_EQ(infos, sizeof(TInfosMZ));
  EXPECT_EQ(12 * sizeof(const char*), sizeof(TPathsMZ));
}

TEST(ModuleInterface, CopiesKeepUnusedBytesZero) {
  TInfosMZ a{};
  a.Tipo = 1;
  a.TipoCalibrador = 3;
  a.ExibeGrade = true;
  TInfosMZ b;
  std::memset(&b, 0xAB, sizeof b);
  b = a;
  EXPECT_EQ(b.Pad0[6], 0);
  EXPECT_EQ(b.Reservado3[3], 0);
  EXPECT_EQ(b.Pad4[2], 0);
  EXPECT_FALSE(b.CameraFlag);
}
