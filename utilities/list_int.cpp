// The list templates over int and lists of int, the set of int operations,
// and the global empty list of int.
#include "utilities/list_int.h"

std::list<int> empty_list_int;

int item_in(const std::set<int>& s, const int& x) {
  for (int e : s)
    if (e == x) return 1;
  return 0;
}

std::ostream& operator<<(std::ostream& os, const std::set<int>& s) {
  os << "{";
  bool first = true;
  for (int e : s) {
    if (!first) os << ",";
    first = false;
    os << e;
  }
  return os << "}";
}

template int item_where<int>(const std::list<int>&, const int&);
template int read_number<int>(const std::list<int>&, int);
template void sup_number<int>(std::list<int>&, int);
template void replace_number<int>(std::list<int>&, int, const int&);
template int* array_convert<int>(std::list<int>&);
template int* array_convert<int>(const std::list<int>&);
template int car<int>(const std::list<int>&);
template bool item_in<int>(const std::list<int>&, const int&);
template std::ostream& operator<< <int>(std::ostream&, const std::list<int>&);

template int item_where<std::list<int>>(const std::list<std::list<int>>&, const std::list<int>&);
template void sup_number<std::list<int>>(std::list<std::list<int>>&, int);
template void replace_number<std::list<int>>(std::list<std::list<int>>&, int,
                                             const std::list<int>&);
template std::list<int>* array_convert<std::list<int>>(std::list<std::list<int>>&);
template std::ostream& operator<< <std::list<int>>(std::ostream&, const std::list<std::list<int>>&);
