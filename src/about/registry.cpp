#include "about/registry.hpp"
