#include "gedcom/records.hpp"
