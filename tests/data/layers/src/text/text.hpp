#pragma once
#include "text.hpp"
#include <qglobal.h>
