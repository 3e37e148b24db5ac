#include "ui/modal.hpp"
#include "engine/engine.hpp"
