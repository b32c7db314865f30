#pragma once
// Published properties read and written by name over the toolkit's property tables. Unknown names
// (and properties of another kind) give -1, nullptr or false instead of raising. Pure: no windows.h.
#include <cstdint>
#include <string>

#include "toolkit/rtl/TypInfo.h"

bool HasProperty(const TObject* Obj, const std::string& Name);
// The object of an object-typed property.
TObject* GetObjectProperty(const TObject* Obj, const std::string& Name);
// The ordinal value of an integer, enumeration or set property.
int GetIntProperty(const TObject* Obj, const std::string& Name);
// Sets an ordinal property that exists and can be written.
void SetIntProperty(TObject* Obj, const std::string& Name, int Value);
// True when the set property holds the element named exactly Element.
bool GetEnumPropertyName(const TObject* Obj, const std::string& Name, const std::string& Element);
// The names of the elements of Value (bits 0..31), joined by "," without blanks.
std::string SetToNames(const TPropInfo& PropInfo, uint32_t Value);
// Adds or removes one element of a set property by editing its text; a name that is not one of the
// set's raises EPropertyError.
void SetSetPropertyElement(TObject* Obj, const std::string& Name, const std::string& Element, bool Add);
