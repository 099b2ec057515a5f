// The list templates over strings and lists of strings, and the global empty
// list of strings.
#include "utilities/list_String.h"

std::list<std::string> empty_list_String;

using string_list = std::list<std::string>;

template int item_where<std::string>(const string_list&, const std::string&);
template std::string read_number<std::string>(const string_list&, int);
template void sup_number<std::string>(string_list&, int);
template void replace_number<std::string>(string_list&, int, const std::string&);
template std::string* array_convert<std::string>(string_list&);
template std::string* array_convert<std::string>(const string_list&);
template bool item_in<std::string>(const string_list&, const std::string&);
template std::ostream& operator<< <std::string>(std::ostream&, const string_list&);

template int item_where<string_list>(const std::list<string_list>&, const string_list&);
template void sup_number<string_list>(std::list<string_list>&, int);
template void replace_number<string_list>(std::list<string_list>&, int, const string_list&);
template string_list* array_convert<string_list>(std::list<string_list>&);
template std::ostream& operator<< <string_list>(std::ostream&, const std::list<string_list>&);
