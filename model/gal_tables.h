// Internal helpers of the model over its counted tables (an array made with
// new[] and its count beside it). Not part of the model's interface.
#ifndef KORVANE_MODEL_GAL_TABLES_H
#define KORVANE_MODEL_GAL_TABLES_H

#include <list>

#include "utilities/list_templates.h"

// Replaces table (releasing the old one) by array_convert of the list: a new
// array whose elements are default-constructed, then assigned in list order;
// null for an empty list. Sets count to the list's size.
template <typename T>
void model_table_from_list(std::list<T>& items, T*& table, int& count) {
  delete[] table;
  table = array_convert(items);
  count = static_cast<int>(items.size());
}

// Grows table by one element: a new array receives the old elements by
// assignment, the old one is released, and the new last element is a copy
// of item; count grows by one.
template <typename T>
void model_table_append(T*& table, int& count, const T& item) {
  T* grown = new T[count + 1];
  for (int i = 0; i < count; ++i) grown[i] = table[i];
  grown[count] = item;
  delete[] table;
  table = grown;
  ++count;
}

// Moves the elements after index down by one and lowers count; the array is
// kept. Nothing when index is out of range.
template <typename T>
void model_table_remove(T* table, int& count, int index) {
  if (index < 0 || index >= count) return;
  for (int i = index; i + 1 < count; ++i) table[i] = table[i + 1];
  --count;
}

// Releases table; it is then empty (null, count 0).
template <typename T>
void model_table_release(T*& table, int& count) {
  delete[] table;
  table = nullptr;
  count = 0;
}

#endif  // KORVANE_MODEL_GAL_TABLES_H
