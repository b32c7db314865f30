// A module that offers every map entry point; each test DLL exports only some of them (its .spec),
// to check which sets of entry points the bindings accept.
#include "core/UBModuleInterface.h"

extern "C" {
MZAPI int32_t ProcessaMapa(HWND__*, TMZStream*, TMZStream*, double, double, TMZStream*, TMatrizAngAnel*, TMatrizAng*,
                           TMatrizAngAnel*, TPupila*, const double*, const TInfosMZ*) {
  return 0;
}
MZAPI int32_t ProcessaMapaOrto(HWND__*, TMZStream*, TMZStream*, double, double, TMZStream*, TMatrizAngAnel*,
                               TMatrizAng*, TMatrizAngAnel*, TPupila*, const double*, const TInfosMZ*) {
  return 0;
}
MZAPI int32_t InfoMapa(TMZStream*) { return 0; }
MZAPI int32_t ProcessaMapas(HWND__*, TMZStream* const*, const TMatrizAngAnel*, const TMatrizAng*,
                            const TMatrizAngAnel*, const TPupila*, int32_t, TMZStream*, const TInfosMZ*) {
  return 0;
}
MZAPI int32_t Wizard(HWND__*, TMZStream*, TMZStream*, TMZStream*, const TInfosMZ*) { return 0; }
}
