#include "core/UBRegConfig.h"

#include <windows.h>

#include "toolkit/rtl/Exceptions.h"
#include "toolkit/ui/Forms.h"

namespace {

const char* const kNames[] = {"sDecimal", "sShortDate", "sThousand", "sTimeFormat", "s1159", "s2359"};
static_assert(std::size(kNames) == static_cast<size_t>(TRegionalValue::Count));

}  // namespace

TBRegConfig::TBRegConfig() { SetRootKey(HKEY_CURRENT_USER); }

void TBRegConfig::ReadCurrent() {
  FKeyOpen = OpenKey("\\Control Panel\\International", false);
  if (!FKeyOpen) return;
  try {
    for (size_t i = 0; i < FValues.size(); ++i) {
      if (ValueExists(kNames[i])) {
        FValues[i].Saved = ReadString(kNames[i]);
        FValues[i].State = TState::Present;
      } else {
        FValues[i].State = TState::Missing;
      }
    }
  } catch (const Exception&) {
    Application->MessageBox("Problemas ao ler registro", "ERRO", MB_OK);
  }
}

void TBRegConfig::SetWanted(const std::string& Decimal, const std::string& ShortDate, const std::string& Thousand,
                            const std::string& TimeFormat, const std::string& S1159, const std::string& S2359) {
  const std::string* wanted[] = {&Decimal, &ShortDate, &Thousand, &TimeFormat, &S1159, &S2359};
  for (size_t i = 0; i < FValues.size(); ++i) FValues[i].Wanted = *wanted[i];
}

void TBRegConfig::ApplyWanted() {
  if (!FKeyOpen) return;
  for (size_t i = 0; i < FValues.size(); ++i)
    if (FValues[i].State != TState::NotRead) WriteString(kNames[i], FValues[i].Wanted);
}

void TBRegConfig::RestoreSaved() {
  if (!FKeyOpen) return;
  for (size_t i = 0; i < FValues.size(); ++i) {
    if (FValues[i].State == TState::Present)
      WriteString(kNames[i], FValues[i].Saved);
    else if (FValues[i].State == TState::Missing && ValueExists(kNames[i]))
      DeleteValue(kNames[i]);
  }
}

const std::string* TBRegConfig::Saved(TRegionalValue Value) const {
  const TValue& v = FValues[Index(Value)];
  return v.State == TState::Present ? &v.Saved : nullptr;
}
