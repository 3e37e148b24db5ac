#include "gedcom/gedcom_file.hpp"
