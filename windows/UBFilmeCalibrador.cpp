#include "windows/UBFilmeCalibrador.h"

#include "toolkit/rtl/NumberText.h"
#include "windows/UBArtes.h"
#include "windows/UBShell.h"

TFilmeCalibrador::TFilmeCalibrador(TComponent* AOwner) : TImage(AOwner) {
  SetCenter(true);
  CarregarArte(Picture(), "CALIBRADOR_REDONDO");
}

void TFilmeCalibrador::LoadMovie(int Layer, const std::string& Url) {
  FMovie = Url;
  ShellRegistrar("LoadMovie", {IntToStr(Layer), Url});
}

void TFilmeCalibrador::SetLoop(bool Value) {
  FLoop = Value;
  ShellRegistrar("Loop", {FMovie, Value ? "True" : "False"});
}

void TFilmeCalibrador::Play() { ShellRegistrar("Play", {FMovie}); }

void TFilmeCalibrador::Stop() { ShellRegistrar("Stop", {FMovie}); }
