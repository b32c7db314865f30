#include "plugins/common/BmpCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(BmpCodec, GreyRoundTripWithOddWidth) {
  ImagemCinza img;
  img.largura = 5;  // rows padded to four bytes
  img.altura = 3;
  for (int i = 0; i < 15; ++i) img.px.push_back(uint8_t(i * 17));
  const std::vector<uint8_t> bmp = CodificarBmp(img);
  EXPECT_EQ(bmp.size(), 54u + 16u * 3u);
  ImagemCinza lida;
  ASSERT_TRUE(DecodificarBmp(bmp.data(), bmp.size(), lida));
  EXPECT_EQ(lida.largura, 5);
  EXPECT_EQ(lida.altura, 3);
  EXPECT_EQ(lida.px, img.px);
}

TEST(BmpCodec, RefusesDamagedFiles) {
  ImagemCinza img;
  img.largura = img.altura = 4;
  img.px.assign(16, 200);
  std::vector<uint8_t> bmp = CodificarBmp(img);
  ImagemCinza lida;
  struct Caso {
    size_t at;
    uint8_t valor;
  };
  for (const Caso c : {Caso{0, 'X'}, Caso{28, 7}, Caso{30, 1}, Caso{10, 0xF0}, Caso{18, 0}}) {
    std::vector<uint8_t> ruim = bmp;
    ruim[c.at] = c.valor;
    EXPECT_FALSE(DecodificarBmp(ruim.data(), ruim.size(), lida)) << "byte " << c.at;
  }
  EXPECT_FALSE(DecodificarBmp(bmp.data(), bmp.size() - 1, lida));  // truncated pixels
  EXPECT_FALSE(DecodificarBmp(bmp.data(), 20, lida));
}

}  // namespace
