#include "rules/rule_list.hpp"
