#include "about/frmAbout.hpp"
