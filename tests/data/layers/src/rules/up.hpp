#pragma once
#include "ui/x.hpp"
#include "text/text.hpp"
