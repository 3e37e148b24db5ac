#include "gedcom/frmSexChoice.hpp"
