// The stand-in's ASSERT is active only where NDEBUG is not defined, as MFC's is in debug builds.
// A check that an assertion fires is left out of an optimised build: without the assertion the
// statement would go on into what the assertion guards against.
#pragma once

#include <gtest/gtest-spi.h>

#ifdef NDEBUG
#define EXPECT_ASSERTION(statement, text) \
  do {                                    \
  } while (0)
#else
#define EXPECT_ASSERTION(statement, text) EXPECT_NONFATAL_FAILURE(statement, text)
#endif
