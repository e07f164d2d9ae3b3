#include <gtest/gtest.h>

#include "description/form_model.h"

TEST(Placeholder, Builds) { SUCCEED(); }
