#include <gtest/gtest.h>

#include <string>

#include "TqMathStatus.h"
#include "sandbox/test_support.h"

using namespace TQ;

namespace {

using sandbox::testing::MessageOf;

// Restores the throw switch whatever a test leaves it at.
class MathStatusTest : public ::testing::Test {
 protected:
  void TearDown() override { SetMathErrorsThrow(true); }
};

TEST_F(MathStatusTest, CheckThrowsOnlyForAFailingStatusWhileTheSwitchIsOn) {
  struct Case {
    const char* name;
    bool switchOn;
    LONG status;
    const char* thrown;  // "math", "memory" or nullptr
  };
  const Case cases[] = {
      {.name = "success, on", .switchOn = true, .status = 0, .thrown = nullptr},
      {.name = "success, off", .switchOn = false, .status = 0, .thrown = nullptr},
      {.name = "divide by zero, on", .switchOn = true, .status = -20060, .thrown = "math"},
      {.name = "divide by zero, off", .switchOn = false, .status = -20060, .thrown = nullptr},
      {.name = "no memory, on", .switchOn = true, .status = -20001, .thrown = "memory"},
      {.name = "no memory, off", .switchOn = false, .status = -20001, .thrown = nullptr},
      {.name = "unknown, on", .switchOn = true, .status = -12345, .thrown = "math"},
      {.name = "positive, on", .switchOn = true, .status = 20001, .thrown = "math"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetMathErrorsThrow(c.switchOn);
    EXPECT_EQ(GetMathErrorsThrow(), c.switchOn);
    std::string thrown = "nothing";
    try {
      EXPECT_EQ(CheckMathStatus(c.status), c.status);
    } catch (CTqMathException* e) {
      thrown = "math";
      EXPECT_EQ(e->GetCode(), static_cast<MathError>(c.status));
      EXPECT_TRUE(e->m_bAutoDelete);
      e->Delete();
    } catch (CMemoryException* e) {
      thrown = "memory";
      e->Delete();
    }
    EXPECT_EQ(thrown, c.thrown ? c.thrown : "nothing");
  }
}

TEST_F(MathStatusTest, MessagesComeFromTheTableAsWritten) {
  struct Case {
    LONG status;
    const char* message;
  };
  const Case cases[] = {
      {.status = -20060, .message = "Math Exception: Divide by zero."},
      {.status = -20045,
       .message = "Math Exception: Total number of data points must be equal to product of "
                  "(levels/each\xA0"
                  "factor)\xA0x\xA0(observations/cell)."},
      {.status = -20102, .message = "Math Exception: Shifts must meet the condition shifts< samples."},
      {.status = -20001, .message = "Math Exception: There is not enough memory left to perform the specified routine."},
      {.status = 20001, .message = "Math Exception: The matrix is rank deficient."},
      {.status = -20999, .message = "Math Exception: Internal error."},
      {.status = -12345, .message = "Unknown math error."},
      {.status = -20005, .message = "Unknown math error."},
      {.status = 0, .message = "Unknown math error."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    CTqMathException e(c.status, FALSE);
    EXPECT_EQ(std::string(e.GetMessage()), c.message);
    EXPECT_EQ(MessageOf(&e), c.message);
  }
  // The base carries the code in its own words.
  CTqExceptionT<MathError> plain(MathErrorDivideByZero, FALSE);
  EXPECT_EQ(std::string(plain.GetMessage()), "Exception generated! Error code = -20060");
}

}  // namespace
