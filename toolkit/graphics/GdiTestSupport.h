#pragma once
// Helpers of the graphics tests.
#include <windows.h>

#include <vector>

// Free places in the process's GDI handle table, found by filling it (Wine's GetGuiResources
// counts nothing). Any object leaked between two calls shows as one place fewer.
inline int FreeGdiHandles() {
  std::vector<HPEN> pens;
  while (HPEN p = CreatePen(PS_SOLID, 1, 0)) pens.push_back(p);
  for (HPEN p : pens) DeleteObject(p);
  return static_cast<int>(pens.size());
}

#include <cstdlib>
#include <string>

// The Windows name of a file of the graphics test data (Z: maps to the Unix root).
inline std::string TestDataFile(const std::string& Name) {
  return std::string("Z:") + std::getenv("MZ_SOURCE_DIR") + "/toolkit/graphics/testdata/" + Name;
}
