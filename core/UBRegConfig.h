#pragma once
// The user's regional number, date and time formats, replaced while the program runs and put back
// exactly as they were when it closes.
#include <array>
#include <string>

#include "toolkit/rtl/Registry.h"

// The values of "\Control Panel\International" that the program replaces, in the order it handles them.
enum class TRegionalValue { sDecimal, sShortDate, sThousand, sTimeFormat, s1159, s2359, Count };

class TBRegConfig : public TRegistry {
 public:
  TBRegConfig();  // root HKEY_CURRENT_USER

  // Opens the key (never creating it) and saves the user's values; a value that is missing is
  // remembered as missing. A failure shows "Problemas ao ler registro" and keeps what was read.
  void ReadCurrent();
  void SetWanted(const std::string& Decimal, const std::string& ShortDate, const std::string& Thousand,
                 const std::string& TimeFormat, const std::string& S1159, const std::string& S2359);
  // Writes the wanted values; only those whose former state is known, so each can be put back.
  void ApplyWanted();
  // Puts back what ReadCurrent saved; a value that did not exist before is deleted again.
  void RestoreSaved();

  // The saved value; nothing when it was missing or not read.
  const std::string* Saved(TRegionalValue Value) const;
  const std::string& Wanted(TRegionalValue Value) const { return FValues[Index(Value)].Wanted; }

 private:
  enum class TState { NotRead, Missing, Present };
  struct TValue {
    TState State = TState::NotRead;
    std::string Saved;
    std::string Wanted;
  };
  static size_t Index(TRegionalValue Value) { return static_cast<size_t>(Value); }

  bool FKeyOpen = false;
  std::array<TValue, static_cast<size_t>(TRegionalValue::Count)> FValues;
};
