#include "rules/frmRule.hpp"
