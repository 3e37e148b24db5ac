#include "rules/rule_item.hpp"
