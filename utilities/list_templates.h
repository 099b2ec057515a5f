// Positional access, search, array copies and printing over standard lists,
// and the small set operations, shared by every subsystem.
//
// Positions count from 1; 0 means absent. Reads out of range give the
// element type's zero value, edits out of range do nothing. Equality is the
// element type's own, tested through its operator!=. Every operation walks
// the list from its front, so each one is linear in the list's length.
#ifndef KORVANE_UTILITIES_LIST_TEMPLATES_H
#define KORVANE_UTILITIES_LIST_TEMPLATES_H

#include <iostream>
#include <list>
#include <ostream>
#include <set>

// The position of the first element equal to x, 0 when there is none.
template <class T>
int item_where(const std::list<T>& l, const typename std::list<T>::value_type& x) {
  int position = 1;
  for (const T& e : l) {
    if (!(e != x)) return position;
    ++position;
  }
  return 0;
}

// A copy of the element at position n; T() (0, "", ...) when n is below 1
// or beyond the last position.
template <class T>
T read_number(const std::list<T>& l, int n) {
  int position = 1;
  for (const T& e : l) {
    if (position == n) return e;
    ++position;
  }
  return T();
}

// Erases the element at position n; no effect when n is out of range.
template <class T>
void sup_number(std::list<T>& l, int n) {
  int position = 1;
  for (auto it = l.begin(); it != l.end(); ++it, ++position) {
    if (position == n) {
      l.erase(it);
      return;
    }
  }
}

// Assigns v to the element at position n; no effect when n is out of range.
template <class T>
void replace_number(std::list<T>& l, int n, const typename std::list<T>::value_type& v) {
  int position = 1;
  for (T& e : l) {
    if (position == n) {
      e = v;
      return;
    }
    ++position;
  }
}

// A new array (new[]) holding the list's elements in order (each element
// default-constructed, then assigned); null for an empty list. The caller
// frees it with delete[].
template <class T>
T* array_convert(std::list<T>& l) {
  if (l.empty()) return nullptr;
  const std::size_t n = l.size();
  T* a = new T[n];
  auto it = l.begin();
  for (std::size_t i = 0; i < n; ++i, ++it) a[i] = *it;
  return a;
}

// As above, for a constant list, but never null: an empty list gives a
// zero-length array, which the caller still frees with delete[].
template <class T>
T* array_convert(const std::list<T>& l) {
  const std::size_t n = l.size();
  T* a = new T[n];
  auto it = l.begin();
  for (std::size_t i = 0; i < n; ++i, ++it) a[i] = *it;
  return a;
}

// A copy of the first element. On an empty list: writes a warning line on
// standard error and returns T().
template <class T>
T car(const std::list<T>& l) {
  if (l.empty()) {
    std::cerr << "Warning: abnormal use of car(list<T> &)" << std::endl;
    return T();
  }
  return l.front();
}

// True when some element equals x.
template <class T>
bool item_in(const std::list<T>& l, const typename std::list<T>::value_type& x) {
  for (const T& e : l)
    if (!(e != x)) return true;
  return false;
}

// 1 when the set holds x, else 0 (an ascending walk, as for lists).
int item_in(const std::set<int>& s, const int& x);

// The elements of a, in ascending order, that b holds.
template <class T>
std::set<T> set_inter(const std::set<T>& a, const std::set<T>& b) {
  std::set<T> r;
  for (const T& e : a)
    if (b.find(e) != b.end()) r.insert(e);
  return r;
}

// A copy of a with every element of b inserted.
template <class T>
std::set<T> set_union(const std::set<T>& a, const std::set<T>& b) {
  std::set<T> r(a);
  for (const T& e : b) r.insert(e);
  return r;
}

// Writes "(" the elements separated by ", " ")", flushing after each element
// and after ")"; no line end. Lists of lists print through this same
// template: ((5, 3), (5, 3)).
template <class T>
std::ostream& operator<<(std::ostream& os, const std::list<T>& l) {
  os << "(";
  bool first = true;
  for (const T& e : l) {
    if (!first) os << ", ";
    first = false;
    os << e;
    os.flush();
  }
  os << ")";
  os.flush();
  return os;
}

// Writes "{" the elements in ascending order separated by "," "}"; no flush
// and no line end.
std::ostream& operator<<(std::ostream& os, const std::set<int>& s);

#endif
