#include "forcemodel/forcemodel.h"
