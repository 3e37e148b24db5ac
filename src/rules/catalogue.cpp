#include "rules/catalogue.hpp"
