// The list templates over long and lists of long, the set operations over
// long, and the global empty list of long.
#include "utilities/list_long.h"

std::list<long> empty_list_long;

template int item_where<long>(const std::list<long>&, const long&);
template long read_number<long>(const std::list<long>&, int);
template void sup_number<long>(std::list<long>&, int);
template void replace_number<long>(std::list<long>&, int, const long&);
template long* array_convert<long>(std::list<long>&);
template std::ostream& operator<< <long>(std::ostream&, const std::list<long>&);
template std::set<long> set_inter<long>(const std::set<long>&, const std::set<long>&);
template std::set<long> set_union<long>(const std::set<long>&, const std::set<long>&);

template int item_where<std::list<long>>(const std::list<std::list<long>>&, const std::list<long>&);
template void sup_number<std::list<long>>(std::list<std::list<long>>&, int);
template void replace_number<std::list<long>>(std::list<std::list<long>>&, int,
                                              const std::list<long>&);
template std::list<long>* array_convert<std::list<long>>(std::list<std::list<long>>&);
template std::ostream& operator<< <std::list<long>>(std::ostream&,
                                                    const std::list<std::list<long>>&);
