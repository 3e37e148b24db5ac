#include "engine/engine.hpp"
