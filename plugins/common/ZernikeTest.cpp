#include "plugins/common/Zernike.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<AmostraPupila> Grade(double (*f)(double, double)) {
  std::vector<AmostraPupila> a;
  for (int i = -20; i <= 20; ++i)
    for (int k = -20; k <= 20; ++k) {
      const double x = i / 20.0, y = k / 20.0;
      if (x * x + y * y <= 1.0) a.push_back({x, y, f(x, y)});
    }
  return a;
}

TEST(Zernike, OrdersAndKnownTerms) {
  int n, m;
  OrdemZernike(4, n, m);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(m, 0);
  OrdemZernike(7, n, m);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(m, -1);
  EXPECT_NEAR(Zernike(4, 1.0, 0.3), std::sqrt(3.0), 1e-12);
  EXPECT_NEAR(Zernike(12, 0.0, 0.0), std::sqrt(5.0), 1e-12);
  EXPECT_NEAR(Zernike(5, 0.5, 0.0), std::sqrt(6.0) * 0.25, 1e-12);
}

TEST(Zernike, FitRecoversTheTermsItWasMadeOf) {
  const auto a = Grade([](double x, double y) {
    const double r = std::hypot(x, y), t = std::atan2(y, x);
    return 0.5 * Zernike(4, r, t) - 0.2 * Zernike(7, r, t) + 0.1 * Zernike(12, r, t);
  });
  std::array<double, kTermosZernike> c{};
  ASSERT_TRUE(AjustarZernike(a, c));
  for (int j = 0; j < kTermosZernike; ++j)
    EXPECT_NEAR(c[size_t(j)], j == 4 ? 0.5 : j == 7 ? -0.2 : j == 12 ? 0.1 : 0.0, 1e-9) << j;
  EXPECT_FALSE(AjustarZernike({{0, 0, 1}}, c));
}

}  // namespace
