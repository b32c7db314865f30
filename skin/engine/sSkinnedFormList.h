#pragma once
// The list operations of the registry of skinned forms. Pure: no windows.h.
#include <vector>

// Removes every occurrence of Item, the last entry moving into each hole (so the order of the others
// changes), then drops one trailing nil entry.
template <class T>
void RemoveFromFormList(std::vector<T*>& List, const T* Item) {
  for (std::size_t i = 0; i < List.size();) {
    if (List[i] != Item) {
      ++i;
      continue;
    }
    List[i] = List.back();
    List.pop_back();
  }
  if (!List.empty() && !List.back()) List.pop_back();
}
