#include <QString>
#include <queue>
#include "rules/rule_item.hpp"
#include "quenby/version.hpp"
