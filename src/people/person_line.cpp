#include "people/person_line.hpp"
