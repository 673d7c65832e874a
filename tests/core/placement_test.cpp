#include "core/placement.h"

#include <gtest/gtest.h>
