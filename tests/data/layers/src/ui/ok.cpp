#include "workspace/x.hpp"
#include "gedcom/records.hpp"
#include <QWidget>
