#include "rules/ini_file.hpp"
