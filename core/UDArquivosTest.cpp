#include "core/UDArquivos.h"

#include <cstring>

#include "core/RecordsTestSupport.h"
#include "widgets/RingPictureTestSupport.h"
#include "core/UBJpeg.h"
#include "widgets/Bitmap32.h"

namespace {

using recordstest::RecordsTest;
using ArquivosTest = RecordsTest;

// A new exam's pictures as the wizard stores them: the central one on, the lateral one off.
TEST_F(ArquivosTest, RingPictureThroughTheDatabase) {
  const int exame = Exame(Paciente("Conceição"), Medico("Dr. João"));

  TBitmap32 camera;
  const TPixelImage ring = ringtest::RingPicture();
  camera.SetSize(ring.Width, ring.Height);
  std::memcpy(camera.Bits(), ring.Pixels.data(), ring.Pixels.size() * sizeof(TColor32));
  TMemoryStream bmp;
  camera.SaveToStream(&bmp);
  bmp.SetPosition(0);

  TMemoryStream central, lateral;
  TBJpeg().BitmapToJpeg(&bmp, 90)->SaveToStream(&central);
  central.SetPosition(0);
  const std::string jpegBytes(static_cast<const char*>(central.Memory()), size_t(central.Size()));
  TDArquivos::InsertArquivos(exame, &central, &lateral);

  TMemoryStream lidoCentral, lidoLateral;
  lidoLateral.WriteBuffer("resto", 5);  // what the caller's stream held before goes
  TDArquivos::GetImagensByCodExame(exame, &lidoCentral, &lidoLateral);
  EXPECT_FALSE(DMPrincipal->IBOperation->Active());
  EXPECT_EQ(lidoCentral.Position(), 0);
  EXPECT_EQ(lidoLateral.Size(), 0);
  ASSERT_EQ(std::string(static_cast<const char*>(lidoCentral.Memory()), size_t(lidoCentral.Size())), jpegBytes);

  // Stored as an empty blob, not as a missing value.
  EXPECT_EQ(Rows("ARQUIVOS", "IMAGEM_LATERAL IS NOT NULL AND OCTET_LENGTH(IMAGEM_LATERAL) = 0"), 1);

  ASSERT_TRUE(TBJpeg().JpegToBitmap(&lidoCentral));
  EXPECT_FALSE(TBJpeg().JpegToBitmap(&lidoLateral));
  TBitmap32 shown;
  shown.LoadFromStream(&lidoCentral);
  ASSERT_EQ(shown.Width(), 640);
  ASSERT_EQ(shown.Height(), 480);
  // Quality 90 keeps every channel within 12 levels and the mean within 1.5 of the camera's
  // (libjpeg-turbo gives 6 and 0.8 here).
  const ringtest::TDifference d = ringtest::Compare(ring.Pixels.data(), shown.Bits(), ring.Pixels.size());
  EXPECT_LE(d.Max, 12);
  EXPECT_LE(d.Mean, 1.5);
}

TEST_F(ArquivosTest, StoringAgainReplacesAndMissingExamGivesEmptyStreams) {
  const int exame = Exame(Paciente("P"), Medico("M"));
  TStringStream a("primeira"), b("lateral"), c("segunda"), vazio;
  TDArquivos::InsertArquivos(exame, &a, &b);
  TDArquivos::InsertArquivos(exame, &c, &vazio);
  EXPECT_EQ(Rows("ARQUIVOS"), 1);
  TMemoryStream central, lateral;
  TDArquivos::GetImagensByCodExame(exame, &central, &lateral);
  EXPECT_EQ(std::string(static_cast<const char*>(central.Memory()), size_t(central.Size())), "segunda");
  EXPECT_EQ(lateral.Size(), 0);

  TDArquivos::GetImagensByCodExame(exame + 1, &central, &lateral);
  EXPECT_EQ(central.Size(), 0);
  EXPECT_EQ(lateral.Size(), 0);
}

}  // namespace
