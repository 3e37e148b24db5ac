#include "rules/rules_file.hpp"
