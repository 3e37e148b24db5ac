#include "workspace/modal.hpp"
