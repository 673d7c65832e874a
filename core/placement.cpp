#include "core/placement.h"
