#pragma once
// Small integer helpers of the skin library. Pure: no windows.h.
#include <cstdint>
#include <string>
#include <utility>

// True when Value lies between A and B inclusive, whichever of the two is larger.
inline bool IsBetween(int Value, int A, int B) {
  return A <= B ? (Value >= A && Value <= B) : (Value >= B && Value <= A);
}
inline int MaxOf(int A, int B) { return A > B ? A : B; }
inline int MinOf(int A, int B) { return A < B ? A : B; }
inline void SwapInt(int& A, int& B) { std::swap(A, B); }
inline int IfThenInt(bool Cond, int A, int B) { return Cond ? A : B; }
inline std::string IfThenStr(bool Cond, const std::string& A, const std::string& B) { return Cond ? A : B; }
// A channel value limited to 0..255.
inline uint8_t IntToByte(int Value) { return Value < 0 ? 0 : Value > 255 ? 255 : uint8_t(Value); }
