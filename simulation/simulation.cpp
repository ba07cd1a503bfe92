#include "simulation/simulation.h"
