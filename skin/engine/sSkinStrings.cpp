#include <windows.h>

#include "skin/engine/sSkinStrings.h"

#include <map>

namespace {

// The identifiers of sSkinStrings.rc.
constexpr int TableIds[] = {
    58910, 58911, 58924, 58925, 58926, 58927, 58928, 58929, 58930, 58931, 58932, 58933, 58934, 58935, 58936, 58937,
    58938, 58939, 58940, 58941, 58942, 58943, 58944, 58945, 58946, 58947, 58948, 58949, 58950, 58951, 58952, 58953,
    58954, 58955, 58956, 58957, 58958, 58959, 58960, 58961, 58962, 58963, 58964, 58970, 58975, 58976, 58977, 58978,
    58979, 58980, 58981, 58990, 58991, 58992, 65271, 65272, 65273, 65274, 65275};

std::map<int, std::string>& Texts() {
  static std::map<int, std::string> T;
  return T;
}

}  // namespace

void LoadSkinStrings() {
  char Buffer[512];
  for (int Id : TableIds) {
    const int Length = LoadStringA(GetModuleHandleA(nullptr), UINT(Id), Buffer, sizeof(Buffer));
    Texts()[Id].assign(Buffer, size_t(Length > 0 ? Length : 0));
  }
}

void ClearSkinStrings() { Texts().clear(); }

const std::string& SkinStr(int Id) {
  static const std::string None;
  const auto It = Texts().find(Id);
  return It == Texts().end() ? None : It->second;
}
