#include "tests/app/WindowFixture.h"

namespace {

::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new orvalen::testing::QtEnvironment);

}  // namespace
